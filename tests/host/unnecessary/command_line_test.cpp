#include <gtest/gtest.h>

#include "base/comma_text.h"
#include "support/fake_disk.h"
#include "unnecessary/command_line.h"

using namespace unnecessary;
using fs_test::FakeTree;

namespace {

using Texts = std::vector<std::string>;

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
    EXPECT_EQ(line.keepSpecs, Texts{"c:\\a.bak,c:\\b.bak"});
    EXPECT_EQ(line.deleteSpecs, (Texts{"c:\\junk\\*.log", "d:\\x.tmp"}));
}

TEST(CommandLine, AListLongerThanTheLimitLosesTheItemTheCutFallsInto) {
    const std::string first = "c:\\" + std::string(700, 'a') + ".bak";
    const std::string second = "c:\\" + std::string(300, 'b') + "*";  // would end near the limit
    EXPECT_EQ(CutSpecList(first), first);

    // The second item crosses the limit: cut short it would name more files ("c:\bbb..." -> any "bb*").
    const std::string longer = first + "," + second + "xyz.log";
    ASSERT_GT(longer.size(), kMaxSpecLength);
    EXPECT_EQ(CutSpecList(longer), first);

    // An item ending exactly at the limit is whole and stays.
    const std::string exact = first + "," + std::string(kMaxSpecLength - first.size() - 1, 'c');
    ASSERT_EQ(exact.size(), kMaxSpecLength);
    EXPECT_EQ(CutSpecList(exact + ",d:\\more"), base::ToCommaText({first, exact.substr(first.size() + 1)}));
    const CommandLine line = ParseCommandLine({"\\", "-delete=" + longer});
    EXPECT_EQ(line.deleteSpecs, Texts{first});
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

    base::SortedStringList list(base::CompareIgnoringAsciiCase, base::Repeats::Drop);
    ExpandSpecList(list, "c:\\junk\\*.log", tree);
    EXPECT_EQ(list.Texts(), (Texts{"c:\\junk\\b.log", "c:\\junk\\Report.LOG"}));  // names as stored

    // "*" alone: files only, never a folder nor "." and ".."; repeats dropped; the list grows.
    ExpandSpecList(list, "c:\\junk\\*,c:\\junk\\*.log", tree);
    EXPECT_EQ(list.Texts(), (Texts{"c:\\junk\\b.log", "c:\\junk\\c.txt", "c:\\junk\\Report.LOG"}));

    // A named file must exist; a relative item, a drive-relative one, a missing folder and a wildcard in a
    // folder name add nothing.
    base::SortedStringList other(base::CompareIgnoringAsciiCase, base::Repeats::Drop);
    ExpandSpecList(other, "c:\\junk\\none.log \"c:\\junk\\b.log\" b.log c:b.log c:\\nowhere\\*.log c:\\*\\deep.log",
                   tree);
    EXPECT_EQ(other.Texts(), Texts{"c:\\junk\\b.log"});
    ExpandSpecList(other, "c:\\junk\\sub,c:\\junk\\..,c:\\junk\\.", tree);
    EXPECT_EQ(other.Texts(), Texts{"c:\\junk\\b.log"});
}

TEST(CommandLine, SupportedSystems) {
    EXPECT_TRUE(IsSupportedSystem({1, 4, 10}));
    EXPECT_TRUE(IsSupportedSystem({2, 4, 0}));
    EXPECT_TRUE(IsSupportedSystem({2, 10, 0}));
    EXPECT_FALSE(IsSupportedSystem({2, 3, 51}));
    EXPECT_FALSE(IsSupportedSystem({0, 3, 10}));
    EXPECT_FALSE(IsSupportedSystem({3, 5, 0}));
}
