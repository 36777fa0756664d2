#include <gtest/gtest.h>

#include "duplicates/checksum.h"
#include "search_fixture.h"

namespace dupes_test {
namespace {

using Lines = std::vector<std::string>;

// Same length and word sum as bytes, different content: two 32-bit words of the head swapped.
std::string SameSumOther(std::string bytes) {
    std::swap_ranges(bytes.begin(), bytes.begin() + 4, bytes.begin() + 4);
    for (int i = 0; i < 4; ++i)
        std::swap(bytes[i], bytes[8 + i]);
    return bytes;
}

TEST_F(SearchTest, ThreeIdenticalFilesMakeOneGroupCountedOnceEachAfterTheFirst) {
    const std::string content = Bytes(1000, 1);
    files.Add("C:\\a.txt", content);
    files.Add("C:\\b.txt", content);
    files.Add("C:\\c.txt", content);
    files.Add("C:\\other.txt", Bytes(999, 2));

    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}));
    EXPECT_EQ(counters.DuplicateFiles, 2u);
    EXPECT_EQ(counters.DuplicateBytes, 2000u);
    EXPECT_EQ(view.panels[2], "Bytes: 2,000");
    EXPECT_EQ(view.panels[3], "Files: 2");
    EXPECT_EQ(view.panels[1], "Duplicates found...");
    EXPECT_EQ(view.panels[4], "Scan complete");
    EXPECT_EQ(view.listCaption, "Duplicates were found...");
    // Each file of the run opened once for its checksum and comparison together; the unique size never.
    EXPECT_EQ(files.opens, 3);
    EXPECT_EQ(files.bytesRead, 3000u);
    EXPECT_EQ(files.openNow, 0);
    EXPECT_FALSE(view.progressShown);
}

TEST_F(SearchTest, GroupsComeLargestFirstWithABlankRowBetween) {
    files.Add("C:\\small1", "abcd");
    files.Add("C:\\small2", "abcd");
    files.Add("C:\\big1", Bytes(5000, 3));
    files.Add("C:\\big2", Bytes(5000, 3));
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\big1", "C:\\big2", "", kHeader, "C:\\small1", "C:\\small2"}));
    EXPECT_EQ(counters.DuplicateBytes, 5004u);
}

TEST_F(SearchTest, FilesDifferingAfterTheChecksumWindowAreReadAndNotListed) {
    std::string a = Bytes(3000, 4);
    std::string b = a;
    b[2000] ^= 1;
    files.Add("C:\\a", a);
    files.Add("C:\\b", b);
    EXPECT_EQ(Search(), Lines{});
    EXPECT_EQ(files.bytesRead, 6000u);
    EXPECT_EQ(counters.DuplicateFiles, 0u);
    EXPECT_EQ(view.panels.count(1) ? view.panels[1] : "", "");
}

TEST_F(SearchTest, FilesWhoseFirstBytesDifferInSumAreNeverCompared) {
    std::string a = Bytes(100000, 5);
    std::string b = a;
    b[10] ^= 1;
    files.Add("C:\\a", a);
    files.Add("C:\\b", b);
    EXPECT_EQ(Search(), Lines{});
    EXPECT_EQ(files.bytesRead, 2 * duplicates::kChecksumWindow);
}

TEST_F(SearchTest, EveryClassOfIdenticalFilesInARunIsFound) {
    const std::string b = Bytes(800, 6);
    const std::string a = SameSumOther(b);
    ASSERT_NE(a, b);
    files.Add("C:\\A", a);
    files.Add("C:\\B", b);
    files.Add("C:\\C", b);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\B", "C:\\C"}));
    EXPECT_EQ(counters.DuplicateFiles, 1u);
}

TEST_F(SearchTest, IdenticalFilesSeparatedByOthersFormOneGroup) {
    const std::string same = Bytes(800, 7);
    std::string b = same;
    b[700] ^= 1;
    std::string d = same;
    d[799] ^= 2;
    files.Add("C:\\A", same);
    files.Add("C:\\B", b);
    files.Add("C:\\C", same);
    files.Add("C:\\D", d);
    files.Add("C:\\E", same);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\A", "C:\\C", "C:\\E"}));
    EXPECT_EQ(counters.DuplicateFiles, 2u);
    EXPECT_EQ(counters.DuplicateBytes, 1600u);
}

