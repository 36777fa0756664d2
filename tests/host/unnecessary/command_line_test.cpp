#include <gtest/gtest.h>

#include "base/comma_text.h"
#include "support/fake_disk.h"
#include "unnecessary/command_line.h"

using namespace unnecessary;
using fs_test::FakeTree;

namespace {

using Texts = std::vector<std::string>;

// A disk on which "c:\docs\longre~1.bak" is the 8.3 alias of "c:\docs\Long report.bak".
class AliasTree : public FakeTree {
  public:
    std::optional<platform::DirEntry> FindEntry(std::string_view path) const override {
        if (path != "c:\\docs\\longre~1.bak")
            return FakeTree::FindEntry(path);
        auto entry = FakeTree::FindEntry("c:\\docs\\Long report.bak");
        entry->name = "longre~1.bak";
        return entry;
    }
};

Texts PathsOf(const SpecExpansion& expansion) {
    Texts paths;
    for (const auto& file : expansion.files)
        paths.push_back(file.path);
    return paths;
}

}  // namespace

TEST(CommandLine, FirstArgumentIsTheFolderAndLaterOnesAreSwitchesInAnyCase) {
    CommandLine line = ParseCommandLine({});
    EXPECT_FALSE(line.folder);
    EXPECT_FALSE(line.AutoDelete);

    line = ParseCommandLine({"-auto_delete"});
    EXPECT_EQ(line.folder, "-auto_delete");
    EXPECT_FALSE(line.AutoDelete);

    line = ParseCommandLine({"\\Temp", "-AUTO_DELETE", "-KEEP=C:\\A.bak,c:\\b.bak", "-delete=c:\\junk\\*.log",
                             "-Delete=D:\\X.TMP", "-keep", "-deleted", "-auto_deletes", "other"});
    EXPECT_EQ(line.folder, "\\Temp");
    EXPECT_TRUE(line.AutoDelete);
    EXPECT_EQ(line.keep.items, (Texts{"c:\\a.bak", "c:\\b.bak"}));
    EXPECT_EQ(line.remove.items, (Texts{"c:\\junk\\*.log", "d:\\x.tmp"}));
}

TEST(CommandLine, ABlankInAPathStaysInItsItem) {
    // The system has taken the quotes off "-keep=C:\My Documents\a.bak": the blank belongs to the path.
    EXPECT_EQ(SplitSpecList("c:\\my documents\\a.bak").items, Texts{"c:\\my documents\\a.bak"});
    EXPECT_EQ(SplitSpecList("c:\\my documents\\a.bak, c:\\old files\\*.tmp ,c:\\b.bak").items,
              (Texts{"c:\\my documents\\a.bak", "c:\\old files\\*.tmp", "c:\\b.bak"}));
    // Blanks still part items where a new full path or a quoted item plainly starts.
    EXPECT_EQ(SplitSpecList("c:\\a.bak  d:\\b c.bak \\\\srv\\share\\x.tmp").items,
              (Texts{"c:\\a.bak", "d:\\b c.bak", "\\\\srv\\share\\x.tmp"}));
    EXPECT_EQ(SplitSpecList("c:\\my c:x \\\\b").items, Texts{"c:\\my c:x \\\\b"});
    // Quotes that reach the program keep commas and blanks; a doubled quote is one; empty items go.
    EXPECT_EQ(SplitSpecList("\"c:\\a, b.bak\" \"c:\\x\"\"y\",,c:\\d.bak,\"\"").items,
              (Texts{"c:\\a, b.bak", "c:\\x\"y", "c:\\d.bak"}));
    EXPECT_TRUE(SplitSpecList("  , ,").items.empty());
}

TEST(CommandLine, AnUnattendedRunIsOneThatDeletesOrNamesFilesToKeepOrDelete) {
    EXPECT_FALSE(IsUnattendedRun(ParseCommandLine({})));
    EXPECT_FALSE(IsUnattendedRun(ParseCommandLine({"\\Temp"})));
    EXPECT_FALSE(IsUnattendedRun(ParseCommandLine({"-auto_delete"})));  // a folder, not a switch
    EXPECT_FALSE(IsUnattendedRun(ParseCommandLine({"\\Temp", "-keep", "other"})));
    EXPECT_FALSE(IsUnattendedRun(ParseCommandLine({"\\Temp", "-keep=", "-delete=,"})));  // naming no file
    for (const char* unattended : {"-Auto_Delete", "-keep=c:\\a.bak", "-delete=c:\\b.tmp"})
        EXPECT_TRUE(IsUnattendedRun(ParseCommandLine({"\\Temp", unattended}))) << unattended;
}

