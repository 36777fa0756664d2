#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/win32/unicode.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"

namespace {

using settings::TOptionsIkkuna;

// The tooltip text a control shows, as the user would see it.
std::string HintOf(const TOptionsIkkuna& window, const char* name) {
    struct Search {
        HWND owner;
        HWND tooltip = nullptr;
    } search{window.Handle()};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (GetWindow(hwnd, GW_OWNER) == s->owner && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) {
                s->tooltip = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.tooltip)
        return "<no tooltip control>";
    wchar_t buffer[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window.Frame();
    tool.uId = reinterpret_cast<UINT_PTR>(window.Control(name));
    tool.lpszText = buffer;
    if (!SendMessageW(search.tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return "";
    tool.lpszText = buffer;
    SendMessageW(search.tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return platform::win32::Narrow(buffer);
}

struct Box {
    const char* name;
    const char* group;
    const char* caption;
    const char* hint;
    bool ticked;
};

// Every choice of the window as designed, by page.
const Box kBoxes[] = {
    {"chkCheckFileTimestamp", "GroupBox1", "Same date && time", "Slower but more accurate searches", true},
    {"chkCheckFilename", "GroupBox1", "Same name", "Only match files of the same name", false},
    {"chkSkipEmptyFiles", "GroupBox1", "Skip empty files", "", true},
    {"chkFloppyIsMaster", "Advanced", "Treat floppy as master", "Treat floppy as a normal disk drive", true},
    {"chkSkipSysbckup", "Advanced", "Skip SYSBCKUP folder", "Skip Windows 95 protected folder", true},
    {"chkSkipDesktopFolders", "Advanced", "Skip Desktop.ini folders", "", true},
    {"chkCheckFilesize", "Advanced", "Require same size", "Require same file size from duplicates", true},
    {"RadioButton1", "GroupBox5", "Recycle bin", "", true},
    {"RadioButton2", "GroupBox5", "Permanent delete", "", false},
    {"chkHidden", "GroupBox2", "Hidden files", "", true},
    {"chkReadOnly", "GroupBox2", "Read-only files", "", true},
    {"chkSystem", "GroupBox2", "System files", "", true},
    {"chkZeroLength", "GroupBox2", "Empty files", "", true},
    {"btnMostFiles", "GroupBox3", "Normal search", "", true},
    {"btnExtraFiles", "GroupBox3", "Extra files", "", false},
    {"btnUseRecycleBin", "GroupBox4", "Recycle bin", "", true},
    {"btnTraditionalDelete", "GroupBox4", "Permanent delete", "", false},
    {"btnActual", "GroupBox6", "Only show nominal bytes", "", true},
    {"btnAllocated", "GroupBox6", "Show actual space on disk", "", false},
    {"btnSlack", "GroupBox6", "Show only the slack space", "", false},
    {"btnBytes", "GroupBox7", "Bytes", "", true},
    {"btnKB", "GroupBox7", "Kb", "", false},
    {"btnMB", "GroupBox7", "Mb", "", false},
    {"btnCount", "GroupBox7", "File count", "", false},
    {"btnCompressed", "GroupBox8", "Compressed size", "", true},
    {"btnUncompressed", "GroupBox8", "Uncompressed size", "", false},
    {"chkShowFreeDisk", "GroupBox9", "Show free disk space", "", true},
    {"English", "Language", "English", "", true},
    {"Suomi", "Language", "Suomi", "", false},
};

struct Group {
    const char* name;
    const char* caption;
    int page;
};
const Group kGroups[] = {
    {"GroupBox1", "Require", 0},         {"Advanced", "Advanced", 0},        {"GroupBox5", "Delete method", 0},
    {"GroupBox2", " Ignore ", 1},        {"GroupBox3", "Search options", 1}, {"GroupBox4", "Delete method", 1},
    {"GroupBox6", "Space display", 2},   {"GroupBox7", "Unit", 2},           {"GroupBox8", "Measure files by", 2},
    {"GroupBox9", "Free disk space", 2}, {"Language", "Language/Kieli", 3},
};

int PageOf(const char* group) {
    for (const auto& g : kGroups) {
        if (std::string(g.name) == group)
            return g.page;
    }
    return -1;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

// The page shown, the controls visible on it, and that each sits whole inside its group and the page
// area, with no two overlapping and every caption fitting.
void ExpectPageLaidOut(TOptionsIkkuna& window, int page) {
    window.ShowPage("Asetukset", page);
    HWND tabs = window.Control("Asetukset");
    RECT area = ScreenRect(tabs);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    std::vector<RECT> groups;
    for (const auto& group : kGroups) {
        HWND hwnd = window.Control(group.name);
        const bool shouldShow = group.page == page && std::string(group.name) != "GroupBox6";
        EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, shouldShow) << group.name << " on page " << page;
        if (!shouldShow)
            continue;
        const RECT r = ScreenRect(hwnd);
        EXPECT_TRUE(Inside(r, area)) << group.name << " leaves the page area";
        for (const RECT& other : groups)
            EXPECT_FALSE(Overlap(r, other)) << group.name << " overlaps another group";
        groups.push_back(r);
    }
    for (const auto& box : kBoxes) {
        HWND hwnd = window.Control(box.name);
        const bool shouldShow = PageOf(box.group) == page && std::string(box.group) != "GroupBox6";
        EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, shouldShow) << box.name << " on page " << page;
        if (!shouldShow)
            continue;
        const RECT r = ScreenRect(hwnd);
        RECT group = ScreenRect(window.Control(box.group));
        InflateRect(&group, -2, -2);
        EXPECT_TRUE(Inside(r, group)) << box.name << " leaves its group";
        for (const auto& other : kBoxes) {
            if (&other != &box && std::string(other.group) == box.group) {
                EXPECT_FALSE(Overlap(r, ScreenRect(window.Control(other.name)))) << box.name << " and " << other.name;
            }
        }
        EXPECT_LE(testing_support::CaptionWidth(hwnd), r.right - r.left) << box.name << "'s caption is cut off";
    }
}

TEST(OptionsWindow, DesignStatesCaptionsAndHints) {
    TOptionsIkkuna window;
    EXPECT_EQ(window.Caption(), "Options");
    EXPECT_EQ(window.HelpTopic(), 105);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, window.Scale(418));
    EXPECT_EQ(client.bottom, window.Scale(314));

    const char* titles[] = {"Duplicate files", "Unnecessary files", "Space usage", "General"};
    EXPECT_EQ(SendMessageW(window.Control("Asetukset"), TCM_GETITEMCOUNT, 0, 0), 4);
    for (int page = 0; page < 4; ++page)
        EXPECT_EQ(window.PageTitle(page), titles[page]);
    EXPECT_EQ(window.ActivePage("Asetukset"), 0);

    for (const auto& box : kBoxes) {
        EXPECT_EQ(window.Checked(box.name), box.ticked) << box.name;
        EXPECT_TRUE(window.Enabled(box.name)) << box.name;
        EXPECT_EQ(window.Text(box.name), box.caption) << box.name;
        EXPECT_EQ(HintOf(window, box.name), box.hint) << box.name;
    }
    for (const auto& group : kGroups)
        EXPECT_EQ(window.Text(group.name), group.caption) << group.name;
    EXPECT_TRUE(window.English());

    EXPECT_EQ(window.Text("Ok"), "&Ok");
    EXPECT_EQ(HintOf(window, "Ok"), "Ok, save changes");
    EXPECT_EQ(window.Text("Cancel"), "&Cancel");
    EXPECT_EQ(HintOf(window, "Cancel"), "Cancel, undo changes");
    EXPECT_EQ(window.UnitIndex, 0);
    EXPECT_EQ(window.DisplayIndex, 0);
    EXPECT_FALSE(window.RestartRequested);

    // The space display choice exists but is never shown, not even on its page.
    for (const char* name : {"GroupBox6", "btnActual", "btnAllocated", "btnSlack"})
        EXPECT_FALSE(window.ControlVisible(name)) << name;
}

TEST(OptionsWindow, EveryPageIsLaidOutInBothLanguages) {
    TOptionsIkkuna window;
    window.Show();
    for (int page = 0; page < 4; ++page)
        ExpectPageLaidOut(window, page);
    window.ApplyFinnishTexts();
    for (int page = 0; page < 4; ++page)
        ExpectPageLaidOut(window, page);
    // The Ok and Cancel buttons lie below the pages, inside the window.
    const RECT tabs = ScreenRect(window.Control("Asetukset"));
    RECT client{};
    GetClientRect(window.Handle(), &client);
    MapWindowPoints(window.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const char* name : {"Ok", "Cancel"}) {
        const RECT r = ScreenRect(window.Control(name));
        EXPECT_GE(r.top, tabs.bottom) << name;
        EXPECT_TRUE(Inside(r, client)) << name;
    }
}

TEST(OptionsWindow, ClearingSameSizeRequiresTheNameAndDropsTheDate) {
    TOptionsIkkuna window;
    window.Show();
    // By the user's click.
    SendMessageW(window.Control("chkCheckFilesize"), BM_CLICK, 0, 0);
    ASSERT_FALSE(window.Checked("chkCheckFilesize"));
    EXPECT_TRUE(window.Checked("chkCheckFilename"));
    EXPECT_FALSE(window.Enabled("chkCheckFilename"));
    EXPECT_FALSE(window.Checked("chkCheckFileTimestamp"));
    EXPECT_FALSE(window.Enabled("chkCheckFileTimestamp"));

    SendMessageW(window.Control("chkCheckFilesize"), BM_CLICK, 0, 0);
    ASSERT_TRUE(window.Checked("chkCheckFilesize"));
    EXPECT_TRUE(window.Checked("chkCheckFilename")) << "ticking again leaves the name required";
    EXPECT_TRUE(window.Enabled("chkCheckFilename"));
    EXPECT_FALSE(window.Checked("chkCheckFileTimestamp"));
    EXPECT_TRUE(window.Enabled("chkCheckFileTimestamp"));

    // By the program, as when the stored settings are loaded: the date box was ticked and the name box
    // clear before the size box is cleared.
    window.SetChecked("chkCheckFileTimestamp", true);
    window.SetChecked("chkCheckFilename", false);
    window.SetChecked("chkCheckFilesize", false);
    EXPECT_TRUE(window.Checked("chkCheckFilename"));
    EXPECT_FALSE(window.Enabled("chkCheckFilename"));
    EXPECT_FALSE(window.Checked("chkCheckFileTimestamp"));
    EXPECT_FALSE(window.Enabled("chkCheckFileTimestamp"));
    // Setting the same state again changes nothing.
    window.SetChecked("chkCheckFilesize", false);
    EXPECT_FALSE(window.Enabled("chkCheckFilename"));
    window.SetChecked("chkCheckFilesize", true);
    EXPECT_TRUE(window.Checked("chkCheckFilename"));
    EXPECT_TRUE(window.Enabled("chkCheckFilename"));
    EXPECT_TRUE(window.Enabled("chkCheckFileTimestamp"));
    EXPECT_FALSE(window.Checked("chkCheckFileTimestamp"));
}

TEST(OptionsWindow, OkCancelAndRestartEndTheModalShow) {
    TOptionsIkkuna window;
    PostMessageW(window.Control("Ok"), BM_CLICK, 0, 0);
    EXPECT_EQ(window.ShowModal(), widgets::mrOk);
    EXPECT_FALSE(window.RestartRequested);
    EXPECT_FALSE(window.Visible());

    PostMessageW(window.Control("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(window.ShowModal(), widgets::mrCancel);
    EXPECT_FALSE(window.RestartRequested);

    // The language question's "Yes": ends like OK and asks for the program to close.
    window.StartTimer(10, false, [&] { window.Sammuta(); });
    EXPECT_EQ(window.ShowModal(), widgets::mrOk);
    EXPECT_TRUE(window.RestartRequested);

    // A later OK or Cancel forgets the restart.
    PostMessageW(window.Control("Cancel"), BM_CLICK, 0, 0);
    EXPECT_EQ(window.ShowModal(), widgets::mrCancel);
    EXPECT_FALSE(window.RestartRequested);
    window.Sammuta();
    PostMessageW(window.Control("Ok"), BM_CLICK, 0, 0);
    EXPECT_EQ(window.ShowModal(), widgets::mrOk);
    EXPECT_FALSE(window.RestartRequested);

    // The keyboard: Escape cancels, Enter confirms, the close box cancels.
    window.StartTimer(10, false, [&] { PostMessageW(window.Control("chkHidden"), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(window.ShowModal(), widgets::mrCancel);
    window.StartTimer(10, false, [&] { PostMessageW(window.Control("chkHidden"), WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(window.ShowModal(), widgets::mrOk);
    window.StartTimer(10, false, [&] { PostMessageW(window.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(window.ShowModal(), widgets::mrCancel);
    // The window keeps its choices between showings.
    EXPECT_TRUE(window.Checked("chkHidden"));
}

TEST(OptionsWindow, UnitChoicesSetTheUnitIndex) {
    TOptionsIkkuna window;
    window.Show();
    window.ShowPage("Asetukset", 2);
    const std::pair<const char*, int> units[] = {{"btnMB", 2}, {"btnCount", 3}, {"btnKB", 1}, {"btnBytes", 0}};
    for (const auto& [name, index] : units) {
        SendMessageW(window.Control(name), BM_CLICK, 0, 0);
        EXPECT_EQ(window.UnitIndex, index) << name;
        EXPECT_TRUE(window.Checked(name)) << name;
        for (const char* other : {"btnBytes", "btnKB", "btnMB", "btnCount"}) {
            if (std::string(other) != name) {
                EXPECT_FALSE(window.Checked(other)) << other << " with " << name;
            }
        }
    }
    // The handlers themselves, as the space-usage page's filling calls them.
    window.btnMBClick();
    EXPECT_EQ(window.UnitIndex, 2);
    window.btnCountClick();
    EXPECT_EQ(window.UnitIndex, 3);
    // Other choices on the page leave the unit alone; the choices of one group leave the others'.
    SendMessageW(window.Control("btnUncompressed"), BM_CLICK, 0, 0);
    EXPECT_EQ(window.UnitIndex, 3);
    EXPECT_TRUE(window.Checked("btnUncompressed"));
    EXPECT_FALSE(window.Checked("btnCompressed"));
    EXPECT_TRUE(window.Checked("btnBytes"));
}

TEST(OptionsWindow, LanguageChoice) {
    TOptionsIkkuna window;
    window.SetEnglish(false);
    EXPECT_FALSE(window.English());
    EXPECT_TRUE(window.Checked("Suomi"));
    EXPECT_FALSE(window.Checked("English"));
    window.SetEnglish(true);
    EXPECT_TRUE(window.English());
    EXPECT_FALSE(window.Checked("Suomi"));
}

TEST(OptionsWindow, FinnishTexts) {
    TOptionsIkkuna window;
    std::set<std::string> names;
    for (const auto& text : settings::OptionsFinnishTexts()) {
        if (*text.name) {
            EXPECT_TRUE(window.HasControl(text.name)) << text.name;
        }
        EXPECT_TRUE(names.insert(text.name).second) << "twice: " << text.name;
    }
    window.ApplyFinnishTexts();
    EXPECT_EQ(window.Caption(), "Asetukset");
    const char* titles[] = {"Duplikaatit", "Turhat tiedostot", "Tilan käyttö", "Yleiset"};
    for (int page = 0; page < 4; ++page)
        EXPECT_EQ(window.PageTitle(page), titles[page]);
    EXPECT_EQ(window.Text("Ok"), "&Ok");
    EXPECT_EQ(HintOf(window, "Ok"), "OK, tallenna muutokset");
    EXPECT_EQ(window.Text("Cancel"), "&Peruuta");
    EXPECT_EQ(HintOf(window, "Cancel"), "Peruuta, kumoa muutokset");
    EXPECT_EQ(window.Text("Advanced"), "Kehittyneet asetukset");
    EXPECT_EQ(window.Text("GroupBox2"), "Älä huomioi");
    EXPECT_EQ(window.Text("chkCheckFileTimestamp"), "Sama päivämäärä ja aika");
    EXPECT_EQ(HintOf(window, "chkCheckFilename"), "Etsi vain saman nimen omistavia tiedostoja");
    EXPECT_EQ(window.Text("chkFloppyIsMaster"), "Käsittele A:\\ normaalina");
    EXPECT_EQ(HintOf(window, "chkCheckFilesize"), "Vaadi sama koko duplikaateilta");
    EXPECT_EQ(window.Text("btnCount"), "Lukumäärä");
    // Left in their design form.
    EXPECT_EQ(window.Text("Language"), "Language/Kieli");
    EXPECT_EQ(window.Text("English"), "English");
    EXPECT_EQ(window.Text("Suomi"), "Suomi");
    EXPECT_EQ(window.Text("GroupBox6"), "Space display");
    EXPECT_EQ(window.Text("btnSlack"), "Show only the slack space");
    // The texts change nothing but texts.
    EXPECT_TRUE(window.Checked("chkCheckFilesize"));
    EXPECT_TRUE(window.Enabled("chkCheckFilename"));
}

}  // namespace