TEST_F(SearchTest, TimeStampSwitchComparesOnlyFilesOfEqualStamp) {
    switches.CheckFileStamp = true;
    const std::string content = Bytes(2000, 8);
    files.Add("C:\\x1", content, 100 * 10'000'000LL);
    files.Add("C:\\x2", content, 500 * 10'000'000LL);
    files.Add("C:\\y1", Bytes(3000, 9), 100 * 10'000'000LL);
    files.Add("C:\\y2", Bytes(3000, 9), 100 * 10'000'000LL);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\y1", "C:\\y2"}));
    // No file is opened for a time stamp; the x files, of different stamps, are never opened at all.
    EXPECT_EQ(files.opens, 2);
}

TEST_F(SearchTest, SameNameSwitchKeepsIdenticalFilesOfDifferentNamesApart) {
    switches.CheckFileName = true;
    const std::string content = Bytes(700, 10);
    files.AddFolder("C:\\d1");
    files.AddFolder("C:\\d2");
    files.Add("C:\\d1\\one.txt", content);
    files.Add("C:\\d2\\ONE.TXT", content);
    files.Add("C:\\d2\\two.txt", content);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\d1\\one.txt", "C:\\d2\\ONE.TXT"}));
    // two.txt is read for its checksum only.
    EXPECT_EQ(files.bytesRead, 3 * 512u + 2 * 188u);
}

TEST_F(SearchTest, IncludedEmptyFilesFormOneGroupWithoutBytes) {
    switches.SkipEmptyFiles = false;
    files.Add("C:\\e1", "");
    files.Add("C:\\e2", "");
    files.Add("C:\\e3", "");
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\e1", "C:\\e2", "C:\\e3"}));
    EXPECT_EQ(counters.DuplicateFiles, 2u);
    EXPECT_EQ(counters.DuplicateBytes, 0u);
    EXPECT_EQ(files.bytesRead, 0u);
}

TEST_F(SearchTest, NameModeGroupsSameNamesWithoutReading) {
    switches.CheckFileSize = false;
    for (const char* folder : {"C:\\a", "C:\\b", "C:\\c"})
        files.AddFolder(folder);
    files.Add("C:\\a\\readme.txt", "one");
    files.Add("C:\\b\\README.TXT", "two two");
    files.Add("C:\\c\\ReadMe.txt", "3");
    files.Add("C:\\a\\zz.doc", "x");
    files.Add("C:\\b\\zz.doc", "y");
    files.Add("C:\\c\\lonely.doc", "z");
    const Lines lines = Search();
    ASSERT_EQ(lines.size(), 8u);
    // Names come in descending order.
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(std::count(lines.begin(), lines.begin() + 3, "C:\\a\\zz.doc") +
                  std::count(lines.begin(), lines.begin() + 3, "C:\\b\\zz.doc"),
              2);
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], kHeader);
    EXPECT_EQ(counters.DuplicateFiles, 3u);
    EXPECT_EQ(counters.DuplicateBytes, 0u);
    EXPECT_EQ(files.opens, 0);
    EXPECT_EQ(files.bytesRead, 0u);
}

TEST_F(SearchTest, AFileLockedAgainstReadingIsNeverListed) {
    const std::string content = Bytes(1500, 11);
    files.Add("C:\\a", content);
    files.Add("C:\\b", content)->locked = true;
    EXPECT_EQ(Search(), Lines{});
    files.Add("C:\\c", content);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\a", "C:\\c"}));
}

TEST_F(SearchTest, StopDuringComparisonKeepsTheGroupsFound) {
    for (int size = 1; size <= 5; ++size) {
        files.Add("C:\\p" + std::to_string(size), Bytes(size * 100, size));
        files.Add("C:\\q" + std::to_string(size), Bytes(size * 100, size));
    }
    auto collection = Collect();
    view.yields = 0;
    view.stopAfterYields = 7;  // a yield after each candidate and each line: at the end of the second run
    Compare(collection);
    EXPECT_EQ(rows.lines, (Lines{kHeader, "C:\\p5", "C:\\q5", "", kHeader, "C:\\p4", "C:\\q4"}));
    EXPECT_EQ(view.panels[4], "Comparison interrupted");
    EXPECT_TRUE(collection.Candidates.empty());
}

