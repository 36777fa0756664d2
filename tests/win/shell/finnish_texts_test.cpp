#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/finnish.h"
#include "app/language_window.h"
#include "app/window_set.h"
#include "duplicates/comparison.h"
#include "platform/win32/unicode.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "win/shell/shell_fixture.h"
#include "win/shell/window_texts.h"

using namespace testing_support;

namespace {

widgets::Window& WindowNamed(std::string_view name) {
    if (name == "main")
        return *app::PaaIkkuna;
    if (name == "about")
        return *app::AboutBox;
    if (name == "registry")
        return *app::RegistryIkkuna;
    if (name == "usage")
        return *app::KaavioIkkuna;
    if (name == "options")
        return *app::OptionsIkkuna;
    if (name == "backup")
        return *app::BackupIkkuna;
    if (name == "duplicates")
        return *app::KaksoisIkkuna;
    throw std::logic_error("no window " + std::string(name));
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "|") + part;
    return text;
}

std::string ColumnHeaders(HWND list, size_t count) {
    std::vector<std::string> headers;
    for (size_t column = 0; column < count; ++column) {
        wchar_t text[128] = {};
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = text;
        lvc.cchTextMax = 128;
        if (!ListView_GetColumn(list, static_cast<int>(column), &lvc))
            break;
        headers.push_back(platform::win32::Narrow(text));
    }
    return Joined(headers);
}

size_t PartCount(std::string_view list) {
    return static_cast<size_t>(std::count(list.begin(), list.end(), '|')) + 1;
}

// The save dialog's title and filter, as the chart's Save button opens it.
widgets::FileDialogRequest SaveRequest() {
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    Click(*app::KaavioIkkuna, "TallennaKaavio");
    return dialogs.fileRequests.empty() ? widgets::FileDialogRequest{} : dialogs.fileRequests.back();
}

// The text of one table row as the program shows it now.
std::string Shown(const WindowText& row) {
    widgets::Window& window = WindowNamed(row.window);
    const std::string_view property = row.property;
    const std::string_view expected = row.english;
    // A tool window's caption gains what it works on after a dash once it has started.
    if (property == "caption")
        return *row.control ? window.Text(row.control) : window.Caption().substr(0, window.Caption().find(" - "));
    if (property == "hint")
        return window.Hint(row.control);
    if (property == "tab") {
        // The options window's pages, in the order of their tabs.
        constexpr std::string_view kPages[] = {"TabSheet1", "Temp", "Charts", "TabSheet2"};
        const auto page = std::find(std::begin(kPages), std::end(kPages), row.control) - std::begin(kPages);
        return app::OptionsIkkuna->PageTitle(static_cast<int>(page));
    }
    if (property == "items") {
        widgets::ComboBox box(window, row.control);
        std::vector<std::string> items;
        for (int i = 0; i < box.Count(); ++i)
            items.push_back(box.Item(i));
        return Joined(items);
    }
    if (property == "columns")
        return ColumnHeaders(window.Control(row.control), PartCount(expected));
    if (property == "panels") {
        widgets::StatusBar status(window, row.control);
        std::vector<std::string> panels;
        for (size_t i = 1; i <= PartCount(expected); ++i)
            panels.push_back(status.PanelText(static_cast<int>(i)));
        return Joined(panels);
    }
    if (property == "title" && std::string_view(row.control) == "Kaavio")
        return app::KaavioIkkuna->Kaavio().Title();
    if (property == "title")
        return SaveRequest().title;
    if (property == "filter")
        return SaveRequest().filter;
    if (property == "text")
        return duplicates::HeaderCaption();
    throw std::logic_error("no property " + std::string(property));
}

}  // namespace

