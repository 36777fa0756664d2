#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/texts.h"
#include "support/win/window_driver.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "widgets/disk_list_view.h"
#include "widgets/error_hook.h"
#include "widgets/run_policy.h"
#include "widgets/stock_pictures.h"

namespace {

using testing_support::Click;
using testing_support::Pump;
using widgets::Kind;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    {"Bevel",   Kind::Bevel,         {0, 0, 400, 300}},
    {"Find",    Kind::PictureButton, {8, 8, 75, 25},     "&Find",  "Start"},
    {"Close",   Kind::Button,        {90, 8, 75, 25},    "&Close"},
    {"Mask",    Kind::Edit,          {8, 40, 120, 21},   "*.*",    "",      nullptr, 0, widgets::kDisabled},
    {"Tick",    Kind::CheckBox,      {140, 40, 120, 17}, "Tick",   "",      nullptr, 0, widgets::kChecked},
    {"List",    Kind::ListBox,       {8, 70, 150, 100}},
    {"Combo",   Kind::ComboBox,      {170, 70, 150, 200}},
    {"Bar",     Kind::ProgressBar,   {8, 180, 150, 16}},
    {"Status",  Kind::StatusBar,     {0, 280, 400, 20}},
    {"FindPic", Kind::PictureButton, {8, 220, 75, 25},   "&Find",  "",      nullptr, 0, widgets::kHidden},
    {"StopPic", Kind::PictureButton, {90, 220, 75, 25},  "&Stop",  "",      nullptr, 0, widgets::kHidden | widgets::kDisabled},
};
// clang-format on

constexpr widgets::RunButtonSpec kRunButton{
    "Find", "FindPic", "StopPic", {"&Find", "&Etsi"}, {"Start", "Aloita"}, {"&Stop", "&Pysäytä"}, {"Stop", "Pysäytä"},
};

class LayerWindow : public widgets::Window {
  public:
    LayerWindow() : run(*this, kRunButton, searching, stop) {
        Create({"Layer", 400, 300});
        CreateControls(kControls);
        SetPicture("FindPic", widgets::StockPicture(widgets::Stock::Find));
        SetPicture("StopPic", widgets::StockPicture(widgets::Stock::Stop));
        run.SetInputs({"Mask", "Tick", "List"});
        run.OnStart([this] { Search(); });
        OnClick("Close", [this] { Close(); });
        run.ShowIdle();
    }

    // A run of yields that ends when told to stop or after `rounds`; `during` runs at the first yield.
    void Search() {
        widgets::RunningScope running(run, [this](bool completed) {
            finishes.push_back(completed);
            shownAtFinish = Visible();
        });
        for (int round = 0; round < rounds && !stop; ++round) {
            if (round == 0 && during)
                during();
            if (round == failAt)
                throw base::Error("lost the folder");
            widgets::ProcessMessages();
            Sleep(1);
        }
    }

    bool searching = false;
    bool stop = false;
    int rounds = 200;
    int failAt = -1;
    std::function<void()> during;
    std::vector<bool> finishes;
    bool shownAtFinish = false;
    widgets::RunPolicy run;
};

TEST(WindowLayer, TableColumnsSetTheInitialStates) {
    LayerWindow window;
    EXPECT_FALSE(window.Enabled("Mask"));
    EXPECT_TRUE(window.Checked("Tick"));
    EXPECT_FALSE(window.ControlVisible("FindPic"));
    EXPECT_FALSE(window.Enabled("StopPic"));
    EXPECT_TRUE(window.Enabled("FindPic"));
    EXPECT_TRUE(window.Enabled("Find"));
}

TEST(WindowLayer, AMisspelledNameFailsLoudly) {
    LayerWindow window;
    EXPECT_THROW(window.SetText("Fnid", "x"), std::logic_error);
    EXPECT_THROW(window.OnClick("Clsoe", [] {}), std::logic_error);
    const widgets::TextSpec texts[] = {{"Find", "&Etsi"}, {"Maks", "x"}};
    EXPECT_THROW(window.ApplyTexts(texts), std::logic_error);
}

