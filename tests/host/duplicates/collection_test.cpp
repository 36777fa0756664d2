#include <gtest/gtest.h>

#include "duplicates/search_folders.h"
#include "search_fixture.h"

namespace dupes_test {
namespace {

using Texts = std::vector<std::string>;

std::vector<std::string> Paths(const duplicates::Collection& collection) {
    std::vector<std::string> paths;
    for (const auto& candidate : collection.Candidates)
        paths.push_back(collection.PathOf(candidate));
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(FoldersToSearch, NestedFoldersAreRemovedWithANotice) {
    base::SetFinnishUI(false);
    const auto result = duplicates::NormaliseFoldersToSearch("\\, Docs ,\\docs\\sub", base::CompareIgnoringAsciiCase);
    EXPECT_EQ(result.folders, Texts{"\\"});
    EXPECT_EQ(result.commaText, "\\");
    ASSERT_EQ(result.notices.size(), 2u);
    EXPECT_EQ(result.notices[0], "Folder: \\DOCS\\ is already included in \nfolder: \\ and will therefore be removed.");

    base::SetFinnishUI(true);
    const auto finnish =
        duplicates::NormaliseFoldersToSearch("\\Työt\\,\\TYÖT\\Vanhat", base::CompareIgnoringAsciiCase);
    base::SetFinnishUI(false);
    EXPECT_EQ(finnish.folders, Texts{"\\työt\\"});
    ASSERT_EQ(finnish.notices.size(), 1u);
    EXPECT_EQ(finnish.notices[0], "Kansio: \\TYÖT\\VANHAT\\ sisältyy jo \nkansioon: \\TYÖT\\ ja siksi se poistetaan.");
}

TEST(FoldersToSearch, SimilarNamesRepeatsAndEmptyItems) {
    const auto order = base::CompareIgnoringAsciiCase;
    const auto result = duplicates::NormaliseFoldersToSearch("\\docs,\\doc,,DOC\\,\"\"", order);
    EXPECT_EQ(result.folders, (Texts{"\\doc\\", "\\docs\\"}));
    EXPECT_TRUE(result.notices.empty());
    EXPECT_EQ(duplicates::NormaliseFoldersToSearch("   ", order).folders, Texts{"\\"});
    EXPECT_EQ(duplicates::NormaliseFoldersToSearch(",,", order).folders, Texts{"\\"});
}

TEST(SkipFolders, ShortItemsAreDropped) {
    const auto result = duplicates::NormaliseSkipFolders("a, \\ ,Temp,\"My Music\"", base::CompareIgnoringAsciiCase);
    EXPECT_EQ(result.folders, (Texts{"\\a\\", "\\my music\\", "\\temp\\"}));
    EXPECT_EQ(result.commaText, "\\a\\,\"\\my music\\\",\\temp\\");
}

TEST(Keys, SizeKeysSortBySizeAsTextAndNeverMeetAcrossFourGigabytes) {
    const uint64_t big = (uint64_t{1} << 32) + 10;
    EXPECT_NE(duplicates::SizeKey(big), duplicates::SizeKey(10));
    EXPECT_LT(duplicates::SizeKey(10), duplicates::SizeKey(9999));
    EXPECT_LT(duplicates::SizeKey(9999), duplicates::SizeKey(big));
    EXPECT_EQ(duplicates::SizeKey(10).size(), duplicates::SizeKey(big).size());
    EXPECT_EQ(duplicates::NameKey("readme.txt"), "readme.txt\\");
}

TEST_F(SearchTest, InputsAreWrittenBackNormalised) {
    inputs.rootDirText = "\\Work,\\work\\Sub";
    inputs.skipFolderText = "x,Temp";
    inputs.fileMaskText = "*.txt,*.TXT,*.doc";
    Collect();
    EXPECT_EQ(inputs.rootDirText, "\\work\\");
    EXPECT_EQ(inputs.skipFolderText, "\\temp\\,\\x\\");
    EXPECT_EQ(inputs.fileMaskText, "*.doc,*.txt");
    EXPECT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.panels[2], "Bytes:");
    EXPECT_EQ(view.panels[3], "Files:");
}

TEST_F(SearchTest, SkipListMatchesTheFolderAnywhereInItsPath) {
    for (const char* folder : {"C:\\temp", "C:\\temp\\deep", "C:\\work", "C:\\work\\temp", "C:\\temporary"})
        files.AddFolder(folder);
    for (const char* file :
         {"C:\\temp\\a", "C:\\temp\\deep\\b", "C:\\work\\c", "C:\\work\\temp\\d", "C:\\temporary\\e"})
        files.Add(file, "x");
    inputs.skipFolderText = "temp";
    EXPECT_EQ(Paths(Collect()), (Texts{"C:\\temporary\\e", "C:\\work\\c"}));
    EXPECT_NE(std::find(view.panel4History.begin(), view.panel4History.end(), "Skipping C:\\work\\temp\\"),
              view.panel4History.end());
}

TEST_F(SearchTest, DefaultOptionsLeaveOutEmptyFilesMemoryDumpsAndDesktopFolders) {
    files.AddFolder("C:\\custom");
    files.AddFolder("C:\\custom\\below");
    files.AddFolder("C:\\SYSBCKUP");
    files.Add("C:\\empty.txt", "");
    files.Add("C:\\MM256.DAT", "x");
    files.Add("C:\\mm2048.dat", "x");
    files.Add("C:\\kept.txt", "x");
    files.Add("C:\\custom\\desktop.ini", "x");
    files.Add("C:\\custom\\a.txt", "x");
    files.Add("C:\\custom\\below\\b.txt", "x");
    files.Add("C:\\SYSBCKUP\\c.txt", "x");
    EXPECT_EQ(Paths(Collect()), (Texts{"C:\\custom\\below\\b.txt", "C:\\kept.txt"}));

    // Masks that do not report desktop.ini: the folder is looked up instead.
    inputs.fileMaskText = "*.txt";
    EXPECT_EQ(Paths(Collect()), (Texts{"C:\\custom\\below\\b.txt", "C:\\kept.txt"}));

    switches.SkipEmptyFiles = false;
    switches.SkipDesktopFolders = false;
    switches.SkipSysbckupFolder = false;
    inputs.fileMaskText = "*.*";
    EXPECT_EQ(Paths(Collect()).size(), 6u);
}

TEST_F(SearchTest, KnownDuplicatesAreNeverCandidates) {
    files.Add("C:\\known.txt", "x");
    files.Add("C:\\other.txt", "x");
    known.insert("c:\\KNOWN.txt");
    EXPECT_EQ(Paths(Collect()), Texts{"C:\\other.txt"});
}

TEST_F(SearchTest, DrivesAfterTheMasterFloppyAreFilteredByItsKeys) {
    files.AddFolder("A:");
    files.AddFolder("D:");
    files.Add("A:\\disk.txt", std::string(10, 'a'));
    files.Add("C:\\ten.txt", std::string(10, 'a'));
    files.Add("C:\\twenty.txt", std::string(20, 'a'));
    files.Add("D:\\also-ten.txt", std::string(10, 'b'));
    files.Add("D:\\eleven.txt", std::string(11, 'b'));
    inputs.drives = "ACD";
    auto collection = Collect();
    EXPECT_EQ(Paths(collection), (Texts{"A:\\disk.txt", "C:\\ten.txt", "D:\\also-ten.txt"}));
    EXPECT_NE(std::find(view.panel4History.begin(), view.panel4History.end(), "A:\\"), view.panel4History.end());

    switches.FloppyIsMaster = false;
    EXPECT_EQ(Paths(Collect()).size(), 5u);
    inputs.drives = "CD";
    switches.FloppyIsMaster = true;
    EXPECT_EQ(Paths(Collect()).size(), 4u);
}

TEST_F(SearchTest, CandidatesAreInKeyOrderWithTheirLines) {
    files.Add("C:\\b.txt", std::string(300, 'b'));
    files.Add("C:\\a.txt", std::string(20, 'a'));
    files.Add("C:\\c.txt", std::string(4000, 'c'));
    auto collection = Collect();
    ASSERT_EQ(collection.Candidates.size(), 3u);
    EXPECT_EQ(collection.Candidates[0].Line(), duplicates::SizeKey(20) + "a.txt");
    EXPECT_EQ(collection.Candidates[2].Line(), duplicates::SizeKey(4000) + "c.txt");
    EXPECT_EQ(collection.Folders, Texts{"C:\\"});

    switches.CheckFileSize = false;
    collection = Collect();
    EXPECT_EQ(collection.Candidates[0].Line(), "a.txt\\a.txt");
    EXPECT_EQ(collection.Candidates[2].Line(), "c.txt\\c.txt");
}

TEST_F(SearchTest, StopDuringTheWalkEndsItAndEveryLaterDrive) {
    files.AddFolder("C:\\one");
    files.AddFolder("C:\\two");
    files.AddFolder("D:");
    files.Add("C:\\one\\a", "1");
    files.Add("C:\\two\\b", "2");
    files.Add("D:\\c", "3");
    inputs.drives = "CD";
    view.stopAfterYields = 2;  // while entering C:\one
    auto collection = Collect();
    EXPECT_TRUE(collection.scanStopped);
    EXPECT_EQ(collection.Folders, Texts{"C:\\"});
    Compare(collection);
    EXPECT_EQ(view.panels[4], "Comparison interrupted");
}

}  // namespace
}  // namespace dupes_test
