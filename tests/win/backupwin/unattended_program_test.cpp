#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/win32/unicode.h"
#include "support/win/process.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "support/win/unix_links.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Widen;
using namespace testing_support;

// Every file below a folder, relative to it; a linked folder is named with a trailing backslash, not entered.
void CollectFiles(const std::string& folder, const std::string& relative, std::set<std::string>& files) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(Widen(folder + relative + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = Narrow(entry.cFileName);
        if (name == "." || name == "..")
            continue;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.insert(relative + name);
        else if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            files.insert(relative + name + "\\");
        else
            CollectFiles(folder, relative + name + "\\", files);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    CollectFiles(folder, "", files);
    return files;
}

// The program started with a folder and the unattended switches: it deletes exactly the files that its
// settings and switches name, below that folder on the fixed drives, keeps running, and writes the folder
// back at the end. A linked folder inside is not followed: neither it nor what it points at is touched.
TEST(UnattendedProgram, DeletesExactlyTheChosenFilesAndNothingElse) {
    TempFolder program;
    const std::string exe = program / "vireo.exe";
    ASSERT_TRUE(CopyFileW(Widen(VireoExePath()).c_str(), Widen(exe).c_str(), FALSE));
    WriteFile(program / "Options.ini",
              "[General]\r\nLanguage/Kieli=1\r\n[Backups, temps deleter]\r\nUseRecycleBin=0\r\n");

    TempFolder tree;
    const char* const untouched[] = {
        "Clean\\notes.txt",  "Clean\\keep.bak", "Clean\\user.dmp",    "Clean\\empty.bak", "Clean\\readonly.tmp",
        "Clean\\hidden.bak", "Outside\\a.bak",  "Outside\\b.log.txt", "Elsewhere\\w.bak", "Elsewhere\\deep\\v.tmp",
    };
    for (const char* path : untouched)
        WriteFile(tree / path, std::string(path) == "Clean\\empty.bak" ? "" : "stays");
    SetFileAttributesW(Widen(tree / "Clean\\readonly.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Widen(tree / "Clean\\hidden.bak").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const char* path : {"Clean\\a.bak", "Clean\\Sub\\b.TMP", "Clean\\Sub\\deeper\\~c.doc", "Outside\\x.log"})
        WriteFile(tree / path, "junk");

    ASSERT_TRUE(MakeSymbolicLink(tree / "Elsewhere", tree / "Clean\\Linked"));

    TestDrive drive(DriveType::Fixed, tree.Path());
    const std::string root = drive.Root();
    ChildProcess vireo(exe,
                       "\\Clean -AUTO_DELETE -keep=" + root + "Clean\\keep.bak -delete=" + root + "Outside\\*.log");
    HWND main = WaitForWindow(vireo.Id(), L"Vireo 1.5 by Lumoworks", 20000);
    ASSERT_NE(main, nullptr);
    for (int waited = 0; FileExists(tree / "Outside\\x.log") && waited < 400; ++waited)
        Sleep(50);
    Sleep(500);
    EXPECT_FALSE(vireo.WaitForExit(0).has_value()) << "the program keeps running after the unattended run";
    EXPECT_EQ(CountVisibleWindows(vireo.Id()), 1) << "only the main window is shown";

    std::set<std::string> expected(std::begin(untouched), std::end(untouched));
    expected.insert("Clean\\Linked\\");
    EXPECT_EQ(FilesBelow(tree.Path()), expected);

    // The main window's button opens the window, which kept its drives.
    HWND button = FindWindowExW(main, nullptr, nullptr, L"&Unnecessary files");
    for (HWND child = nullptr; !button && (child = FindWindowExW(main, child, nullptr, nullptr));)
        button = FindWindowExW(child, nullptr, nullptr, L"&Unnecessary files");
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
    const std::wstring caption = L"Unnecessary files - C: " + Widen(std::string(1, drive.Letter())) + L": ";
    HWND tool = WaitForWindow(vireo.Id(), caption, 20000);
    ASSERT_NE(tool, nullptr);
    PostMessageW(tool, WM_CLOSE, 0, 0);
    for (int waited = 0; IsWindowVisible(tool) && waited < 100; ++waited)
        Sleep(50);
    EXPECT_FALSE(IsWindowVisible(tool));

    PostMessageW(main, WM_CLOSE, 0, 0);
    const auto code = vireo.WaitForExit(20000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    std::string ini;
    ASSERT_TRUE(ReadFile(program / "Options.ini", ini));
    EXPECT_NE(ini.find("DirectoryMask=\\Clean\r\n"), std::string::npos) << ini;
}

}  // namespace
