#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "fs/tree_scanner.h"
#include "fs_test_support.h"
#include "platform/file_system.h"
#include "platform/win32/extended_path.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"

using namespace testing_support;
using platform::DirEntry;

namespace {

std::map<std::string, DirEntry> ListByName(const std::string& folder) {
    std::map<std::string, DirEntry> entries;
    EXPECT_TRUE(platform::SystemFileSystem().ForEachEntry(folder, [&](const DirEntry& e) { entries[e.name] = e; }));
    return entries;
}

// Writes a file under its exact name, trailing dots and blanks included.
void WriteExactly(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(platform::win32::ExactPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string IdText(const platform::FileId& id) {
    return std::to_string(id.volumeSerial) + ":" + std::to_string(id.high) + ":" + std::to_string(id.low);
}

std::optional<DWORD> VolumeSerialOf(const std::string& folder) {
    const HANDLE handle = CreateFileW(platform::win32::ExactPath(folder).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    DWORD serial = 0;
    const BOOL known = GetVolumeInformationByHandleW(handle, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    CloseHandle(handle);
    return known ? std::optional<DWORD>(serial) : std::nullopt;
}

}  // namespace

TEST(FileSystemOnDisk, ListingGivesTheWholeEntryAsALookupDoes) {
    TempFolder folder;
    WriteFile(folder / "big.bin", std::string(10000, 'b'));
    WriteFile(folder / "sub\\x.txt", "x");
    fs_test::SetLocalWriteTime(folder / "big.bin", 2021, 6, 15, 12, 30);

    const auto entries = ListByName(folder.Path());
    ASSERT_EQ(entries.size(), 2u);
    const DirEntry& big = entries.at("big.bin");
    EXPECT_EQ(big.size, 10000u);
    EXPECT_GE(big.allocatedSize, 10000u);  // whole clusters
    EXPECT_TRUE(big.id.known);
    EXPECT_EQ(big.reparseTag, 0u);
    const DirEntry& sub = entries.at("sub");
    EXPECT_TRUE(sub.attributes & platform::attr::kDirectory);
    EXPECT_FALSE(sub.id == big.id);

    const auto found = platform::SystemFileSystem().FindEntry(folder / "big.bin");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "big.bin");
    EXPECT_EQ(found->size, big.size);
    EXPECT_EQ(found->allocatedSize, big.allocatedSize);
    EXPECT_EQ(found->writeTime, big.writeTime);
    EXPECT_EQ(found->attributes, big.attributes);
    EXPECT_EQ(IdText(found->id), IdText(big.id));
    const auto folderEntry = platform::SystemFileSystem().FindEntry(folder / "sub\\");
    ASSERT_TRUE(folderEntry);
    EXPECT_EQ(folderEntry->name, "sub");
    EXPECT_EQ(IdText(folderEntry->id), IdText(sub.id));

    EXPECT_FALSE(platform::SystemFileSystem().FindEntry(folder / "missing.bin"));
    EXPECT_FALSE(platform::SystemFileSystem().ForEachEntry(folder / "missing", [](const DirEntry&) {}));
    // A file is no folder: it cannot be listed.
    EXPECT_FALSE(platform::SystemFileSystem().ForEachEntry(folder / "big.bin", [](const DirEntry&) {}));
}

TEST(FileSystemOnDisk, HardLinkIsTheSameFile) {
    TempFolder folder;
    WriteFile(folder / "one.txt", "same");
    WriteFile(folder / "other.txt", "same");
    ASSERT_TRUE(fs_test::MakeHardLink(folder / "one.txt", folder / "two.txt"));
    const auto entries = ListByName(folder.Path());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries.at("one.txt").id == entries.at("two.txt").id);
    EXPECT_FALSE(entries.at("one.txt").id == entries.at("other.txt").id);
    const auto viaLookup = platform::SystemFileSystem().FindEntry(folder / "two.txt");
    ASSERT_TRUE(viaLookup);
    EXPECT_TRUE(viaLookup->id == entries.at("one.txt").id);
}

// A process learns of a drive letter made (by this test or another test program running at the same time)
// only when Wine renews its table of drives, at most once a second; the volume the system tells for a folder
// can change then. So the identities are compared from a pass during which the system's own answer for both
// names stood still and was one volume.
TEST(FileSystemOnDisk, OneFolderUnderTwoDriveLettersIsOneFolder) {
    TempFolder folder;
    WriteFile(folder / "data\\file.txt", "shared");
    WriteFile(folder / "data\\inner\\deep.txt", "deep");
    TestDrive drive(DriveType::Fixed, folder / "data");
    const auto systemView = [&] {
        return std::make_pair(VolumeSerialOf(folder / "data"), VolumeSerialOf(drive.Root()));
    };
    std::map<std::string, DirEntry> direct;
    std::map<std::string, DirEntry> viaDrive;
    std::optional<DirEntry> root;
    std::optional<DirEntry> data;
    bool steady = false;
    for (int pass = 0; pass < 100 && !steady; ++pass) {
        const auto before = systemView();
        direct = ListByName(folder / "data");
        viaDrive = ListByName(drive.Root());
        root = platform::SystemFileSystem().FindEntry(drive.Root());
        data = platform::SystemFileSystem().FindEntry(folder / "data");
        steady = before.first && before == systemView() && before.first == before.second;
        if (!steady)
            Sleep(20);
    }
    ASSERT_TRUE(steady) << "the system never told one volume for the folder under both names";
    ASSERT_EQ(viaDrive.size(), 2u);
    EXPECT_TRUE(direct.at("file.txt").id == viaDrive.at("file.txt").id);
    EXPECT_TRUE(direct.at("inner").id == viaDrive.at("inner").id);
    ASSERT_TRUE(root && data);
    EXPECT_TRUE(root->id == data->id);
    EXPECT_EQ(root->name, "");
}

// A walk hands each folder's own entry to its listing, which then need not ask the system for the volume
// again; an entry that no longer describes the folder at that path must not lend it its volume.
TEST(FileSystemOnDisk, ListingTakesTheVolumeFromTheFolderEntryOnlyWhileItDescribesTheFolder) {
    TempFolder folder;
    WriteFile(folder / "sub\\x.txt", "x");
    const auto& fileSystem = platform::SystemFileSystem();
    const auto ids = [&](const std::string& path, const DirEntry& folderEntry) {
        std::vector<std::string> texts;
        EXPECT_TRUE(fileSystem.ForEachEntryOfListedFolder(path, folderEntry,
                                                          [&](const DirEntry& e) { texts.push_back(IdText(e.id)); }));
        return texts;
    };
    DirEntry sub = ListByName(folder.Path()).at("sub");
    const auto truth = ids(folder / "sub", DirEntry());
    ASSERT_EQ(truth.size(), 1u);
    EXPECT_EQ(ids(folder / "sub", sub), truth);

    // The same folder: its volume is the one its entry names (here one no disk has).
    sub.id.volumeSerial ^= 0x5A5A;
    const auto lent = ids(folder / "sub", sub);
    ASSERT_EQ(lent.size(), 1u);
    EXPECT_EQ(lent[0].substr(0, lent[0].find(':')), std::to_string(sub.id.volumeSerial));

    // Another folder under the same name since the entry was read: the system is asked.
    // The old folder stays (moved aside), so the new one cannot get its file id.
    ASSERT_TRUE(MoveFileW(platform::win32::ExactPath(folder / "sub").c_str(),
                          platform::win32::ExactPath(folder / "old").c_str()));
    WriteFile(folder / "sub\\x.txt", "x");
    const auto fresh = ids(folder / "sub", sub);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(fresh[0].substr(0, fresh[0].find(':')), truth[0].substr(0, truth[0].find(':')));
}

TEST(FileSystemOnDisk, ScannerHandsOutTheListedEntry) {
    TempFolder folder;
    WriteFile(folder / "a.txt", std::string(5000, 'a'));
    MakeFolder(folder / "in");
    ASSERT_TRUE(fs_test::MakeHardLink(folder / "a.txt", folder / "in\\b.txt"));
    fs::TTreeScanner scanner(platform::SystemFileSystem());
    scanner.SetFileMask("*.txt");
    scanner.SetInitialDirectory(folder.Path());
    std::vector<DirEntry> files;
    std::vector<std::string> done;
    scanner.OnFileFound = [&](fs::TTreeScanner& s) { files.push_back(s.Entry()); };
    scanner.OnDirectoryDone = [&](fs::TTreeScanner& s) { done.push_back(s.Directory()); };
    scanner.StartSearch();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "a.txt");
    EXPECT_EQ(files[1].name, "b.txt");
    EXPECT_TRUE(files[0].id == files[1].id);
    EXPECT_GE(files[0].allocatedSize, 5000u);
    EXPECT_EQ(done, (std::vector<std::string>{folder / "in\\", folder.Path()}));
}

TEST(FileSystemOnDisk, NamesEndingInDotsOrBlanksAreThemselves) {
    TempFolder folder;
    WriteExactly(folder / "a", "1");
    WriteExactly(folder / "a.", "22");
    WriteExactly(folder / "a ", "333");
    MakeFolder(folder / "d");
    WriteExactly(folder / "d\\x.", "4444");
    const auto entries = ListByName(folder.Path());
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries.at("a").size, 1u);
    EXPECT_EQ(entries.at("a.").size, 2u);
    EXPECT_EQ(entries.at("a ").size, 3u);
    const auto& fileSystem = platform::SystemFileSystem();
    for (const auto& [name, size] : std::map<std::string, uint64_t>{{"a", 1}, {"a.", 2}, {"a ", 3}}) {
        const auto entry = fileSystem.FindEntry(folder / name);
        ASSERT_TRUE(entry) << name;
        EXPECT_EQ(entry->name, name);
        EXPECT_EQ(entry->size, size) << name;
    }
    // "." and ".." and doubled backslashes are resolved before the system sees the path.
    const auto viaDots = fileSystem.FindEntry(folder / "d\\..\\d\\.\\\\x.");
    ASSERT_TRUE(viaDots);
    EXPECT_EQ(viaDots->size, 4u);
    EXPECT_FALSE(fileSystem.FindEntry(folder / "d\\x"));  // "x." is not "x"

    fs::TTreeScanner scanner(fileSystem);
    scanner.SetFileMask("*");
    scanner.SetInitialDirectory(folder.Path());
    std::vector<std::string> files;
    scanner.OnFileFound = [&](fs::TTreeScanner& s) {
        files.push_back(s.FileFound().substr(folder.Path().size()) + "=" + std::to_string(s.FileSize()));
    };
    scanner.StartSearch();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"a =3", "a.=2", "a=1", "d\\x.=4"}));  // byte order
}
