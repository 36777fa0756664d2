#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fs/file_rows.h"
#include "platform/program_folder.h"
#include "platform/version_info.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
using platform::win32::ExactPath;

namespace {

// This test program carries the program's own version information.
std::string ThisProgram() {
    return platform::ProgramFolder() + "win_version.exe";
}

std::string Version(const platform::VersionResource* resource, const char* name) {
    return fs::FileVersionText(resource, name);
}

TEST(VersionInfo, ReadFromTheFileItselfAsTheSystemReadsIt) {
    const auto system = platform::ReadVersionResource(ThisProgram());
    const auto own = platform::ReadVersionResourceOfImage(ThisProgram());
    ASSERT_NE(system, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(Version(system.get(), "FileVersion"), "1.5.0.0");
    EXPECT_EQ(Version(system.get(), "ProductVersion"), "1.5");
    for (const char* name : {"FileVersion", "ProductVersion", "CompanyName", "OriginalFilename", "NoSuchName"})
        EXPECT_EQ(Version(own.get(), name), Version(system.get(), name)) << name;
}

TEST(VersionInfo, CellsAreFilledForPathsOfAnyLength) {
    TempFolder folder;
    std::string deep = folder.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    MakeFolder(deep);
    const std::string copy = deep + "copy of the program.exe";
    ASSERT_TRUE(CopyFileW(ExactPath(ThisProgram()).c_str(), ExactPath(copy).c_str(), FALSE));
    for (const auto& resource : {platform::ReadVersionResource(copy), platform::ReadVersionResourceOfImage(copy)}) {
        EXPECT_EQ(Version(resource.get(), "FileVersion"), "1.5.0.0");
        EXPECT_EQ(Version(resource.get(), "ProductVersion"), "1.5");
    }
}

TEST(VersionInfo, ANameEndingInADotIsThatFile) {
    TempFolder folder;
    WriteFile(folder / "tool.exe", "no version here");
    const std::string dotted = folder / "tool.exe.";
    ASSERT_TRUE(CopyFileW(ExactPath(ThisProgram()).c_str(), ExactPath(dotted).c_str(), FALSE));
    EXPECT_EQ(Version(platform::ReadVersionResource(dotted).get(), "FileVersion"), "1.5.0.0");
    EXPECT_EQ(platform::ReadVersionResource(folder / "tool.exe"), nullptr);
}

TEST(VersionInfo, FilesWithoutVersionInformationGiveEmptyCells) {
    TempFolder folder;
    WriteFile(folder / "notes.txt", "MZ, but only in words");
    const std::string missing = folder / "no such file.exe";
    for (const std::string& path : {folder / "notes.txt", missing}) {
        EXPECT_EQ(platform::ReadVersionResource(path), nullptr) << path;
        EXPECT_EQ(platform::ReadVersionResourceOfImage(path), nullptr) << path;
    }
}

}  // namespace