TEST(WindowLayer, ARunShowsStopDisablesTheInputsAndComesBack) {
    base::SetFinnishUI(false);
    testing_support::FailOnEscapedErrors loud;
    LayerWindow window;
    window.Show();
    window.SetEnabled("Mask", true);
    std::string caption, hint;
    bool maskEnabled = true, tickEnabled = true, flag = false;
    window.during = [&] {
        caption = window.Text("Find");
        hint = window.Hint("Find");
        maskEnabled = window.Enabled("Mask");
        tickEnabled = window.Enabled("Tick");
        flag = window.searching;
        EXPECT_EQ(window.Picture("Find"), window.Picture("StopPic"));
        PostMessageW(window.Control("Find"), BM_CLICK, 0, 0);  // the same button now stops
    };
    Click(window, "Find");
    EXPECT_EQ(caption, "&Stop");
    EXPECT_EQ(hint, "Stop");
    EXPECT_FALSE(maskEnabled);
    EXPECT_FALSE(tickEnabled);
    EXPECT_TRUE(flag);
    EXPECT_TRUE(window.stop) << "Stop asked the run to stop";
    EXPECT_EQ(window.finishes, std::vector<bool>{true});
    EXPECT_EQ(window.Text("Find"), "&Find");
    EXPECT_EQ(window.Hint("Find"), "Start");
    EXPECT_EQ(window.Picture("Find"), window.Picture("FindPic"));
    EXPECT_TRUE(window.Enabled("Mask")) << "the inputs get back the state they had";
    EXPECT_TRUE(window.Enabled("Tick"));
    EXPECT_FALSE(window.searching);
    EXPECT_TRUE(window.Visible());

    base::SetFinnishUI(true);
    window.during = [&] { caption = window.Text("Find"); };
    window.rounds = 3;
    Click(window, "Find");
    base::SetFinnishUI(false);
    EXPECT_EQ(caption, "&Pysäytä");
    EXPECT_EQ(window.Text("Find"), "&Etsi");
}

TEST(WindowLayer, AnErrorEndingARunStillRestoresIdleAndReachesTheHook) {
    LayerWindow window;
    window.Show();
    std::vector<std::string> errors;
    widgets::SetErrorHook([&] {
        try {
            throw;
        } catch (const std::exception& error) {
            errors.push_back(error.what());
        }
    });
    window.failAt = 2;
    Click(window, "Find");
    widgets::SetErrorHook(nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"lost the folder"});
    EXPECT_EQ(window.finishes, std::vector<bool>{false});
    EXPECT_FALSE(window.searching);
    EXPECT_EQ(window.Text("Find"), "&Find");
    EXPECT_TRUE(window.Enabled("Tick"));
}