TEST(CommandLine, AListLongerThanTheLimitLosesTheItemTheCutFallsInto) {
    const std::string first = "c:\\" + std::string(700, 'a') + ".bak";
    const std::string second = "c:\\" + std::string(300, 'b') + "*";  // would end near the limit
    EXPECT_EQ(SplitSpecList(first).items, Texts{first});

    // The second item crosses the limit: cut short it would name more files ("c:\bbb..." -> any "bb*").
    const std::string longer = first + "," + second + "xyz.log";
    ASSERT_GT(longer.size(), kMaxSpecLength);
    SpecItems split = SplitSpecList(longer);
    EXPECT_EQ(split.items, Texts{first});
    EXPECT_EQ(split.cutOff, Texts{second + "xyz.log"});

    // An item ending exactly at the limit is whole and stays, a blank in it too.
    const std::string exact = first + "," + "c:\\x " + std::string(kMaxSpecLength - first.size() - 6, 'c');
    ASSERT_EQ(exact.size(), kMaxSpecLength);
    split = SplitSpecList(exact + ",d:\\more");
    EXPECT_EQ(split.items, (Texts{first, exact.substr(first.size() + 1)}));
    EXPECT_EQ(split.cutOff, Texts{"d:\\more"});
    const CommandLine line = ParseCommandLine({"\\", "-delete=" + longer, "-keep=" + longer});
    EXPECT_EQ(line.remove.items, Texts{first});
    EXPECT_EQ(line.keep.cutOff, Texts{second + "xyz.log"});
}

TEST(CommandLine, SpecListsTakeExistingFilesOnlyNeverFolders) {
    FakeTree tree;
    tree.AddFolder("c:\\junk");
    tree.AddFile("c:\\junk\\Report.LOG");
    tree.AddFile("c:\\junk\\b.log");
    tree.AddFile("c:\\junk\\c.txt");
    tree.AddFolder("c:\\junk\\old.log");
    tree.AddFolder("c:\\junk\\sub");
    tree.AddFile("c:\\junk\\sub\\deep.log");
    tree.AddFolder("c:\\my documents");
    tree.AddFile("c:\\my documents\\a.bak");
    tree.AddFile("c:\\my");

    SpecExpansion expansion = ExpandSpecList({"c:\\junk\\*.log"}, tree);
    EXPECT_EQ(PathsOf(expansion), (Texts{"c:\\junk\\Report.LOG", "c:\\junk\\b.log"}));  // names as stored
    EXPECT_TRUE(expansion.unmatched.empty());
    EXPECT_EQ(expansion.files[0].id, tree.Entry("c:\\junk\\Report.LOG").id);

    // "*" alone: files only, never a folder nor "." and "..".
    expansion = ExpandSpecList(SplitSpecList("c:\\junk\\*").items, tree);
    EXPECT_EQ(PathsOf(expansion), (Texts{"c:\\junk\\Report.LOG", "c:\\junk\\b.log", "c:\\junk\\c.txt"}));

    // A path with a blank names that file, not "c:\my".
    expansion = ExpandSpecList(SplitSpecList("c:\\my documents\\a.bak").items, tree);
    EXPECT_EQ(PathsOf(expansion), Texts{"c:\\my documents\\a.bak"});

    // A named file must exist; a relative item, a drive-relative one, a missing folder, a wildcard in a folder
    // name and a folder add nothing, and are told.
    const Texts nothing = {"c:\\junk\\none.log", "b.log",        "c:b.log",     "c:\\nowhere\\*.log", "c:\\*\\deep.log",
                           "c:\\junk\\sub",      "c:\\junk\\..", "c:\\junk\\.", "\\\\srv\\x.log"};
    Texts items = nothing;
    items.push_back("c:\\junk\\b.log");
    expansion = ExpandSpecList(items, tree);
    EXPECT_EQ(PathsOf(expansion), Texts{"c:\\junk\\b.log"});
    EXPECT_EQ(expansion.unmatched, nothing);
}

TEST(CommandLine, ANameWithoutWildcardsIsAlsoLookedUpAsWritten) {
    // An 8.3 alias is no listed name, but the system finds the file by it.
    AliasTree tree;
    tree.AddFolder("c:\\docs");
    tree.AddFile("c:\\docs\\Long report.bak");
    const SpecExpansion expansion = ExpandSpecList({"c:\\docs\\longre~1.bak"}, tree);
    ASSERT_EQ(expansion.files.size(), 1u);
    EXPECT_EQ(expansion.files[0].id, tree.Entry("c:\\docs\\Long report.bak").id);
}

TEST(CommandLine, SupportedSystems) {
    EXPECT_TRUE(IsSupportedSystem({1, 4, 10}));
    EXPECT_TRUE(IsSupportedSystem({2, 4, 0}));
    EXPECT_TRUE(IsSupportedSystem({2, 10, 0}));
    EXPECT_FALSE(IsSupportedSystem({2, 3, 51}));
    EXPECT_FALSE(IsSupportedSystem({0, 3, 10}));
    EXPECT_FALSE(IsSupportedSystem({3, 5, 0}));
}
