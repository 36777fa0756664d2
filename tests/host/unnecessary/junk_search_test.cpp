#include <gtest/gtest.h>

#include "settings/keys.h"
#include "settings/mask_list.h"
#include "support/fake_disk.h"
#include "unnecessary/junk_search.h"

using namespace unnecessary;
using fs_test::FakeTree;
namespace attr = platform::attr;

namespace {

SearchRules DefaultRules() {
    SearchRules rules;
    rules.masks =
        settings::MaskListFromText(settings::keys::kFilesToFind.fallback, base::CompareIgnoringAsciiCase).Texts();
    rules.AvoidTheseFiles =
        settings::MaskListFromText(settings::keys::kAvoidTheseFiles.fallback, base::CompareIgnoringAsciiCase).Texts();
    rules.IgnoreAttributes = IgnoreAttributesOf(true, true, true);
    rules.IgnoreZeroLengthFiles = true;
    return rules;
}

struct SearchRun {
    std::vector<std::string> folders;  // as the status shows them
    std::vector<std::string> files;
    std::vector<uint64_t> sizes;
    bool finished = false;
};

SearchRun Search(const FakeTree& tree, const std::string& folder, const SearchRules& rules, int stopAtFolder = -1) {
    SearchRun run;
    const JunkSearch search(tree, base::CompareIgnoringAsciiCase);
    run.finished = search.SearchFolder(
        folder, rules,
        [&](const std::string& f) {
            run.folders.push_back(f);
            return static_cast<int>(run.folders.size()) != stopAtFolder;
        },
        [&](const FoundFile& file) {
            run.files.push_back(file.path);
            run.sizes.push_back(file.size);
        });
    return run;
}

using Paths = std::vector<std::string>;

}  // namespace

TEST(JunkSearch, DefaultRulesLeaveOutIgnoredAvoidedKeptAndEmptyFilesAndFolders) {
    FakeTree tree;
    tree.AddFolder("C:\\Temp");
    tree.AddFile("C:\\Temp\\plain.tmp", 10);
    tree.AddFile("C:\\Temp\\readonly.tmp", 10, attr::kReadOnly);
    tree.AddFile("C:\\Temp\\hidden.tmp", 10, attr::kHidden);
    tree.AddFile("C:\\Temp\\system.tmp", 10, attr::kSystem);
    tree.AddFile("C:\\Temp\\empty.bak", 0);
    tree.AddFolder("C:\\Temp\\x.bak");
    tree.AddFile("C:\\Temp\\user.dmp", 5);
    tree.AddFile("C:\\Temp\\USER.DMP", 5);
    tree.AddFile("C:\\Temp\\both.bak", 7);  // *.bak and *.bk?
    tree.AddFile("C:\\Temp\\keep.bak", 7);
    tree.AddFile("C:\\Temp\\notes.txt", 7);
    tree.AddFile("C:\\Temp\\old.bk", 3);  // "?" at the end matches nothing too

    SearchRules rules = DefaultRules();
    rules.Keep.Add("c:\\temp\\KEEP.BAK");
    SearchRun run = Search(tree, "C:\\Temp", rules);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.files,
              (Paths{"C:\\Temp\\both.bak", "C:\\Temp\\old.bk", "C:\\Temp\\plain.tmp", "C:\\Temp\\USER.DMP"}));
    EXPECT_EQ(run.sizes, (std::vector<uint64_t>{7, 3, 10, 5}));

    // Without the ignore options those files come too, but a folder named like junk never does.
    rules.IgnoreAttributes = 0;
    rules.IgnoreZeroLengthFiles = false;
    run = Search(tree, "C:\\Temp", rules);
    EXPECT_EQ(run.files,
              (Paths{"C:\\Temp\\both.bak", "C:\\Temp\\empty.bak", "C:\\Temp\\hidden.tmp", "C:\\Temp\\old.bk",
                     "C:\\Temp\\plain.tmp", "C:\\Temp\\readonly.tmp", "C:\\Temp\\system.tmp", "C:\\Temp\\USER.DMP"}));
}

TEST(JunkSearch, WalksDepthFirstOneListingPerFolderIntoHiddenSystemAndReadOnlyFoldersButNotLinks) {
    FakeTree tree;
    tree.AddFolder("C:\\b", attr::kDirectory | attr::kSystem);
    tree.AddFolder("C:\\a", attr::kDirectory | attr::kHidden);
    tree.AddFolder("C:\\a\\deep", attr::kDirectory | attr::kReadOnly);
    tree.AddFolder("C:\\link", attr::kDirectory | attr::kReparsePoint);
    tree.AddFile("C:\\z.tmp");
    tree.AddFile("C:\\b\\1.tmp");
    tree.AddFile("C:\\a\\deep\\2.tmp");
    tree.AddFile("C:\\a\\3.bak");
    tree.AddFile("C:\\link\\4.tmp");

    const SearchRun run = Search(tree, "C:\\", DefaultRules());
    // A folder's own files before anything below it; one status per folder, the root with its backslash.
    EXPECT_EQ(run.files, (Paths{"C:\\z.tmp", "C:\\a\\3.bak", "C:\\a\\deep\\2.tmp", "C:\\b\\1.tmp"}));
    EXPECT_EQ(run.folders, (Paths{"C:\\", "C:\\a", "C:\\a\\deep", "C:\\b"}));
    // Each folder is listed once for all sixteen masks.
    EXPECT_EQ(tree.listings, 4);
}

