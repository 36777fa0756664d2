#include <gtest/gtest.h>

#include "support/fake_disk.h"
#include "fs/tree_scanner.h"

using fs::TTreeScanner;
using fs_test::FakeTree;
namespace attr = platform::attr;

namespace {

// Records every event as one line, e.g. "found C:\t\", "file C:\t\a.txt 5", "done C:\t\".
struct Recorder {
    std::vector<std::string> events;
    int yields = 0;

    void Attach(TTreeScanner& scanner) {
        scanner.OnDirectoryFound = [this](TTreeScanner& s) {
            events.push_back("found " + s.FileFound() + (s.FileSize() ? " size!" : ""));
        };
        scanner.OnFileFound = [this](TTreeScanner& s) {
            events.push_back("file " + s.FileFound() + " " + std::to_string(s.FileSize()));
        };
        scanner.OnDirectoryDone = [this](TTreeScanner& s) { events.push_back("done " + s.FileFound()); };
        scanner.OnSearchDone = [this](TTreeScanner& s) {
            events.push_back(std::string("search done") + (s.SearchInProgress() ? " still running!" : ""));
        };
        scanner.Yield = [this] { ++yields; };
    }
};

// C:\t\ with files listed out of order, two subfolders, a hidden and a system folder, hidden files.
FakeTree SampleTree() {
    FakeTree tree;
    tree.AddFolder("C:\\t");
    tree.AddFile("C:\\t\\b.txt", 20);
    tree.AddFolder("C:\\t\\Zeta");
    tree.AddFile("C:\\t\\A.TXT", 10);
    tree.AddFile("C:\\t\\c.doc", 30);
    tree.AddFile("C:\\t\\hidden.txt", 40, attr::kHidden);
    tree.AddFile("C:\\t\\system.txt", 50, attr::kSystem | attr::kReadOnly);
    tree.AddFolder("C:\\t\\alpha");
    tree.AddFolder("C:\\t\\Secret", attr::kHidden);
    tree.AddFolder("C:\\t\\Sys", attr::kSystem);
    tree.AddFolder("C:\\t\\HiddenSys", attr::kSystem | attr::kHidden);
    tree.AddFile("C:\\t\\alpha\\x.txt", 1);
    tree.AddFolder("C:\\t\\alpha\\deep");
    tree.AddFile("C:\\t\\alpha\\deep\\y.TXT", 2);
    tree.AddFile("C:\\t\\Zeta\\z.txt", 3);
    tree.AddFile("C:\\t\\Secret\\s.txt", 4);
    tree.AddFile("C:\\t\\Sys\\never.txt", 5);
    tree.AddFile("C:\\t\\HiddenSys\\never.txt", 6);
    return tree;
}

}  // namespace

TEST(TreeScanner, WalksFilesThenSubfoldersInNameOrder) {
    FakeTree tree = SampleTree();
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\t");
    scanner.SetFileMaskCommaText("*.txt,*.TXT");
    scanner.StartSearch();
    const std::vector<std::string> expected = {
        "found C:\\t\\",
        "file C:\\t\\A.TXT 10",
        "file C:\\t\\b.txt 20",
        "file C:\\t\\system.txt 50",
        "found C:\\t\\alpha\\",
        "file C:\\t\\alpha\\x.txt 1",
        "found C:\\t\\alpha\\deep\\",
        "file C:\\t\\alpha\\deep\\y.TXT 2",
        "done C:\\t\\alpha\\deep\\y.TXT",
        "done C:\\t\\alpha\\deep\\y.TXT",
        "found C:\\t\\Zeta\\",
        "file C:\\t\\Zeta\\z.txt 3",
        "done C:\\t\\Zeta\\z.txt",
        "done C:\\t\\Zeta\\z.txt",
        "search done",
    };
    EXPECT_EQ(r.events, expected);
    EXPECT_EQ(scanner.InitialDirectory(), "C:\\t\\");
    EXPECT_EQ(r.yields, 4);       // once per folder entered
    EXPECT_EQ(tree.listings, 4);  // one listing per folder, whatever the number of masks
    EXPECT_FALSE(scanner.SearchInProgress());
}

TEST(TreeScanner, HiddenSwitchesAndSystemFolders) {
    FakeTree tree = SampleTree();
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\t\\");
    scanner.SetFileMask("*.txt");
    scanner.FindHiddenFiles = true;
    scanner.FindHiddenFolders = true;
    scanner.Recursive = false;
    scanner.StartSearch();
    // Hidden files and the hidden folder now appear; a system folder never does.
    const std::vector<std::string> expected = {
        "found C:\\t\\",
        "file C:\\t\\A.TXT 10",
        "file C:\\t\\b.txt 20",
        "file C:\\t\\hidden.txt 40",
        "file C:\\t\\system.txt 50",
        "found C:\\t\\alpha\\",
        "found C:\\t\\Secret\\",
        "found C:\\t\\Zeta\\",
        "done C:\\t\\Zeta\\",
        "search done",
    };
    EXPECT_EQ(r.events, expected);
    EXPECT_EQ(r.yields, 1);
}

TEST(TreeScanner, NoMasksStillWalksFolders) {
    FakeTree tree = SampleTree();
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\t\\alpha");
    scanner.StartSearch();
    const std::vector<std::string> expected = {"found C:\\t\\alpha\\", "found C:\\t\\alpha\\deep\\",
                                               "done C:\\t\\alpha\\deep\\", "done C:\\t\\alpha\\deep\\", "search done"};
    EXPECT_EQ(r.events, expected);
}