TEST_F(SearchTest, EndTextsInFinnish) {
    base::SetFinnishUI(true);
    files.Add("C:\\a", "same");
    files.Add("C:\\b", "same");
    EXPECT_EQ(Search(), (Lines{"# Duplikaatti tiedostot.....", "C:\\a", "C:\\b"}));
    EXPECT_EQ(view.panels[4], "Tutkiminen suoritettu");
    EXPECT_EQ(view.panels[1], "Duplikaatteja löytyi...");
    EXPECT_EQ(view.panels[3], "Tiedostoja: 1");
    EXPECT_EQ(view.listCaption, "Duplikaatteja löytyi...");
}

TEST_F(SearchTest, OneFileReachedByTwoPathsIsNeverItsOwnDuplicate) {
    const std::string content = Bytes(900, 12);
    files.AddFolder("C:\\d");
    files.Add("C:\\d\\file", content);
    files.Link("C:\\d\\link", "C:\\d\\file");
    EXPECT_EQ(Search(), Lines{});
    files.Add("C:\\copy", content);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\copy", "C:\\d\\file"}));
    EXPECT_EQ(counters.DuplicateFiles, 1u);
}

TEST_F(SearchTest, OneFileReachedByTwoPathsIsListedOnceInNameMode) {
    switches.CheckFileSize = false;
    files.listingGivesIds = true;
    files.AddFolder("C:\\a");
    files.AddFolder("C:\\b");
    files.Add("C:\\a\\same.txt", "1");
    files.Link("C:\\b\\same.txt", "C:\\a\\same.txt");
    EXPECT_EQ(Search(), Lines{});
    EXPECT_EQ(files.describes, 0);  // the listing said which file each path is
    files.listingGivesIds = false;
    EXPECT_EQ(Search(), Lines{});
    EXPECT_EQ(files.describes, 2);
}

TEST_F(SearchTest, AFileChangedSinceCollectionNoLongerMatches) {
    const std::string content = Bytes(1200, 13);
    files.Add("C:\\a", content);
    files.Add("C:\\b", content);
    files.Add("C:\\c", content);
    auto collection = Collect();
    files.At("C:\\b").bytes += "grown";
    files.At("C:\\c").writeTime = 42;
    Compare(collection);
    EXPECT_EQ(rows.lines, Lines{});
}

TEST_F(SearchTest, AFileThatShrinksWhileComparedNoLongerMatches) {
    const std::string content = Bytes(4000, 14);
    files.Add("C:\\a", content);
    files.Add("C:\\b", content)->shrinkOnRead = true;
    files.Add("C:\\c", content);
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\a", "C:\\c"}));
}

TEST_F(SearchTest, AHugeRunKeepsFewFilesOpenAndOpensEachAtMostTwice) {
    const std::string same = Bytes(600, 15);
    for (int i = 0; i < 300; ++i)
        files.Add("C:\\f" + std::to_string(1000 + i), i == 10 || i == 290 ? same : Bytes(600, 100 + i));
    EXPECT_EQ(Search(), (Lines{kHeader, "C:\\f1010", "C:\\f1290"}));
    EXPECT_LE(files.mostOpen, 257);
    EXPECT_LE(files.opens, 301);
    EXPECT_EQ(files.openNow, 0);
}

TEST(Checksum, SumsTheFirstWordsLittleEndianWithBit31Cleared) {
    const unsigned char head[] = {1, 0, 0, 0, 0, 0, 0, 0x80, 2, 0, 0, 0, 9};
    EXPECT_EQ(duplicates::WordSum(head, 13), 3);
    EXPECT_EQ(duplicates::WordSum(head, 3), 0);
    EXPECT_EQ(duplicates::WordSum(head, 7), 1);  // one whole word only
    std::vector<unsigned char> big(600, 1);
    EXPECT_EQ(duplicates::WordSum(std::span(big).first(512), 600),
              0x00808080);  // 128 words of 0x01010101, bit 31 cleared
}

TEST(Checksum, DosStampPacksDateAboveTime) {
    base::DateTime when;
    when.year = 2001;
    when.month = 2;
    when.day = 3;
    when.hour = 4;
    when.minute = 5;
    when.second = 7;
    EXPECT_EQ(duplicates::DosStamp(when), (21 << 25 | 2 << 21 | 3 << 16 | 4 << 11 | 5 << 5 | 3));
}

}  // namespace
}  // namespace dupes_test