TEST(JunkSearch, StopKeepsWhatWasFoundButNotTheFolderBeingEntered) {
    FakeTree tree;
    tree.AddFolder("C:\\T\\a");
    tree.AddFolder("C:\\T\\b");
    tree.AddFile("C:\\T\\top.tmp");
    tree.AddFile("C:\\T\\a\\1.tmp");
    tree.AddFile("C:\\T\\b\\2.tmp");

    SearchRun run = Search(tree, "C:\\T", DefaultRules(), 2);
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.files, Paths{"C:\\T\\top.tmp"});
    EXPECT_EQ(run.folders, (Paths{"C:\\T", "C:\\T\\a"}));  // asked no more after the stop

    // A folder that does not exist: its status once and nothing found.
    run = Search(tree, "D:\\Nowhere", DefaultRules());
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.folders, Paths{"D:\\Nowhere"});
    EXPECT_TRUE(run.files.empty());
}

TEST(JunkSearch, FolderTextIsNormalisedToAFolderFromEachDrivesRoot) {
    EXPECT_EQ(NormalisedFolderText("\\Windows\\"), "\\Windows");
    EXPECT_EQ(NormalisedFolderText("C:\\Temp\\"), "\\Temp");
    EXPECT_EQ(NormalisedFolderText("C:\\Temp"), "\\Temp");
    EXPECT_EQ(NormalisedFolderText("\\"), "\\");
    EXPECT_EQ(NormalisedFolderText(""), "\\");
    EXPECT_EQ(NormalisedFolderText("C:"), "\\");
    EXPECT_EQ(NormalisedFolderText("d:\\"), "\\");
    // Never below a drive's current folder.
    EXPECT_EQ(NormalisedFolderText("Temp"), "\\Temp");
    EXPECT_EQ(NormalisedFolderText("C:Temp"), "\\Temp");
    EXPECT_EQ(NormalisedFolderText("\\a\\\\"), "\\a\\\\");
    // Normalising twice changes nothing.
    for (const char* text : {"\\Windows\\", "C:\\Temp", "", "Temp", "\\"})
        EXPECT_EQ(NormalisedFolderText(NormalisedFolderText(text)), NormalisedFolderText(text)) << text;

    EXPECT_EQ(FolderOnDrive('C', "\\Temp"), "C:\\Temp");
    EXPECT_EQ(FolderOnDrive('D', "\\"), "D:\\");
    EXPECT_EQ(IgnoreAttributesOf(true, false, false), 1u);
    EXPECT_EQ(IgnoreAttributesOf(false, true, true), 6u);
}

TEST(JunkSearch, FoundListHoldsEachPathOnceWhateverItsCase) {
    FoundList list(base::CompareIgnoringAsciiCase);
    EXPECT_TRUE(list.Add("c:\\junk\\a.log"));
    EXPECT_FALSE(list.Add("C:\\JUNK\\A.LOG"));
    EXPECT_TRUE(list.Contains("C:\\Junk\\a.log"));
    EXPECT_TRUE(list.Add("C:\\junk\\b.log"));
    list.Clear();
    EXPECT_FALSE(list.Contains("c:\\junk\\a.log"));
}

TEST(JunkSearch, AKeptFileIsLeftOutWhateverPathReachesIt) {
    FakeTree tree;
    tree.AddFolder("C:\\Temp");
    tree.AddFile("C:\\Temp\\report.bak", 10);
    tree.AddHardLink("C:\\Temp\\report.bak", "C:\\Temp\\copy of report.bak");
    tree.AddFile("C:\\Temp\\other.bak", 10);

    // Kept by the identity its own listing gave, and by its path written in other letters.
    SearchRules rules = DefaultRules();
    rules.Keep.Add("c:\\temp\\REPORT~1.BAK", tree.Entry("C:\\Temp\\report.bak").id);
    rules.Keep.Add("c:\\TEMP\\OTHER.BAK");
    EXPECT_TRUE(Search(tree, "C:\\Temp", rules).files.empty());

    // A path alone keeps only itself; an unknown identity keeps nothing.
    rules = DefaultRules();
    rules.Keep.Add("c:\\temp\\report.bak", platform::FileId{});
    EXPECT_EQ(Search(tree, "C:\\Temp", rules).files, (Paths{"C:\\Temp\\copy of report.bak", "C:\\Temp\\other.bak"}));
}