TEST(WindowLayer, CloseBoxEscapeAndCloseDuringARunStopItAndCloseAfterwards) {
    testing_support::FailOnEscapedErrors loud;
    for (const char* how : {"close box", "Escape", "Close button"}) {
        LayerWindow window;
        window.Show();
        window.during = [&] {
            if (std::string(how) == "close box")
                PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
            else if (std::string(how) == "Escape")
                PostMessageW(window.Handle(), WM_COMMAND, IDCANCEL, 0);
            else
                PostMessageW(window.Control("Close"), BM_CLICK, 0, 0);
        };
        Click(window, "Find");
        EXPECT_TRUE(window.stop) << how;
        EXPECT_FALSE(window.Visible()) << how;
        EXPECT_TRUE(window.shownAtFinish) << how << ": the run ended before the window closed";
        EXPECT_EQ(window.finishes, std::vector<bool>{true}) << how;
    }
    // Idle, Escape without a cancel button leaves the window alone.
    LayerWindow idle;
    idle.Show();
    SendMessageW(idle.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(idle.Visible());
}

TEST(WindowLayer, DefaultAndCancelButtonsAnswerEnterAndEscape) {
    LayerWindow window;
    int finds = 0, closes = 0;
    window.OnClick("Find", [&] { ++finds; });
    window.OnClick("Close", [&] { ++closes; });
    window.SetDefaultButton("Find");
    window.SetCancelButton("Close");
    window.Show();
    SendMessageW(window.Handle(), WM_COMMAND, IDOK, 0);
    SendMessageW(window.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_THROW(window.SetDefaultButton("Fnid"), std::logic_error);
}

TEST(WindowLayer, ListAndComboBoxItemsSelectionAndEvents) {
    LayerWindow window;
    window.SetEnabled("List", true);
    window.Show();
    widgets::ListBox list(window, "List");
    EXPECT_EQ(list.ItemIndex(), -1);
    list.Add("alpha", 11);
    list.Add("beta", 22);
    list.Add("gamma", 33);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1), "beta");
    EXPECT_EQ(list.Data(2), 33);
    int changes = 0, doubles = 0, lost = 0;
    list.OnSelectionChange([&] { ++changes; });
    list.OnDoubleClick([&] { ++doubles; });
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(changes, 0) << "a change made by the program is no event";

    // The user clicks and double-clicks the second line.
    RECT line{};
    SendMessageW(list.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    const LPARAM at = MAKELPARAM(line.left + 5, line.top + 2);
    EXPECT_EQ(list.ItemAt(POINT{line.left + 5, line.top + 2}), 1);
    SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
    Pump(20);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(doubles, 1);
    list.Delete(0);
    EXPECT_EQ(list.Item(0), "beta");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);

    widgets::ComboBox combo(window, "Combo");
    combo.Add("Bytes");
    combo.Add("KB", 1024);
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Item(combo.ItemIndex()), "KB");
    EXPECT_EQ(combo.Data(1), 1024);
    int comboChanges = 0;
    combo.OnSelectionChange([&] { ++comboChanges; });
    SendMessageW(window.Frame(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo.Handle()));
    EXPECT_EQ(comboChanges, 1);

    window.SetEnabled("Mask", true);
    window.OnFocusLost("Mask", [&] { ++lost; });
    window.Focus("Mask");
    window.Focus("List");
    EXPECT_EQ(lost, 1);
}

TEST(WindowLayer, StatusPanelsAndAProgressBarOverOne) {
    LayerWindow window;
    window.Show();
    widgets::StatusBar status(window, "Status");
    status.SetPanels({150, 110, 85, -1});
    EXPECT_EQ(status.PanelCount(), 4);
    status.SetPanelText(1, "Bytes: 10");
    status.SetPanelText(3, "C:\\Temp");
    EXPECT_EQ(status.PanelText(1), "Bytes: 10");
    EXPECT_EQ(status.PanelText(3), "C:\\Temp");
    EXPECT_EQ(status.PanelText(0), "");

    RECT first = status.PanelRect(0);
    const RECT second = status.PanelRect(1);
    EXPECT_NEAR(first.right, window.Scale(150), 3);
    EXPECT_GE(second.left, first.right);
    const RECT bar = window.ControlRect("Status");
    EXPECT_GE(first.top, bar.top) << "in frame pixels, on the status bar";

    first.top += 2;
    window.PlaceOver("Bar", first);
    RECT placed{};
    GetWindowRect(window.Control("Bar"), &placed);
    MapWindowPoints(nullptr, window.Frame(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, first.left);
    EXPECT_EQ(placed.top, first.top);
    EXPECT_EQ(GetWindow(window.Control("Bar"), GW_HWNDPREV), nullptr) << "above its neighbours";

    widgets::ProgressBar progress(window, "Bar");
    progress.SetRange(0, 41);
    progress.SetPosition(17);
    EXPECT_EQ(progress.Maximum(), 41);
    EXPECT_EQ(progress.Position(), 17);
}

// Hit testing decides: the pointer over the bevel that covers the frame reaches the frame's own handler.
TEST(WindowLayer, ThePointerPassesThroughTheBevelToTheFrame) {
    LayerWindow window;
    window.Show();
    SetForegroundWindow(window.Handle());
    Pump(50);
    std::vector<POINT> framePoints;
    int overButton = 0;
    window.OnPointerMove("", [&](POINT p) { framePoints.push_back(p); });
    window.OnMouseMove("Find", [&] { ++overButton; });
    testing_support::MovePointerTo(window.Control("Find"), POINT{5, 5});
    EXPECT_GE(overButton, 1);
    framePoints.clear();
    const POINT open{window.Scale(300), window.Scale(20)};  // on the bevel, over nothing else
    testing_support::MovePointerTo(window.Frame(), open);
    ASSERT_FALSE(framePoints.empty()) << "the bevel took the move";
    EXPECT_EQ(framePoints.back().x, open.x);
    EXPECT_EQ(framePoints.back().y, open.y);
}

TEST(Dialogs, IgnoreBoxHasOneEnglishIgnoreButton) {
    widgets::ScriptedDialogs scripted;
    {
        widgets::ScopedDialogs scope(scripted);
        EXPECT_EQ(widgets::AppDialogs().Message("Cannot delete", widgets::MessageKind::Warning,
                                                widgets::MessageButtons::Ignore),
                  IDIGNORE);
    }
    ASSERT_EQ(scripted.asked.size(), 1u);
    EXPECT_EQ(scripted.asked[0].buttons, widgets::MessageButtons::Ignore);

    static std::wstring button;
    static bool noCancel = false;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (!box || !IsWindowVisible(box))
            return;
        KillTimer(nullptr, id);
        wchar_t text[64] = {};
        GetDlgItemTextW(box, IDOK, text, 64);
        button = text;
        noCancel = GetDlgItem(box, IDCANCEL) == nullptr || !IsWindowVisible(GetDlgItem(box, IDCANCEL));
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    base::SetFinnishUI(true);
    widgets::Win32Dialogs real;
    const int answer = real.Message("Ei voitu poistaa", widgets::MessageKind::Warning, widgets::MessageButtons::Ignore);
    base::SetFinnishUI(false);
    EXPECT_EQ(answer, IDIGNORE);
    EXPECT_EQ(button, L"&Ignore");
    EXPECT_TRUE(noCancel);
}

}  // namespace