TEST(TreeScanner, MaskProperties) {
    FakeTree tree;
    TTreeScanner scanner(tree);
    EXPECT_EQ(scanner.FileMask(), "");
    EXPECT_EQ(scanner.FileMaskCommaText(), "");
    scanner.SetFileMaskCommaText("*.txt,*.doc,*.TXT");
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.doc,*.txt");
    EXPECT_EQ(scanner.FileMask(), "*.doc");
    scanner.SetFileMaskCommaText("\"a b.*\" *.tmp");
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.tmp,\"a b.*\"");
    scanner.SetFileMask("*.bak");
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.bak");
    scanner.SetFileMask("");
    EXPECT_EQ(scanner.Masks().Count(), 0);
}

TEST(TreeScanner, MaskWritesDuringASearchAreIgnored) {
    FakeTree tree = SampleTree();
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\t\\");
    scanner.SetFileMask("*.doc");
    scanner.OnDirectoryFound = [&](TTreeScanner& s) {
        s.SetFileMaskCommaText("*.txt");
        s.SetFileMask("*.txt");
        r.events.push_back("found " + s.FileFound());
    };
    scanner.Recursive = false;
    scanner.StartSearch();
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.doc");
    ASSERT_GE(r.events.size(), 2u);
    EXPECT_EQ(r.events[1], "file C:\\t\\c.doc 30");
    scanner.SetFileMaskCommaText("*.txt");  // idle again: taken
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.txt");
}

TEST(TreeScanner, StopKeepsFoundAndDonePaired) {
    FakeTree tree = SampleTree();
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\t\\");
    scanner.SetFileMask("*.txt");
    // Stop while the first subfolder is reported: its files are still all reported, nothing after it is
    // entered, and every entered folder is closed.
    scanner.OnFileFound = [&](TTreeScanner& s) {
        r.events.push_back("file " + s.FileFound() + " " + std::to_string(s.FileSize()));
        if (s.FileFound() == "C:\\t\\alpha\\x.txt")
            s.KeepScanning = false;
    };
    scanner.StartSearch();
    const std::vector<std::string> expected = {
        "found C:\\t\\",        "file C:\\t\\A.TXT 10",       "file C:\\t\\b.txt 20",     "file C:\\t\\system.txt 50",
        "found C:\\t\\alpha\\", "file C:\\t\\alpha\\x.txt 1", "done C:\\t\\alpha\\x.txt", "done C:\\t\\alpha\\x.txt",
        "search done",
    };
    EXPECT_EQ(r.events, expected);
    EXPECT_EQ(r.yields, 2);

    // A stop from the yield (the Stop button) takes effect before the next folder is entered.
    Recorder again;
    again.Attach(scanner);
    scanner.Yield = [&] {
        if (++again.yields == 2)
            scanner.KeepScanning = false;
    };
    scanner.StartSearch();  // KeepScanning is set afresh
    const std::vector<std::string> stopped = {"found C:\\t\\",          "file C:\\t\\A.TXT 10",
                                              "file C:\\t\\b.txt 20",   "file C:\\t\\system.txt 50",
                                              "done C:\\t\\system.txt", "search done"};
    EXPECT_EQ(again.events, stopped);
}

TEST(TreeScanner, EmptyInitialDirectoryWalksTheCurrentDirectory) {
    FakeTree tree;
    tree.current = "D:\\here";
    tree.AddFolder("D:\\here");
    tree.AddFile("D:\\here\\f.txt", 7);
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetFileMask("*.*");
    scanner.StartSearch();
    EXPECT_EQ(scanner.InitialDirectory(), "D:\\here\\");
    const std::vector<std::string> expected = {"found D:\\here\\", "file D:\\here\\f.txt 7", "done D:\\here\\f.txt",
                                               "search done"};
    EXPECT_EQ(r.events, expected);
}

TEST(TreeScanner, MissingFolderGivesFoundAndDoneOnly) {
    FakeTree tree;
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetFileMask("*.*");
    scanner.SetInitialDirectory("Q:");
    scanner.StartSearch();
    const std::vector<std::string> expected = {"found Q:\\", "done Q:\\", "search done"};
    EXPECT_EQ(r.events, expected);
}

TEST(TreeScanner, ReparsePointFoldersAreNotEntered) {
    FakeTree tree;
    tree.AddFolder("C:\\r");
    tree.AddFile("C:\\r\\one.txt");
    tree.AddFolder("C:\\r\\loop", attr::kReparsePoint);
    tree.AddFolder("C:\\r\\real");
    // A link back to the top: were it entered, the walk would never end.
    tree.AddFile("C:\\r\\loop\\one.txt");
    tree.AddFolder("C:\\r\\loop\\loop", attr::kReparsePoint);
    TTreeScanner scanner(tree);
    Recorder r;
    r.Attach(scanner);
    scanner.SetInitialDirectory("C:\\r\\");
    scanner.SetFileMask("*.txt");
    scanner.StartSearch();
    const std::vector<std::string> expected = {"found C:\\r\\",      "file C:\\r\\one.txt 1", "found C:\\r\\real\\",
                                               "done C:\\r\\real\\", "done C:\\r\\real\\",    "search done"};
    EXPECT_EQ(r.events, expected);
}

TEST(TreeScanner, SizesAreSixtyFourBit) {
    FakeTree tree;
    tree.AddFolder("C:\\big");
    tree.AddFile("C:\\big\\disk.img", 5'000'000'000ULL);
    TTreeScanner scanner(tree);
    uint64_t seen = 0;
    scanner.OnFileFound = [&](TTreeScanner& s) { seen = s.FileSize(); };
    scanner.SetInitialDirectory("C:\\big");
    scanner.SetFileMask("*.img");
    scanner.StartSearch();
    EXPECT_EQ(seen, 5'000'000'000ULL);
}
