#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>

#include "fs/tree_scanner.h"
#include "support/fake_disk.h"

using fs::TTreeScanner;
using fs_test::FakeTree;
namespace attr = platform::attr;
namespace reparse = platform::reparse;

namespace {

// Every event as one line; files with the identity and allocation the entry carried.
std::vector<std::string> Events(TTreeScanner& scanner) {
    std::vector<std::string> events;
    scanner.OnDirectoryFound = [&](TTreeScanner& s) { events.push_back("found " + s.Directory()); };
    scanner.OnFileFound = [&](TTreeScanner& s) {
        const platform::DirEntry& e = s.Entry();
        events.push_back("file " + s.FileFound() + " id " + std::to_string(e.id.low) + " alloc " +
                         std::to_string(e.allocatedSize) + (s.Directory() + e.name == s.FileFound() ? "" : " !"));
    };
    scanner.OnDirectoryUnreadable = [&](TTreeScanner& s) { events.push_back("unreadable " + s.FileFound()); };
    scanner.OnDirectoryDone = [&](TTreeScanner& s) {
        events.push_back("done " + s.Directory() + " (" + s.Entry().name + ")");
    };
    scanner.StartSearch();
    return events;
}

}  // namespace

TEST(TreeScannerEntries, FilesCarryTheirWholeEntryAndDoneNamesItsFolder) {
    FakeTree tree;
    tree.AddFolder("C:\\w");
    tree.AddFile("C:\\w\\big.bin", 5000);  // id 2
    tree.AddFolder("C:\\w\\in");           // id 3
    tree.AddFile("C:\\w\\in\\x.txt", 1);   // id 4
    tree.Entry("C:\\w\\big.bin").writeTime = 123456789;
    tree.Entry("C:\\w\\big.bin").reparseTag = 0;
    TTreeScanner scanner(tree);
    scanner.SetInitialDirectory("C:\\w");
    scanner.SetFileMask("*.*");
    int64_t time = 0;
    const auto events = Events(scanner);
    EXPECT_EQ(events, (std::vector<std::string>{"found C:\\w\\", "file C:\\w\\big.bin id 2 alloc 8192",
                                                "found C:\\w\\in\\", "file C:\\w\\in\\x.txt id 4 alloc 4096",
                                                "done C:\\w\\in\\ (in)", "done C:\\w\\ (w)"}));
    scanner.OnFileFound = [&](TTreeScanner& s) {
        if (s.Entry().name == "big.bin")
            time = s.Entry().writeTime;
    };
    scanner.OnDirectoryFound = nullptr;
    tree.lookups = 0;
    scanner.StartSearch();
    EXPECT_EQ(time, 123456789);
    EXPECT_EQ(tree.lookups, 1);  // the start folder only: no file is looked up again
}

TEST(TreeScannerEntries, UnreadableFolderIsReportedAndTheWalkGoesOn) {
    FakeTree tree;
    tree.AddFolder("C:\\u");
    tree.AddFolder("C:\\u\\closed");
    tree.AddFile("C:\\u\\closed\\secret.txt");
    tree.AddFolder("C:\\u\\open");
    tree.AddFile("C:\\u\\open\\a.txt");
    tree.MakeUnlistable("C:\\u\\closed");
    TTreeScanner scanner(tree);
    scanner.SetInitialDirectory("C:\\u\\");
    scanner.SetFileMask("*.txt");
    EXPECT_EQ(Events(scanner),
              (std::vector<std::string>{"found C:\\u\\", "found C:\\u\\closed\\", "unreadable C:\\u\\closed\\",
                                        "done C:\\u\\closed\\ (closed)", "found C:\\u\\open\\",
                                        "file C:\\u\\open\\a.txt id 5 alloc 4096", "done C:\\u\\open\\ (open)",
                                        "done C:\\u\\ (u)"}));

    scanner.SetInitialDirectory("C:\\gone");  // a missing start folder: found, unreadable, done
    EXPECT_EQ(Events(scanner),
              (std::vector<std::string>{"found C:\\gone\\", "unreadable C:\\gone\\", "done C:\\gone\\ ()"}));
}

TEST(TreeScannerEntries, FoundHandlerPrunesASubtree) {
    FakeTree tree;
    tree.AddFolder("C:\\p");
    tree.AddFolder("C:\\p\\keep");
    tree.AddFile("C:\\p\\keep\\k.txt");
    tree.AddFolder("C:\\p\\skip");
    tree.AddFile("C:\\p\\skip\\s.txt");
    tree.AddFolder("C:\\p\\skip\\below");
    TTreeScanner scanner(tree);
    scanner.SetInitialDirectory("C:\\p");
    scanner.SetFileMask("*.txt");
    std::vector<std::string> events;
    scanner.OnDirectoryFound = [&](TTreeScanner& s) {
        events.push_back("found " + s.FileFound());
        if (s.Entry().name == "skip")
            s.EnterDirectory = false;
    };
    scanner.OnFileFound = [&](TTreeScanner& s) { events.push_back("file " + s.FileFound()); };
    scanner.OnDirectoryDone = [&](TTreeScanner& s) { events.push_back("done " + s.Directory()); };
    tree.listings = 0;
    scanner.StartSearch();
    EXPECT_EQ(events, (std::vector<std::string>{"found C:\\p\\", "found C:\\p\\keep\\", "file C:\\p\\keep\\k.txt",
                                                "done C:\\p\\keep\\", "found C:\\p\\skip\\", "done C:\\p\\skip\\",
                                                "done C:\\p\\"}));
    EXPECT_EQ(tree.listings, 2);  // the pruned folder is not even listed
}