namespace {

// clang-format off
constexpr widgets::ControlSpec kListControls[] = {
    {"Panel1", Kind::Panel,  {8, 8, 300, 200}},
    {"Drives", Kind::Custom, {8, 8, 200, 150}, "", "", "Panel1"},
};
// clang-format on

class ListWindow : public widgets::Window {
  public:
    ListWindow() {
        Create({"Lists", 320, 220});
        CreateControls(kListControls);
        drives = std::make_unique<widgets::TDiskListView>(Frame(), 4001, ControlRect("Drives"));
        AdoptControl("Drives", *drives);
    }
    std::unique_ptr<widgets::TDiskListView> drives;
};

TEST(WindowLayer, AnAdoptedListViewTakesItsNotificationsAndItsCaptions) {
    ListWindow window;
    window.Show();
    widgets::TDiskListView& drives = *window.drives;
    EXPECT_EQ(drives.ColumnCaption(0), "Select drives");
    drives.SetColumnCaption(0, "Valitse asemat");
    EXPECT_EQ(drives.ColumnCaption(0), "Valitse asemat");
    EXPECT_EQ(GetWindow(drives.Handle(), GW_HWNDPREV), nullptr) << "above the panel it sits on";

    int changes = 0;
    drives.OnChange = [&](const NMLISTVIEW&) { ++changes; };
    drives.RefreshDrives();
    ASSERT_GT(drives.Count(), 0);
    changes = 0;
    drives.SetSelected(0, !drives.IsSelected(0));
    EXPECT_GE(changes, 1) << "the item change reached the view through the window";
}

}  // namespace

namespace {

// clang-format off
constexpr widgets::ControlSpec kGroupControls[] = {
    {"Group", Kind::GroupBox, {8, 8, 200, 120}, "Group"},
};
// clang-format on

class GroupWindow : public widgets::Window {
  public:
    GroupWindow() {
        Create({"Group", 220, 140});
        CreateControls(kGroupControls);
    }
};

}  // namespace

TEST(WindowLayer, AGroupBoxIsFilledWithTheFrameColourWhenErased) {
    GroupWindow window;
    window.Show();
    Pump(100);
    const HWND group = window.Control("Group");
    HDC dc = GetDC(group);
    const RECT stain{20, 40, 60, 80};
    FillRect(dc, &stain, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(GetPixel(dc, 30, 50), RGB(0, 0, 0));
    RedrawWindow(group, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(50);
    EXPECT_EQ(GetPixel(dc, 30, 50), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(group, dc);
}
