#include "platform/program_folder.h"

#include <gtest/gtest.h>

TEST(ProgramFolderPath, ModulePathCutAfterItsLastBackslash) {
    EXPECT_EQ(platform::FolderOfModulePath("C:\\Program Files\\Vireo\\vireo.exe"), "C:\\Program Files\\Vireo\\");
    EXPECT_EQ(platform::FolderOfModulePath("\\\\server\\share\\vireo.exe"), "\\\\server\\share\\");
    EXPECT_EQ(platform::FolderOfModulePath("\\\\?\\C:\\very\\long\\vireo.exe"), "\\\\?\\C:\\very\\long\\");
    // Wine's name for a program on no drive letter becomes a path the file functions take.
    EXPECT_EQ(platform::FolderOfModulePath("unix\\work\\build\\vireo.exe"), "\\\\?\\unix\\work\\build\\");
    EXPECT_EQ(platform::FolderOfModulePath("vireo.exe"), "");
    EXPECT_EQ(platform::WithTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(platform::WithTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
}
