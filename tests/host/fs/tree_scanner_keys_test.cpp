#include <gtest/gtest.h>

#include "fs/tree_scanner.h"
#include "platform/keyed_order.h"
#include "support/fake_disk.h"

using fs::TTreeScanner;
using fs_test::FakeTree;

namespace {

// A keyed order as the locale gives one: the comparison ignores ASCII case; keys are made by a function
// the test chooses, counted.
struct CountedKeys {
    int keys = 0;
    int comparisons = 0;

    base::TextOrder Order(std::function<bool(std::string_view, std::string&)> makeKey) {
        return platform::WithSortKeys(
            platform::KeyedTextOrder{[this](std::string_view a, std::string_view b) {
                                         ++comparisons;
                                         return base::CompareIgnoringAsciiCase(a, b);
                                     },
                                     [this, makeKey](std::string_view text, std::string& key) {
                                         ++keys;
                                         return makeKey(text, key);
                                     }});
    }
};

bool UpperKey(std::string_view text, std::string& key) {
    key.clear();
    for (const char c : text)
        key.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
    return true;
}

// Files and folders listed out of order, with case-only twins (a case-sensitive volume) and "a b" beside
// "a", whose order as folders (paths ending with a backslash) differs from the bare names'.
FakeTree Tree() {
    FakeTree tree;
    tree.AddFolder("C:\\t");
    for (const char* name : {"delta.txt", "Beta.txt", "alpha.txt", "BETA.TXT", "charlie.txt", "beta.txt"})
        tree.AddFile(std::string("C:\\t\\") + name, 1);
    for (const char* name : {"a", "Zed", "a b", "m"})
        tree.AddFolder(std::string("C:\\t\\") + name);
    return tree;
}

std::vector<std::string> Walk(FakeTree& tree, base::TextOrder order) {
    TTreeScanner scanner(tree, std::move(order));
    scanner.SetFileMask("*.*");
    scanner.SetInitialDirectory("C:\\t");
    std::vector<std::string> seen;
    scanner.OnFileFound = [&](TTreeScanner& s) { seen.push_back(s.FileFound()); };
    scanner.OnDirectoryFound = [&](TTreeScanner& s) { seen.push_back(s.FileFound()); };
    scanner.StartSearch();
    return seen;
}

}  // namespace

TEST(TreeScannerSortKeys, KeysMadeOncePerNameGiveTheComparisonsOrder) {
    FakeTree tree = Tree();
    const std::vector<std::string> byComparison = Walk(tree, base::CompareIgnoringAsciiCase);
    const std::vector<std::string> expected = {"C:\\t\\",          "C:\\t\\alpha.txt", "C:\\t\\Beta.txt",
                                               "C:\\t\\BETA.TXT",  "C:\\t\\beta.txt",  "C:\\t\\charlie.txt",
                                               "C:\\t\\delta.txt", "C:\\t\\a b\\",     "C:\\t\\a\\",
                                               "C:\\t\\m\\",       "C:\\t\\Zed\\"};
    EXPECT_EQ(byComparison, expected);

    CountedKeys counted;
    EXPECT_EQ(Walk(tree, counted.Order(UpperKey)), expected);
    EXPECT_EQ(counted.keys, 6 + 4);     // each file and folder once, whatever the sort compares
    EXPECT_LE(counted.comparisons, 3);  // only between equal keys: the three betas
}

TEST(TreeScannerSortKeys, EqualKeysAreOrderedByTheComparisonAndAFailedKeyFallsBackToIt) {
    FakeTree tree = Tree();
    const std::vector<std::string> expected = Walk(tree, base::CompareIgnoringAsciiCase);

    // A key that tells too little (first letter only) still leaves the comparison's order.
    CountedKeys coarse;
    EXPECT_EQ(Walk(tree, coarse.Order(
                             [](std::string_view text, std::string& key) { return UpperKey(text.substr(0, 1), key); })),
              expected);

    // A system that gives no key for some name: the folder is sorted by the comparison alone.
    CountedKeys failing;
    EXPECT_EQ(Walk(tree, failing.Order([](std::string_view text, std::string& key) {
                  return text.find("charlie") == std::string_view::npos && UpperKey(text, key);
              })),
              expected);
    EXPECT_GT(failing.comparisons, 0);
}

TEST(TreeScannerSortKeys, OnlyOrdersMadeWithKeysCarryThem) {
    EXPECT_EQ(platform::SortKeysOf(base::TextOrder(base::CompareIgnoringAsciiCase)), nullptr);
    CountedKeys counted;
    const base::TextOrder order = counted.Order(UpperKey);
    ASSERT_NE(platform::SortKeysOf(order), nullptr);
    EXPECT_LT(order("a", "B"), 0);  // compares as the comparison does
    EXPECT_EQ(counted.comparisons, 1);
}