TEST_F(ShellTest, EveryWindowShowsEachTextOfTheTablesInTheLanguageChosen) {
    for (const bool finnish : {false, true}) {
        WriteOptions(finnish ? "[General]\r\nLanguage/Kieli=0\r\n" : "[General]\r\nLanguage/Kieli=1\r\n");
        Start();
        FailOnEscapedErrors loud;
        for (const WindowText& row : kWindowTexts)
            EXPECT_EQ(Shown(row), finnish ? row.finnish : row.english)
                << row.window << " " << (*row.control ? row.control : "(window)") << " " << row.property;
        app::DestroyWindows();
        base::SetFinnishUI(false);
    }
}

TEST_F(ShellTest, FinnishUnitNamesKeepTheChosenUnitInItsPlace) {
    WriteOptions("[General]\r\nLanguage/Kieli=0\r\n[Chart]\r\nBytes=0\r\nMB=1\r\n");
    Start();
    widgets::ComboBox units(*app::KaavioIkkuna, "cbxUnits");
    EXPECT_EQ(units.ItemIndex(), 2);
    EXPECT_EQ(units.Item(units.ItemIndex()), "Mt");
}

// The label that follows each window's "Tila:" label.
struct StatusFollower {
    const char* window;
    const char* follower;
};
constexpr StatusFollower kStatusFollowers[] = {{"backup", "Label1"}, {"duplicates", "lblFileListCaption"}};

TEST_F(ShellTest, TheLabelAfterTilaFollowsItAndStaysPutInEnglish) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    std::vector<int> englishLefts;
    for (const StatusFollower& label : kStatusFollowers) {
        const widgets::Window& window = WindowNamed(label.window);
        const widgets::Place status = window.ControlPlace("Label3");
        englishLefts.push_back(window.ControlPlace(label.follower).left);
        EXPECT_GT(englishLefts.back(), status.left + status.width) << label.window;
    }
    app::DestroyWindows();

    WriteOptions("[General]\r\nLanguage/Kieli=0\r\n");
    Start();
    for (size_t i = 0; i < std::size(kStatusFollowers); ++i) {
        const widgets::Window& window = WindowNamed(kStatusFollowers[i].window);
        const widgets::Place tila = window.ControlPlace("Label3");
        const int left = window.ControlPlace(kStatusFollowers[i].follower).left;
        EXPECT_NEAR(tila.width, CaptionWidth(window.Control("Label3")), 1) << "the label fits its Finnish text";
        EXPECT_EQ(left, tila.left + tila.width + 7) << kStatusFollowers[i].window;
        EXPECT_LT(left, englishLefts[i]) << kStatusFollowers[i].window << ": Tila: is shorter than Status:";
    }
}

namespace {

// On the first-run question: Suomi, then, once the question has answered it, the close box.
int languageSteps = 0;
bool openAfterSuomi = false;
void CALLBACK SuomiThenCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = FindWindowW(L"VireoWindow", L"Valitse kieli/Choose language");
    if (!window || !IsWindowVisible(window))
        return;
    if (languageSteps++ == 0) {
        PostMessageW(FindWindowExW(GetWindow(window, GW_CHILD), nullptr, L"Button", L"&Suomi"), BM_CLICK, 0, 0);
        return;
    }
    KillTimer(nullptr, id);
    openAfterSuomi = true;
    PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace

TEST_F(ShellTest, ALanguageThatCannotBeStoredIsToldInBothLanguagesAndThisRunUsesItAllTheSame) {
    // An empty read-only file: no language stored, and none can be.
    WriteOptions("");
    const std::wstring ini = platform::win32::Widen(folder_ / "Options.ini");
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope(dialogs);
    languageSteps = 0;
    openAfterSuomi = false;
    SetTimer(nullptr, 0, 100, SuomiThenCloseBox);
    {
        FailOnEscapedErrors loud;
        Start();
    }
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(openAfterSuomi) << "the question stays for another try";
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, app::UnsavedLanguageText(folder_ / "Options.ini"));
    EXPECT_NE(dialogs.asked[0].text.find("Vireo ei voinut tallentaa"), std::string::npos);
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Error);
    EXPECT_TRUE(base::FinnishUI()) << "the choice made decides this run";
    EXPECT_EQ(Options(), "");
}
