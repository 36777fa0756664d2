#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/texts.h"
#include "duplicates/collection.h"
#include "duplicates/comparison.h"
#include "host/duplicates/fake_files.h"
#include "platform/file_reader.h"
#include "platform/locale.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"

using namespace testing_support;
using dupes_test::Bytes;
using dupes_test::kHeader;

namespace {

using Lines = std::vector<std::string>;

void SetWriteTime(const std::string& path, uint64_t fileTime) {
    HANDLE file = CreateFileW(platform::win32::ExactPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

// A search of a fixed test drive onto a fresh folder.
class DuplicateSearchOnDisk : public ::testing::Test {
  protected:
    DuplicateSearchOnDisk() : drive(DriveType::Fixed, folder.Path()) {
        base::SetFinnishUI(false);
        switches.CheckFileStamp = false;
        inputs.drives = std::string(1, drive.Letter());
        rows.pathPrefix = 3;  // paths below the drive root
    }

    std::string At(const std::string& relative) const { return drive.Root() + relative; }
    void Write(const std::string& relative, const std::string& bytes) { WriteFile(folder / relative, bytes); }

    duplicates::Collection Collect() {
        fs::TTreeScanner scanner(platform::SystemFileSystem(), order);
        return duplicates::Find_files_to_compare(inputs, switches, known, scanner, platform::SystemFileSystem(), view,
                                                 rows, order);
    }
    Lines Compare(duplicates::Collection& collection) {
        duplicates::Comparison comparison({platform::SystemFileReader(), view, rows, order,
                                           platform::SystemFormatSettings(), platform::LocalDateTimeOf});
        comparison.Compare_files(collection, switches);
        counters = comparison.Counters();
        return rows.lines;
    }
    Lines Search() {
        auto collection = Collect();
        return Compare(collection);
    }

    TempFolder folder;
    TestDrive drive;
    base::TextOrder order = platform::LocaleTextOrder();
    duplicates::SearchSwitches switches;
    duplicates::SearchInputs inputs;
    duplicates::TextSet known{duplicates::OrderLess{&order}};
    dupes_test::RecordingView view;
    dupes_test::RecordedRows rows;
    duplicates::DuplicateCounters counters;
};

TEST_F(DuplicateSearchOnDisk, IdenticalAndNearlyIdenticalFiles) {
    const std::string thousand = Bytes(1000, 1);
    Write("one\\a.txt", thousand);
    Write("one\\b.txt", thousand);
    Write("two\\c.txt", thousand);
    std::string late = Bytes(3000, 2);
    Write("late1", late);
    late[2000] ^= 1;
    Write("late2", late);
    std::string early = Bytes(2000, 3);
    Write("early1", early);
    early[5] ^= 1;
    Write("early2", early);
    EXPECT_EQ(Search(), (Lines{kHeader, "one\\a.txt", "one\\b.txt", "two\\c.txt"}));
    EXPECT_EQ(counters.DuplicateFiles, 2u);
    EXPECT_EQ(counters.DuplicateBytes, 2000u);
    EXPECT_EQ(view.panels[4], "Scan complete");
}

TEST_F(DuplicateSearchOnDisk, EveryClassOfIdenticalFilesInARunIsListedOnce) {
    // Word-swapped heads have equal sums, so all five share size and checksum.
    const std::string base = Bytes(800, 4);
    std::string swapped = base;
    std::swap_ranges(swapped.begin(), swapped.begin() + 4, swapped.begin() + 4);
    std::string tail = base;
    tail[790] ^= 1;
    Write("run1\\A", swapped);
    Write("run1\\B", base);
    Write("run1\\C", base);
    Write("run2\\A", Bytes(900, 5));
    Write("run2\\B", Bytes(900, 6));
    Write("run2\\C", Bytes(900, 5));
    Write("run2\\D", Bytes(900, 7));
    Write("run2\\E", Bytes(900, 5));
    EXPECT_EQ(Search(), (Lines{kHeader, "run2\\A", "run2\\C", "run2\\E", "", kHeader, "run1\\B", "run1\\C"}));
    EXPECT_EQ(counters.DuplicateFiles, 3u);
}

TEST_F(DuplicateSearchOnDisk, TimeStampAndNameSwitches) {
    const std::string content = Bytes(1500, 8);
    Write("x\\same.txt", content);
    Write("y\\same.txt", content);
    Write("y\\other.txt", content);
    SetWriteTime(folder / "x\\same.txt", 130000000000000000ull);
    SetWriteTime(folder / "y\\same.txt", 130000000000000000ull);
    SetWriteTime(folder / "y\\other.txt", 131000000000000000ull);
    switches.CheckFileStamp = true;
    EXPECT_EQ(Search(), (Lines{kHeader, "x\\same.txt", "y\\same.txt"}));
    switches.CheckFileStamp = false;
    switches.CheckFileName = true;
    EXPECT_EQ(Search(), (Lines{kHeader, "x\\same.txt", "y\\same.txt"}));
    switches.CheckFileName = false;
    EXPECT_EQ(Search(), (Lines{kHeader, "x\\same.txt", "y\\other.txt", "y\\same.txt"}));
}

TEST_F(DuplicateSearchOnDisk, EmptyFilesAndNameMode) {
    Write("e1", "");
    Write("e2", "");
    Write("d1\\ReadMe.txt", "one");
    Write("d2\\README.TXT", "other text");
    EXPECT_EQ(Search(), Lines{});
    switches.SkipEmptyFiles = false;
    EXPECT_EQ(Search(), (Lines{kHeader, "e1", "e2"}));
    EXPECT_EQ(counters.DuplicateBytes, 0u);
    switches.SkipEmptyFiles = true;
    switches.CheckFileSize = false;
    EXPECT_EQ(Search(), (Lines{kHeader, "d2\\README.TXT", "d1\\ReadMe.txt"}));
    EXPECT_EQ(counters.DuplicateFiles, 1u);
}

TEST_F(DuplicateSearchOnDisk, AFileLockedAgainstReadingIsNeverListed) {
    const std::string content = Bytes(1200, 9);
    Write("a", content);
    Write("b", content);
    Write("c", content);
    HANDLE lock =
        CreateFileW(platform::win32::Widen(folder / "b").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Search(), (Lines{kHeader, "a", "c"}));
    CloseHandle(lock);
}

TEST_F(DuplicateSearchOnDisk, StopDuringTheComparisonKeepsTheGroupsFound) {
    for (int i = 1; i <= 4; ++i) {
        Write("p" + std::to_string(i), Bytes(i * 1000, i));
        Write("q" + std::to_string(i), Bytes(i * 1000, i));
    }
    auto collection = Collect();
    view.yields = 0;
    view.stopAfterYields = 7;
    EXPECT_EQ(Compare(collection), (Lines{kHeader, "p4", "q4", "", kHeader, "p3", "q3"}));
    EXPECT_EQ(view.panels[4], "Comparison interrupted");
}

TEST_F(DuplicateSearchOnDisk, NestedFoldersAndTheSkipList) {
    for (const char* path : {"temp\\a", "work\\temp\\b", "work\\c", "temporary\\d", "Docs\\e"})
        Write(path, "same bytes");
    inputs.rootDirText = "\\,\\Docs";
    inputs.skipFolderText = "temp";
    EXPECT_EQ(Search(), (Lines{kHeader, "Docs\\e", "temporary\\d", "work\\c"}));
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0], "Folder: \\DOCS\\ is already included in \nfolder: \\ and will therefore be removed.");
    EXPECT_EQ(inputs.rootDirText, "\\");
}

TEST_F(DuplicateSearchOnDisk, OneFileByTwoPathsIsNeverItsOwnDuplicate) {
    const std::string content = Bytes(2500, 10);
    Write("data\\file", content);
    ASSERT_TRUE(CreateHardLinkW(platform::win32::Widen(folder / "data\\link").c_str(),
                                platform::win32::Widen(folder / "data\\file").c_str(), nullptr));
    TestDrive second(DriveType::Fixed, folder.Path());
    inputs.drives += second.Letter();
    EXPECT_EQ(Search(), Lines{});
    Write("copy", content);
    const Lines lines = Search();
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(counters.DuplicateFiles, 1u);
}

TEST_F(DuplicateSearchOnDisk, AFileThatGrewAfterCollectionNoLongerMatches) {
    const std::string content = Bytes(4000, 11);
    Write("a", content);
    Write("b", content);
    auto collection = Collect();
    Write("b", content + "more");
    EXPECT_EQ(Compare(collection), Lines{});
}

}  // namespace
