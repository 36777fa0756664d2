#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "chart_fixture.h"
#include "chart_probes.h"
#include "platform/win32/unicode.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"

namespace {

using chart_window_test::ChartWindow;
using chart_window_test::PanelRecorder;
using chart_window_test::RunsStarted;
using chart_window_test::TextsOf;
using testing_support::Click;
using testing_support::Pump;

// The user at the dialogs of the program: types a name into the save dialog and presses Save, and presses
// OK in every message box. Each dialog is answered once; one that is still there much later is cancelled,
// so a test never hangs on it.
struct DialogUser {
    std::wstring saveAs;
    std::set<std::wstring> answered;  // titles
    std::set<HWND> pressed;
    int ticks = 0;
};
DialogUser user;

BOOL CALLBACK AnswerDialog(HWND dialog, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(dialog, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(dialog))
        return TRUE;
    if (user.pressed.contains(dialog)) {
        if (user.ticks > 200)
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    user.answered.insert(title);
    user.pressed.insert(dialog);
    user.ticks = 0;
    if (std::wstring(title) == L"Save chart") {
        SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(user.saveAs.c_str()));
        SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(user.saveAs.c_str()));
    }
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return TRUE;
}

void CALLBACK AnswerDialogs(HWND, UINT, UINT_PTR, DWORD) {
    ++user.ticks;
    EnumThreadWindows(GetCurrentThreadId(), AnswerDialog, 0);
}

class AnsweredDialogs {
  public:
    explicit AnsweredDialogs(const std::string& saveAs) {
        user = DialogUser{platform::win32::Widen(saveAs)};
        timer_ = SetTimer(nullptr, 0, 50, AnswerDialogs);
    }
    ~AnsweredDialogs() { KillTimer(nullptr, timer_); }
    AnsweredDialogs(const AnsweredDialogs&) = delete;
    AnsweredDialogs& operator=(const AnsweredDialogs&) = delete;

  private:
    UINT_PTR timer_ = 0;
};

// Asks for the printer with a real modal box of the active window (as the print dialog is), then prints to
// a recording in place of a printer.
class BoxBeforePrinter : public widgets::ScriptedDialogs {
  public:
    std::unique_ptr<widgets::PrinterJob> ChoosePrinter() override {
        MessageBoxW(GetActiveWindow(), L"Print?", L"Choose printer", MB_OK | MB_APPLMODAL);
        return ScriptedDialogs::ChoosePrinter();
    }
};

class OwnDialogs : public ChartWindow {
  protected:
    // The window open and active, showing the subfolder the user stepped into.
    void OpenInSubfolder() {
        Open();
        SetForegroundWindow(window->Handle());
        SetActiveWindow(window->Handle());
        WaitForIdle();
        DoubleClickLine(LineOf("\\sub"));
        ASSERT_EQ(window->CurrentList()->Path, data + "\\sub\\");
        ASSERT_EQ(GetActiveWindow(), window->Handle());
    }
    void ClickAnsweringDialogs(const char* button, const std::string& saveAs) {
        AnsweredDialogs answered(saveAs);
        Click(*window, button);
        Pump(100);
    }
    void ExpectStillInSubfolder(const PanelRecorder& panels) {
        EXPECT_EQ(RunsStarted(panels), 0) << "closing the window's own dialog measured again";
        ASSERT_NE(window->CurrentList(), nullptr);
        EXPECT_EQ(window->CurrentList()->Path, data + "\\sub\\");
        EXPECT_EQ(Line(0), "10000   inner.txt");
        EXPECT_EQ(GetActiveWindow(), window->Handle()) << "the window is active again";
    }
};

TEST_F(OwnDialogs, TheSaveDialogSavesTheListOnScreenAndClosingItMeasuresNothing) {
    OpenInSubfolder();
    PanelRecorder panels(window->Control("StatusBar"));
    const std::string emf = temp / "sub.emf";
    ClickAnsweringDialogs("TallennaKaavio", emf);
    ASSERT_TRUE(user.answered.contains(L"Save chart"));
    HENHMETAFILE saved = GetEnhMetaFileW(platform::win32::Widen(emf).c_str());
    ASSERT_NE(saved, nullptr);
    const std::wstring texts = TextsOf(saved);
    DeleteEnhMetaFile(saved);
    EXPECT_NE(texts.find(L"inner.txt 100%"), std::wstring::npos) << platform::win32::Narrow(texts);
    EXPECT_EQ(texts.find(L"big.bin"), std::wstring::npos);
    ExpectStillInSubfolder(panels);

    // Coming back from another window of the program still measures again.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    Pump(50);
    SetActiveWindow(window->Handle());
    WaitForIdle();
    DestroyWindow(other);
    EXPECT_EQ(RunsStarted(panels), 1);
    EXPECT_EQ(window->CurrentList()->Path, data + "\\");
}

TEST_F(OwnDialogs, TheWarningOfAnUnknownExtensionLeavesTheListOnScreen) {
    OpenInSubfolder();
    PanelRecorder panels(window->Control("StatusBar"));
    const std::string gif = temp / "sub.gif";
    ClickAnsweringDialogs("TallennaKaavio", gif);
    EXPECT_TRUE(user.answered.contains(L"Save chart"));
    EXPECT_TRUE(user.answered.contains(L"Warning"));
    EXPECT_FALSE(testing_support::FileExists(gif));
    ExpectStillInSubfolder(panels);
}

TEST_F(OwnDialogs, PrintingPrintsTheListOnScreenAfterTheWindowIsActiveAgain) {
    OpenInSubfolder();
    PanelRecorder panels(window->Control("StatusBar"));
    BoxBeforePrinter dialogs;
    dialogs.printerConfirmed = true;
    std::wstring printed;
    dialogs.printed = [&](HENHMETAFILE metafile) { printed = TextsOf(metafile); };
    widgets::ScopedDialogs scoped(dialogs);
    ClickAnsweringDialogs("PrintBtn", "");
    EXPECT_TRUE(user.answered.contains(L"Choose printer"));
    EXPECT_NE(printed.find(L"inner.txt 100%"), std::wstring::npos) << platform::win32::Narrow(printed);
    EXPECT_EQ(printed.find(L"big.bin"), std::wstring::npos);
    ExpectStillInSubfolder(panels);
}

}  // namespace
