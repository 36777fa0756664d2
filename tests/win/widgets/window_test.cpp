#include <windows.h>

#include <gtest/gtest.h>

#include "support/win/window_driver.h"
#include "widgets/dialogs.h"
#include "widgets/window.h"

namespace {

using widgets::Kind;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    {"Pages",   Kind::Tabs,        {8, 8, 300, 150}},
    {"First",   Kind::TabPage,     {0, 0, 0, 0},      "First",  "",            "Pages"},
    {"Second",  Kind::TabPage,     {0, 0, 0, 0},      "Second", "",            "Pages"},
    {"Tick",    Kind::CheckBox,    {8, 8, 120, 17},   "Tick",   "A box",       "First"},
    {"Other",   Kind::CheckBox,    {8, 8, 120, 17},   "Other",  "",            "Second"},
    {"Ok",      Kind::Button,      {8, 170, 75, 25},  "&Ok",    "Ok, save changes"},
    {"Cancel",  Kind::Button,      {90, 170, 75, 25}, "&Cancel"},
};
// clang-format on

class TestWindow : public widgets::Window {
  public:
    TestWindow() {
        Create({"Test window", 320, 200});
        CreateControls(kControls);
        OnClick("Ok", [this] { SetModalResult(widgets::mrOk); });
        OnClick("Cancel", [this] { SetModalResult(widgets::mrCancel); });
        OnClick("Tick", [this] { ++tickClicks; });
    }
    int tickClicks = 0;
    bool allowClose = true;
    int closes = 0;

  protected:
    bool CanClose() override { return allowClose; }
    void FormClose() override { ++closes; }
};

}  // namespace

TEST(Window, ShowModalReturnsTheResultAndGivesTheOwnerBack) {
    TestWindow owner;
    owner.Show();
    TestWindow dialog;
    PostMessageW(dialog.Control("Ok"), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), widgets::mrOk);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "the other windows are enabled again";

    // The close box counts as Cancel; a window that refuses to close stays in its loop.
    dialog.allowClose = false;
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    dialog.StartTimer(100, false, [&] {
        EXPECT_TRUE(dialog.Visible());
        dialog.allowClose = true;
        PostMessageW(dialog.Control("Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.ShowModal(), widgets::mrCancel);
}

TEST(Window, TimersFireOnceOrRepeatedly) {
    TestWindow window;
    int once = 0;
    int repeated = 0;
    window.StartTimer(10, false, [&] { ++once; });
    const UINT_PTR id = window.StartTimer(10, true, [&] { ++repeated; });
    testing_support::Pump(300);
    window.StopTimer(id);
    const int afterStop = repeated;
    testing_support::Pump(100);
    EXPECT_EQ(once, 1);
    EXPECT_GE(afterStop, 3);
    EXPECT_EQ(repeated, afterStop);
}

TEST(Window, PagesShowOnlyTheirOwnControls) {
    TestWindow window;
    window.Show();
    EXPECT_TRUE(IsWindowVisible(window.Control("Tick")));
    EXPECT_FALSE(IsWindowVisible(window.Control("Other")));
    window.ShowPage("Pages", 1);
    EXPECT_FALSE(IsWindowVisible(window.Control("Tick")));
    EXPECT_TRUE(IsWindowVisible(window.Control("Other")));
    // Hidden by the program, a control stays hidden when its page comes back.
    window.SetVisible("Tick", false);
    window.ShowPage("Pages", 0);
    EXPECT_FALSE(IsWindowVisible(window.Control("Tick")));
}

TEST(Window, ProgramMadeChangesRunTheClickHandler) {
    TestWindow window;
    window.SetChecked("Tick", true);
    window.SetChecked("Tick", true);  // no change, no click
    window.SetChecked("Tick", false);
    EXPECT_EQ(window.tickClicks, 2);
    EXPECT_FALSE(window.Checked("Tick"));
}

TEST(Window, ScrollBarsOnlyWhenSmallerThanTheFrame) {
    TestWindow window;
    window.Show();
    const auto hasStyle = [&](DWORD style) { return (GetWindowLongW(window.Handle(), GWL_STYLE) & style) != 0; };
    EXPECT_FALSE(hasStyle(WS_VSCROLL));
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    SetWindowPos(window.Handle(), nullptr, 0, 0, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(hasStyle(WS_VSCROLL));
    EXPECT_TRUE(hasStyle(WS_HSCROLL));
    RECT frame;
    GetClientRect(window.Frame(), &frame);
    EXPECT_EQ(frame.right, window.Scale(320)) << "the frame keeps its design size while scrolled";
}

TEST(Dialogs, ScriptedDialogsRecordAndAnswer) {
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope(dialogs);
    dialogs.answers.push_back(IDNO);
    EXPECT_EQ(widgets::AppDialogs().Message("Delete?", widgets::MessageKind::Warning, widgets::MessageButtons::YesNo),
              IDNO);
    EXPECT_EQ(widgets::AppDialogs().Message("Done", widgets::MessageKind::Information, widgets::MessageButtons::Ok),
              IDOK);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].text, "Delete?");
    EXPECT_EQ(widgets::MessageTitle(dialogs.asked[0].kind), std::string("Warning"));
    EXPECT_EQ(widgets::AppDialogs().ChoosePrinter(), nullptr);
    EXPECT_FALSE(widgets::AppDialogs().SaveFile({"Save chart"}).has_value());
    EXPECT_EQ(dialogs.fileRequests.at(0).title, "Save chart");
}

TEST(Dialogs, RealMessageBoxHasEnglishTitleAndButtons) {
    // Read the box while it is up, then answer it with No.
    static std::wstring title;
    static std::wstring yes;
    static std::wstring no;
    // Ticks until the box is up: on a busy machine it may take longer than one tick.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (!box || !IsWindowVisible(box))
            return;
        KillTimer(nullptr, id);
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        title = text;
        GetDlgItemTextW(box, IDYES, text, 64);
        yes = text;
        GetDlgItemTextW(box, IDNO, text, 64);
        no = text;
        PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    });
    widgets::Win32Dialogs dialogs;
    EXPECT_EQ(dialogs.Message("Really?", widgets::MessageKind::Confirmation, widgets::MessageButtons::YesNo), IDNO);
    EXPECT_EQ(title, L"Confirm");
    EXPECT_EQ(yes, L"&Yes");
    EXPECT_EQ(no, L"&No");
}
