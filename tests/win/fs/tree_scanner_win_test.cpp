#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "fs/tree_scanner.h"
#include "fs_test_support.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

using fs::TTreeScanner;
using namespace testing_support;

namespace {

struct Walk {
    std::vector<std::string> events;  // relative to the root
    int yields = 0;
};

Walk WalkTree(TTreeScanner& scanner, const std::string& root) {
    Walk walk;
    const auto relative = [root](const std::string& path) {
        return path.rfind(root, 0) == 0 ? path.substr(root.size()) : "?" + path;
    };
    scanner.OnDirectoryFound = [&](TTreeScanner& s) { walk.events.push_back("found " + relative(s.FileFound())); };
    scanner.OnFileFound = [&](TTreeScanner& s) {
        walk.events.push_back("file " + relative(s.FileFound()) + " " + std::to_string(s.FileSize()));
    };
    scanner.OnDirectoryDone = [&](TTreeScanner&) { walk.events.push_back("done"); };
    scanner.Yield = [&] { ++walk.yields; };
    scanner.SetInitialDirectory(root);
    scanner.StartSearch();
    return walk;
}

}  // namespace

TEST(TreeScannerOnDisk, AttributesSwitchesAndOrder) {
    TempFolder folder;
    WriteFile(folder / "b.txt", "bb");
    WriteFile(folder / "A.TXT", "a");
    WriteFile(folder / "c.doc", "ccc");
    WriteFile(folder / "report.tmpl", "t");
    WriteFile(folder / "hidden.txt", "hhhh");
    WriteFile(folder / "readonly.txt", "rrrrr");
    WriteFile(folder / "sub\\inner.txt", "iiiiii");
    WriteFile(folder / "Hid\\h.txt", "x");
    WriteFile(folder / "Sys\\s.txt", "x");
    fs_test::SetAttributes(folder / "hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    fs_test::SetAttributes(folder / "readonly.txt", FILE_ATTRIBUTE_READONLY);
    fs_test::SetAttributes(folder / "Hid", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    fs_test::SetAttributes(folder / "Sys", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);

    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMaskCommaText("*.txt,*.TXT,*.tmp");
    Walk plain = WalkTree(scanner, folder.Path());
    EXPECT_EQ(plain.events, (std::vector<std::string>{"found ", "file A.TXT 1", "file b.txt 2", "file readonly.txt 5",
                                                      "found sub\\", "file sub\\inner.txt 6", "done", "done"}));
    EXPECT_EQ(plain.yields, 2);

    scanner.FindHiddenFiles = true;
    scanner.FindHiddenFolders = true;
    Walk hidden = WalkTree(scanner, folder.Path());
    EXPECT_EQ(hidden.events,
              (std::vector<std::string>{"found ", "file A.TXT 1", "file b.txt 2", "file hidden.txt 4",
                                        "file readonly.txt 5", "found Hid\\", "file Hid\\h.txt 1", "done",
                                        "found sub\\", "file sub\\inner.txt 6", "done", "done"}));

    scanner.Recursive = false;
    scanner.SetFileMask("*.doc");
    Walk flat = WalkTree(scanner, folder.Path());
    EXPECT_EQ(flat.events, (std::vector<std::string>{"found ", "file c.doc 3", "found Hid\\", "found sub\\", "done"}));
}

TEST(TreeScannerOnDisk, EmptyInitialDirectoryIsTheCurrentOne) {
    TempFolder folder;
    WriteFile(folder / "here.txt", "x");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(platform::win32::Widen(folder.Path()).c_str()));
    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("*.*");
    std::vector<std::string> files;
    scanner.OnFileFound = [&](TTreeScanner& s) { files.push_back(s.FileFound()); };
    scanner.StartSearch();
    SetCurrentDirectoryW(previous);
    // The current directory comes back without its backslash; the scanner adds one.
    EXPECT_EQ(scanner.InitialDirectory().back(), '\\');
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], scanner.InitialDirectory() + "here.txt");
    EXPECT_EQ(
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, platform::win32::Widen(scanner.InitialDirectory()).c_str(),
                       -1, platform::win32::Widen(folder.Path()).c_str(), -1),
        CSTR_EQUAL);
}

TEST(TreeScannerOnDisk, LinkToAnAncestorIsNotFollowed) {
    TempFolder folder;
    WriteFile(folder / "top.txt", "t");
    WriteFile(folder / "a\\b\\deep.txt", "d");
    ASSERT_TRUE(fs_test::MakeSymbolicLink(folder.Path(), folder / "a\\b\\up"));
    ASSERT_TRUE(fs_test::MakeSymbolicLink(folder / "a", folder / "a\\sideways"));

    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("*.txt");
    scanner.FindHiddenFolders = true;
    Walk walk = WalkTree(scanner, folder.Path());
    EXPECT_EQ(walk.events, (std::vector<std::string>{"found ", "file top.txt 1", "found a\\", "found a\\b\\",
                                                     "file a\\b\\deep.txt 1", "done", "done", "done"}));
}

TEST(TreeScannerOnDisk, PathsLongerThanMaxPath) {
    TempFolder folder;
    std::string deep = folder.Path();
    std::vector<std::string> expected = {"found "};
    std::string relative;
    for (int i = 0; i < 6; ++i) {
        relative += std::string(50, static_cast<char>('k' + i)) + "\\";
        expected.push_back("found " + relative);
    }
    const std::string file = folder.Path() + relative + "far.txt";
    ASSERT_GT(file.size(), 300u);
    WriteFile(file, "far away");
    expected.push_back("file " + relative + "far.txt 8");
    for (int i = 0; i < 7; ++i)
        expected.push_back("done");

    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("*.txt");
    Walk walk = WalkTree(scanner, folder.Path());
    EXPECT_EQ(walk.events, expected);
}

TEST(TreeScannerOnDisk, StopFromTheYieldKeepsEventsPaired) {
    TempFolder folder;
    for (const char* name : {"a", "b", "c"})
        WriteFile(folder / (std::string(name) + "\\x\\f.txt"), "f");
    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("*.txt");
    int found = 0;
    int done = 0;
    int yields = 0;
    scanner.OnDirectoryFound = [&](TTreeScanner& s) {
        ++found;
        s.SetFileMaskCommaText("*.*");  // ignored while searching
    };
    scanner.OnDirectoryDone = [&](TTreeScanner&) { ++done; };
    scanner.Yield = [&] {
        if (++yields == 4)
            scanner.KeepScanning = false;
    };
    scanner.SetInitialDirectory(folder.Path());
    scanner.StartSearch();
    EXPECT_EQ(found, 3);  // top, a, a\x
    EXPECT_EQ(done, 3);
    EXPECT_EQ(scanner.FileMaskCommaText(), "*.txt");
}

TEST(TreeScannerOnDisk, NamesOutsideTheAnsiCodePage) {
    TempFolder folder;
    const std::string name = "p\xc3\xa4iv\xc3\xa4 \xe2\x98\x83.TXT";  // "päivä ☃.TXT"
    WriteFile(folder / ("\xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb\\" + name), "snow");
    TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("P\xc3\x84*.txt");  // the mask's case differs, outside ASCII too
    Walk walk = WalkTree(scanner, folder.Path());
    EXPECT_EQ(walk.events,
              (std::vector<std::string>{"found ", "found \xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb\\",
                                        "file \xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb\\" + name + " 4", "done",
                                        "done"}));
}
