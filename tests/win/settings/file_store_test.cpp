#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk_view.h"
#include "platform/file_store.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
using platform::win32::ExactPath;
using settings_test::Content;
using settings_test::NamesIn;

namespace {

BY_HANDLE_FILE_INFORMATION Information(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information{};
    HANDLE file =
        CreateFileW(ExactPath(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    EXPECT_TRUE(GetFileInformationByHandle(file, &information));
    CloseHandle(file);
    return information;
}

uint64_t FileIndex(const BY_HANDLE_FILE_INFORMATION& information) {
    return (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
}

TEST(FileStoreReplace, KeepsHiddenAndSystemMarksAndLeavesNothingBeside) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, "old");
    const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(ExactPath(path).c_str(), marks));
    const uint64_t before = FileIndex(Information(path));

    ASSERT_TRUE(platform::SystemFileStore().ReplaceAll(path, "new content"));
    EXPECT_EQ(Content(path), "new content");
    // Replaced whole, so that no reader ever saw it half written.
    EXPECT_NE(FileIndex(Information(path)), before);
    EXPECT_EQ(GetFileAttributesW(ExactPath(path).c_str()) & marks, marks);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Options.ini"});
    SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileStoreReplace, HardLinkedFileIsWrittenWhereItIsAndStaysOneFile) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    const std::string other = folder / "other name.ini";
    WriteFile(path, "[General]\r\nLanguage/Kieli=1\r\n");
    ASSERT_TRUE(CreateHardLinkW(ExactPath(other).c_str(), ExactPath(path).c_str(), nullptr));
    const uint64_t before = FileIndex(Information(path));

    ASSERT_TRUE(platform::SystemFileStore().ReplaceAll(path, "[General]\r\nLanguage/Kieli=0\r\n"));
    EXPECT_EQ(Content(other), "[General]\r\nLanguage/Kieli=0\r\n");
    // Shorter content leaves no tail of the old one.
    ASSERT_TRUE(platform::SystemFileStore().ReplaceAll(other, "x"));
    EXPECT_EQ(Content(path), "x");
    const BY_HANDLE_FILE_INFORMATION after = Information(path);
    EXPECT_EQ(FileIndex(after), before);
    EXPECT_EQ(after.nNumberOfLinks, 2u);
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"Options.ini", "other name.ini"}));
}

TEST(FileStoreReplace, NameWithNoRoomForATemporaryFileBesideIsWrittenInPlace) {
    TempFolder folder;
    // A name of 250 characters: the temporary name made from it would pass the 255 a name may have.
    const std::string name = std::string(246, 'n') + ".ini";
    const std::string path = folder / name;
    WriteFile(path, "a longer old content");
    ASSERT_TRUE(platform::SystemFileStore().ReplaceAll(path, "new"));
    EXPECT_EQ(Content(path), "new");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{name});

    // A file of that name that is not there yet is made all the same.
    const std::string fresh = folder / (std::string(246, 'f') + ".ini");
    ASSERT_TRUE(platform::SystemFileStore().ReplaceAll(fresh, "made"));
    EXPECT_EQ(Content(fresh), "made");
    EXPECT_EQ(NamesIn(folder.Path()).size(), 2u);
}

TEST(FileStoreReplace, ReadOnlyFileAndFolderAreNotWritten) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, "kept");
    ASSERT_TRUE(SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::SystemFileStore().ReplaceAll(path, "lost"));
    SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Content(path), "kept");

    MakeFolder(folder / "a folder\\");
    EXPECT_FALSE(platform::SystemFileStore().ReplaceAll(folder / "a folder", "lost"));
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"Options.ini", "a folder"}));
}

}  // namespace