TEST(TreeScannerEntries, SystemFoldersOnlyWithTheSwitch) {
    FakeTree tree;
    tree.AddFolder("C:\\s");
    tree.AddFolder("C:\\s\\Sys", attr::kSystem);
    tree.AddFile("C:\\s\\Sys\\a.txt");
    tree.AddFolder("C:\\s\\HidSys", attr::kSystem | attr::kHidden);
    tree.AddFile("C:\\s\\HidSys\\b.txt");
    TTreeScanner scanner(tree);
    scanner.SetInitialDirectory("C:\\s");
    scanner.SetFileMask("*.txt");
    std::vector<std::string> files;
    scanner.OnFileFound = [&](TTreeScanner& s) { files.push_back(s.FileFound()); };
    scanner.StartSearch();
    EXPECT_TRUE(files.empty());
    scanner.EnterSystemFolders = true;
    scanner.StartSearch();
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\s\\Sys\\a.txt"}));  // hidden still needs its own switch
    files.clear();
    scanner.FindHiddenFolders = true;
    scanner.StartSearch();
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\s\\HidSys\\b.txt", "C:\\s\\Sys\\a.txt"}));
}

TEST(TreeScannerEntries, OnlyNameSurrogatesAreLeftUnentered) {
    FakeTree tree;
    tree.AddFolder("C:\\r");
    tree.AddReparseFolder("C:\\r\\junction", reparse::kMountPoint);
    tree.AddReparseFolder("C:\\r\\link", reparse::kSymlink);
    tree.AddReparseFolder("C:\\r\\unknown", 0);         // the system gave no tag: taken as a link
    tree.AddReparseFolder("C:\\r\\other", 0xA0001234);  // any tag with the name-surrogate bit
    tree.AddReparseFolder("C:\\r\\cloud", 0x9000001A);  // a placeholder of a cloud-synced folder
    tree.AddReparseFolder("C:\\r\\dedup", 0x80000013);
    for (const char* folder : {"junction", "link", "unknown", "other", "cloud", "dedup"})
        tree.AddFile(std::string("C:\\r\\") + folder + "\\f.txt");
    TTreeScanner scanner(tree);
    scanner.SetInitialDirectory("C:\\r");
    scanner.SetFileMask("*.txt");
    std::vector<std::string> files;
    scanner.OnFileFound = [&](TTreeScanner& s) { files.push_back(s.FileFound()); };
    scanner.StartSearch();
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\r\\cloud\\f.txt", "C:\\r\\dedup\\f.txt"}));
}

TEST(TreeScannerEntries, TenThousandLevelsOnASmallThreadStack) {
    constexpr size_t kDepth = 10000;
    fs_test::FolderChain chain("C:\\", kDepth);
    TTreeScanner scanner(chain);
    scanner.SetFileMask("*.txt");
    size_t found = 0;
    size_t done = 0;
    size_t files = 0;
    size_t deepest = 0;
    scanner.OnDirectoryFound = [&](TTreeScanner&) { ++found; };
    scanner.OnDirectoryDone = [&](TTreeScanner&) { ++done; };
    scanner.OnFileFound = [&](TTreeScanner& s) {
        ++files;
        deepest = std::max<size_t>(deepest, s.FileSize());
    };
    // A walk that recursed per level would need far more than this thread has.
    {
        // std::thread gives no stack size; a thread made from a small-stack attribute does.
        pthread_attr_t attributes;
        pthread_attr_init(&attributes);
        pthread_attr_setstacksize(&attributes, 256 * 1024);
        pthread_t thread;
        auto run = [](void* arg) -> void* {
            static_cast<TTreeScanner*>(arg)->StartSearch();
            return nullptr;
        };
        ASSERT_EQ(pthread_create(&thread, &attributes, run, &scanner), 0);
        pthread_join(thread, nullptr);
        pthread_attr_destroy(&attributes);
    }
    EXPECT_EQ(found, kDepth + 1);
    EXPECT_EQ(done, kDepth + 1);
    EXPECT_EQ(files, kDepth + 1);
    EXPECT_EQ(deepest, kDepth);
}

TEST(TreeScannerEntries, DefaultOrderIsTheFileSystemsAndFoldersSortAsPaths) {
    FakeTree tree;
    tree.AddFolder("C:\\o");
    tree.AddFolder("C:\\o\\a");
    tree.AddFolder("C:\\o\\a b");
    tree.AddFolder("C:\\o\\B");
    tree.AddFile("C:\\o\\x.txt");
    tree.AddFile("C:\\o\\Y.txt");
    std::vector<std::string> seen;
    const auto walk = [&](TTreeScanner& scanner) {
        seen.clear();
        scanner.SetInitialDirectory("C:\\o");
        scanner.SetFileMask("*.*");
        scanner.Recursive = false;
        scanner.OnDirectoryFound = [&](TTreeScanner& s) { seen.push_back(s.FileFound()); };
        scanner.OnFileFound = [&](TTreeScanner& s) { seen.push_back(s.FileFound()); };
        scanner.StartSearch();
        return seen;
    };
    TTreeScanner plain(tree);
    // "a b\" comes before "a\": a subfolder sorts by its path, which ends with a backslash.
    EXPECT_EQ(walk(plain), (std::vector<std::string>{"C:\\o\\", "C:\\o\\x.txt", "C:\\o\\Y.txt", "C:\\o\\a b\\",
                                                     "C:\\o\\a\\", "C:\\o\\B\\"}));
    tree.order = [](std::string_view a, std::string_view b) { return -base::CompareIgnoringAsciiCase(a, b); };
    TTreeScanner reversed(tree);
    EXPECT_EQ(walk(reversed), (std::vector<std::string>{"C:\\o\\", "C:\\o\\Y.txt", "C:\\o\\x.txt", "C:\\o\\B\\",
                                                        "C:\\o\\a\\", "C:\\o\\a b\\"}));
}
