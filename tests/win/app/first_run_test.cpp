#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/unicode.h"
#include "support/win/process.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
using platform::win32::Widen;

namespace {

constexpr wchar_t kMainCaption[] = L"Vireo 1.5 by Lumoworks";
constexpr wchar_t kQuestionCaption[] = L"Valitse kieli/Choose language";

// A copy of the program in a folder of its own; Options.ini only when a test writes one.
class FreshCopy {
  public:
    FreshCopy() {
        exe_ = folder_ / "vireo.exe";
        CopyFileW(Widen(VireoExePath()).c_str(), Widen(exe_).c_str(), FALSE);
    }
    const std::string& Exe() const { return exe_; }
    std::string Options() const {
        std::string text;
        ReadFile(folder_ / "Options.ini", text);
        return text;
    }
    void WriteOptions(const std::string& text) const { WriteFile(folder_ / "Options.ini", text); }

  private:
    TempFolder folder_;
    std::string exe_;
};

struct Search {
    DWORD processId;
    const wchar_t* text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchText(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (owner == search->processId && lstrcmpW(text, search->text) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of the process, shown or hidden.
HWND TopWindow(DWORD processId, const wchar_t* caption) {
    Search search{processId, caption};
    EnumWindows(MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control anywhere inside a window, by its text.
HWND Control(HWND window, const wchar_t* text) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Search search{processId, text};
    EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the taskbar and Alt+Tab list: shown, no tool window, and either unowned or marked as an app window.
bool HasTaskbarButton(HWND window) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!IsWindowVisible(window) || (exStyle & WS_EX_TOOLWINDOW) != 0)
        return false;
    return (exStyle & WS_EX_APPWINDOW) != 0 || GetWindow(window, GW_OWNER) == nullptr;
}

// A window of the test's own that takes the front, as another program the user switched to.
class OtherProgramWindow {
  public:
    OtherProgramWindow() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(hwnd_);
        Pump();
    }
    ~OtherProgramWindow() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

  private:
    HWND hwnd_ = nullptr;
};

void StartSecondCopyAndExpectZero(const std::string& exe) {
    ChildProcess second(exe);
    const auto code = second.WaitForExit(15000);
    ASSERT_TRUE(code.has_value()) << "the second copy did not end";
    EXPECT_EQ(*code, 0u);
}

void CloseAndExpectZero(ChildProcess& program, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    const auto code = program.WaitForExit(15000);
    ASSERT_TRUE(code.has_value()) << "closing the main window did not end the program";
    EXPECT_EQ(*code, 0u);
}

// Starts the program, waits for the first-run question, starts a second copy while it is up, and checks
// that the question is in front and the main window still hidden. Returns the question.
HWND AskedWithASecondCopyInBetween(const FreshCopy& copy, ChildProcess& first) {
    HWND question = WaitForWindow(first.Id(), kQuestionCaption, 20000);
    if (!question) {
        ADD_FAILURE() << "the first-run question never showed";
        return nullptr;
    }
    HWND main = TopWindow(first.Id(), kMainCaption);
    EXPECT_NE(main, nullptr);
    EXPECT_TRUE(HasTaskbarButton(question)) << "the question must be found on the taskbar and with Alt+Tab";

    OtherProgramWindow other;
    StartSecondCopyAndExpectZero(copy.Exe());
    // The second copy stops waiting for a busy first one after a while, so give the first a moment.
    for (int wait = 0; wait < 100 && GetForegroundWindow() != question; ++wait) {
        OtherProgramWindow::Pump();
        Sleep(50);
    }
    EXPECT_EQ(GetForegroundWindow(), question) << "the question is brought to the front";
    EXPECT_FALSE(IsWindowVisible(main)) << "the main window waits for the answer";
    EXPECT_TRUE(IsWindowVisible(question));
    return question;
}

}  // namespace

TEST(FirstRun, SecondCopyDuringTheLanguageQuestionLeavesTheRunAsIfItHadNotStarted) {
    FreshCopy copy;
    ChildProcess first(copy.Exe());
    HWND question = AskedWithASecondCopyInBetween(copy, first);
    ASSERT_NE(question, nullptr);

    HWND suomi = Control(question, L"&Suomi");
    ASSERT_NE(suomi, nullptr);
    PostMessageW(suomi, BM_CLICK, 0, 0);

    HWND main = WaitForWindow(first.Id(), kMainCaption, 20000);
    ASSERT_NE(main, nullptr) << "the main window never showed after the answer";
    EXPECT_TRUE(HasTaskbarButton(main));
    EXPECT_NE(Control(main, L"&Sulje"), nullptr) << "Suomi gives the Finnish texts";
    EXPECT_NE(Control(main, L"ervetuloa Vireo 1.5:seen!"), nullptr);
    EXPECT_EQ(Control(main, L"&Close"), nullptr);
    EXPECT_EQ(copy.Options(), "[General]\r\nLanguage/Kieli=0\r\n");

    // Once the main window is up, a second copy restores it as usual.
    ShowWindow(main, SW_MINIMIZE);
    StartSecondCopyAndExpectZero(copy.Exe());
    EXPECT_FALSE(IsIconic(main));
    CloseAndExpectZero(first, main);
}

TEST(FirstRun, SearchModeIsReadAfterASecondCopyDuringTheQuestion) {
    FreshCopy copy;
    copy.WriteOptions("[Backups, temps deleter]\r\nNormal_search=0\r\n");
    ChildProcess first(copy.Exe());
    HWND question = AskedWithASecondCopyInBetween(copy, first);
    ASSERT_NE(question, nullptr);

    PostMessageW(Control(question, L"&English"), BM_CLICK, 0, 0);
    HWND main = WaitForWindow(first.Id(), kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(Control(main, L"&Close"), nullptr);

    HWND options = TopWindow(first.Id(), L"Options");
    ASSERT_NE(options, nullptr);
    HWND extraFiles = Control(options, L"Extra files");
    ASSERT_NE(extraFiles, nullptr);
    EXPECT_EQ(SendMessageW(extraFiles, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(options, L"Normal search"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    CloseAndExpectZero(first, main);
}

namespace {

// Answers the first-run question with Suomi and closes the main window as soon as it shows.
void ChooseFinnishAndCloseAtOnce(const FreshCopy& copy) {
    ChildProcess program(copy.Exe());
    HWND question = WaitForWindow(program.Id(), kQuestionCaption, 20000);
    ASSERT_NE(question, nullptr) << "the first-run question never showed";
    PostMessageW(Control(question, L"&Suomi"), BM_CLICK, 0, 0);
    HWND main = WaitForWindow(program.Id(), kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    CloseAndExpectZero(program, main);
}

constexpr char kChartAtExit[] =
    "[Chart]\r\nCompressed=1\r\nUnCompressed=0\r\nDisabled=0\r\nBytes=1\r\nKB=0\r\nMB=0\r\nCount=0\r\n"
    "DisplayFreeDiskSpace=1\r\n";
constexpr char kBackupsAtExit[] =
    "[Backups, temps "
    "deleter]\r\nDirectoryMask=\\\r\nIgnoreHiddenFiles=1\r\nIgnoreReadOnlyFiles=1\r\nIgnoreSystemFiles="
    "1\r\nIgnoreZeroLengthFiles=1\r\nUseRecycleBin=1\r\n";
constexpr char kDuplicatesAtExit[] =
    "[Duplicate file]\r\nFoldersToIgnore=\r\nFileMask=*.*\r\nRootFolder=\\\r\nFloppyIsMaster=1\r\nUseRecycleBin=1\r\n"
    "SkipSysbckupFolder=1\r\nCheckFileStamp=1\r\nCheckFileName=0\r\nCheckFileSize=1\r\nSkipEmptyFiles=1\r\n"
    "SkipDesktopFolders=1\r\n";

}  // namespace

TEST(FirstRun, FinnishChosenThenClosedLeavesTheLanguageThenEachWindowsSettingsInOrder) {
    FreshCopy copy;
    ChooseFinnishAndCloseAtOnce(copy);
    EXPECT_EQ(copy.Options(), std::string("[General]\r\nLanguage/Kieli=0\r\n\r\n") + kChartAtExit + "\r\n" +
                                  kBackupsAtExit + "\r\n" + kDuplicatesAtExit);
}

TEST(FirstRun, SettingsWrittenAtTheEndKeepEveryLineOfOthers) {
    FreshCopy copy;
    const std::string before =
        "; written by hand\r\n[Someone else]\r\nkey = value\r\n\r\n[General]\r\nLanguage/Kieli=0\r\n";
    copy.WriteOptions(before);
    ChildProcess program(copy.Exe());
    HWND main = WaitForWindow(program.Id(), kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    CloseAndExpectZero(program, main);
    EXPECT_EQ(copy.Options(), before + "\r\n" + kChartAtExit + "\r\n" + kBackupsAtExit + "\r\n" + kDuplicatesAtExit);
}
