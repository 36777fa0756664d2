#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "base/texts.h"
#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "registry/registry_window.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"
#include "widgets/error_hook.h"

namespace {

using platform::win32::Widen;
using registry::TRegistryIkkuna;
using testing_support::ActOnText;
using testing_support::Click;
using testing_support::TempFolder;
using widgets::MessageButtons;
using widgets::MessageKind;
using widgets::ScriptedDialogs;

// A key of this test's own below HKEY_CURRENT_USER\Software, removed with its subtree when the object goes.
class TestKey {
  public:
    TestKey() {
        static int serial = 0;
        path_ = "Software\\VireoRegWinTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path_).c_str());
    }
    ~TestKey() { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path_).c_str()); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    const std::string& Path() const { return path_; }
    std::string Cell(const std::string& relative) const { return "HKEY_CURRENT_USER: " + path_ + "\\" + relative; }
    registry::ScanRoot Root() const { return {platform::RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\" + path_}; }

    void SetText(const std::string& relative, const std::string& name, const std::string& text) const {
        const std::wstring wide = Widen(text);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(path_ + "\\" + relative).c_str(), Widen(name).c_str(),
                                  REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    bool HasValue(const std::string& relative, const std::string& name) const {
        return RegGetValueW(HKEY_CURRENT_USER, Widen(path_ + "\\" + relative).c_str(), Widen(name).c_str(), RRF_RT_ANY,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    bool HasKey(const std::string& relative) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path_ + "\\" + relative).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

  private:
    std::string path_;
};

struct Cells {
    std::string key;
    std::string valueName;
    std::string text;
    bool operator==(const Cells&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Cells& cells) {
    return out << "{" << cells.key << " | " << cells.valueName << " | " << cells.text << "}";
}

// Result rows as the grid shows them (key, value name and text; the time is checked apart).
std::vector<Cells> RowsOf(TRegistryIkkuna& window) {
    auto& grid = window.StringGrid1();
    std::vector<Cells> rows;
    for (int row = 1; row < grid.RowCount(); ++row)
        rows.push_back({grid.Cell(0, row), grid.Cell(2, row), grid.Cell(3, row)});
    return rows;
}

// Answers as scripted and notes whether the window was still on screen when each message came.
class WatchingDialogs : public ScriptedDialogs {
  public:
    TRegistryIkkuna* window = nullptr;
    std::vector<bool> windowShown;
    int Message(std::string_view text, MessageKind kind, MessageButtons buttons) override {
        windowShown.push_back(window && window->Visible());
        return ScriptedDialogs::Message(text, kind, buttons);
    }
};

class RegistryWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests(program.Path());
        window = std::make_unique<TRegistryIkkuna>();
        dialogs.window = window.get();
        window->ScanRoots = {key.Root()};
        window->Show();
        widgets::ProcessMessages();
    }
    void TearDown() override {
        window.reset();
        platform::SetProgramFolderForTests("");
        base::SetFinnishUI(false);
    }

    // Three dead references in two keys and live ones beside them; rows come in the walk's order.
    void MakeDeadAndLive() {
        key.SetText("A", "dead file", "C:\\VireoNoSuchDir\\A.DLL");
        key.SetText("A", "live folder", "C:\\windows");
        key.SetText("A", "quoted", "\"C:\\VireoNoSuchDir\\A.DLL\"");
        key.SetText("B", "C:\\VireoNoSuchDir\\Named.txt", "");
        key.SetText("B", "dead folder", "C:\\VireoNoSuchDir");
        key.SetText("B", "live file", "C:\\windows\\system32\\kernel32.dll");
    }
    std::vector<Cells> ExpectedDead() const {
        return {{key.Cell("A"), "dead file", "C:\\VireoNoSuchDir\\A.DLL"},
                {key.Cell("B"), "C:\\VireoNoSuchDir\\Named.txt", ""},
                {key.Cell("B"), "dead folder", "C:\\VireoNoSuchDir"}};
    }
    int RegFilesInProgramFolder() const {
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW(Widen(program.Path() + "*.reg").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        int count = 0;
        do {
            ++count;
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return count;
    }

    // An error escaping a handler (a misspelled control name among them) fails the test.
    testing_support::FailOnEscapedErrors loud;
    TempFolder program;
    TestKey key;
    WatchingDialogs dialogs;
    widgets::ScopedDialogs scoped{dialogs};
    std::unique_ptr<TRegistryIkkuna> window;
};

TEST_F(RegistryWindow, FindListsTheDeadReferencesWithTheirFourCells) {
    MakeDeadAndLive();
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
    EXPECT_EQ(window->StringGrid1().Cell(0, 0), "Registry Key");
    EXPECT_EQ(window->StringGrid1().Cell(3, 0), "File/Path reference");
    EXPECT_FALSE(window->Enabled("PoistaButton"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));

    std::string captionDuringScan;
    bool removeEnabledDuringScan = true;
    ActOnText watch(window->Control("StatusBar1"), 1, [&] {
        captionDuringScan = window->Text("AloitaButton");
        removeEnabledDuringScan = window->Enabled("PoistaButton");
    });
    Click(*window, "AloitaButton");

    EXPECT_EQ(captionDuringScan, "&Stop");
    EXPECT_FALSE(removeEnabledDuringScan);
    EXPECT_EQ(RowsOf(*window), ExpectedDead());
    // The time cell is the key's last write, "mm/dd/yyyy hh:mmAM/PM".
    const std::string time = window->StringGrid1().Cell(1, 1);
    ASSERT_EQ(time.size(), 18u) << time;  // "12/09/2026 03:27PM"
    EXPECT_TRUE(time.ends_with("AM") || time.ends_with("PM")) << time;
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 3");
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
    EXPECT_TRUE(window->Enabled("PoistaButton"));
    EXPECT_TRUE(window->Enabled("btnSelectAll"));
    // The first result is the current row.
    const auto selection = window->StringGrid1().Selection();
    EXPECT_EQ(selection.top, 1);
    EXPECT_EQ(selection.bottom, 1);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(window->StringGrid1().RowHeight(), window->Scale(18));

    // Showing the window again keeps the rows and the counts.
    window->Hide();
    window->Show();
    EXPECT_EQ(RowsOf(*window), ExpectedDead());
    EXPECT_TRUE(window->Enabled("PoistaButton"));
    EXPECT_EQ(window->NextRow, 1);
}

TEST_F(RegistryWindow, OneResultEnablesDeleteButNotSelectAll) {
    key.SetText("A", "dead", "C:\\VireoNoSuchDir\\A.DLL");
    Click(*window, "AloitaButton");
    EXPECT_EQ(window->StringGrid1().RowCount(), 2);
    EXPECT_TRUE(window->Enabled("PoistaButton"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
}

TEST_F(RegistryWindow, NoResultTellsSoAndLeavesOneEmptyRow) {
    key.SetText("A", "live", "C:\\windows");
    Click(*window, "AloitaButton");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "No invalid references detected.");
    EXPECT_EQ(dialogs.asked[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.asked[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(window->StringGrid1().RowCount(), 2);
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{{"", "", ""}}));
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 0");
    EXPECT_FALSE(window->Enabled("PoistaButton"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
}

TEST_F(RegistryWindow, StopAfterSomeRowsKeepsThemAndShowsTheirCount) {
    MakeDeadAndLive();
    // The status changes once per key: "A", then "B". Stop while B is announced: A's row is kept.
    ActOnText stop(window->Control("StatusBar1"), 2,
                   [&] { PostMessageW(window->Control("AloitaButton"), BM_CLICK, 0, 0); });
    Click(*window, "AloitaButton");
    ASSERT_EQ(stop.texts.size(), 3u);  // "Analyzing: A", "Analyzing: B", the count
    EXPECT_EQ(stop.texts[0], "Analyzing: A");
    EXPECT_EQ(stop.texts[1], "Analyzing: B");
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{{key.Cell("A"), "dead file", "C:\\VireoNoSuchDir\\A.DLL"}}));
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 1");
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
    EXPECT_TRUE(window->Enabled("PoistaButton"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
    EXPECT_TRUE(dialogs.asked.empty());

    // Find again walks everything afresh.
    Click(*window, "AloitaButton");
    EXPECT_EQ(RowsOf(*window), ExpectedDead());
}

TEST_F(RegistryWindow, RemovingARangeAsksFirstAndRemovesExactlyThoseValues) {
    MakeDeadAndLive();
    key.SetText("C", "dead 1", "C:\\VireoNoSuchDir\\1.DLL");
    key.SetText("C", "dead 2", "C:\\VireoNoSuchDir\\2.DLL");
    Click(*window, "AloitaButton");
    ASSERT_EQ(window->StringGrid1().RowCount(), 6);
    const auto before = RowsOf(*window);

    // Rows 2 to 4, answered No: nothing changes.
    window->StringGrid1().SetSelection({0, 2, 3, 4});
    dialogs.answers = {IDNO};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Are you sure you want to remove 3 selected entries from the Registry?");
    EXPECT_EQ(dialogs.asked[0].kind, MessageKind::Warning);
    EXPECT_EQ(dialogs.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(RowsOf(*window), before);
    EXPECT_TRUE(key.HasValue("B", "C:\\VireoNoSuchDir\\Named.txt"));
    EXPECT_TRUE(key.HasValue("B", "dead folder"));
    EXPECT_TRUE(key.HasValue("C", "dead 1"));
    EXPECT_EQ(RegFilesInProgramFolder(), 0);

    // Yes: exactly those three values go, after a backup in the program's folder.
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_FALSE(key.HasValue("B", "C:\\VireoNoSuchDir\\Named.txt"));
    EXPECT_FALSE(key.HasValue("B", "dead folder"));
    EXPECT_FALSE(key.HasValue("C", "dead 1"));
    EXPECT_TRUE(key.HasValue("A", "dead file"));
    EXPECT_TRUE(key.HasValue("C", "dead 2"));
    EXPECT_TRUE(key.HasValue("B", "live file"));
    EXPECT_TRUE(key.HasKey("B"));  // keys stay, only values go
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{before[0], before[4]}));
    EXPECT_EQ(window->NextRow, 3);
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 2");
    EXPECT_EQ(RegFilesInProgramFolder(), 1);
    EXPECT_TRUE(window->Enabled("btnSelectAll"));

    // Select all and remove the rest: one empty row, Delete and Select all off.
    Click(*window, "btnSelectAll");
    const auto all = window->StringGrid1().Selection();
    EXPECT_EQ(all.top, 1);
    EXPECT_EQ(all.bottom, 2);
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    EXPECT_EQ(dialogs.asked.back().text, "Are you sure you want to remove 2 selected entries from the Registry?");
    EXPECT_FALSE(key.HasValue("A", "dead file"));
    EXPECT_FALSE(key.HasValue("C", "dead 2"));
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{{"", "", ""}}));
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 0");
    EXPECT_FALSE(window->Enabled("PoistaButton"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
}

TEST_F(RegistryWindow, AGappedSelectionRemovesExactlyTheChosenRows) {
    MakeDeadAndLive();
    key.SetText("C", "dead 1", "C:\\VireoNoSuchDir\\1.DLL");
    Click(*window, "AloitaButton");
    ASSERT_EQ(window->StringGrid1().RowCount(), 5);
    const auto before = RowsOf(*window);
    // Rows 1, 3 and 4 chosen as the user would with Ctrl: the list view's own selection, row 2 left out.
    HWND list = window->StringGrid1().Handle();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (const int item : {0, 2, 3})
        ListView_SetItemState(list, item, LVIS_SELECTED, LVIS_SELECTED);
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Are you sure you want to remove 3 selected entries from the Registry?");
    EXPECT_FALSE(key.HasValue("A", "dead file"));
    EXPECT_FALSE(key.HasValue("B", "dead folder"));
    EXPECT_FALSE(key.HasValue("C", "dead 1"));
    EXPECT_TRUE(key.HasValue("B", "C:\\VireoNoSuchDir\\Named.txt")) << "row 2 was not chosen";
    EXPECT_EQ(RowsOf(*window), std::vector<Cells>{before[1]});
}

TEST_F(RegistryWindow, RowsKeptByARemovalAreExplained) {
    MakeDeadAndLive();
    Click(*window, "AloitaButton");
    ASSERT_EQ(window->StringGrid1().RowCount(), 4);
    const auto before = RowsOf(*window);
    key.SetText("A", "dead file", "C:\\windows");  // changed since the scan
    window->StringGrid1().SetSelection({0, 1, 3, 3});
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text,
              "1 selected entry was not removed and stays in the list:\n- 1 changed after the search");
    EXPECT_EQ(dialogs.asked[1].kind, MessageKind::Information);
    EXPECT_EQ(RowsOf(*window), std::vector<Cells>{before[0]});
    EXPECT_TRUE(key.HasValue("A", "dead file"));
}

TEST_F(RegistryWindow, ARowWhoseValueIsAlreadyGoneLeavesWithoutAMessage) {
    MakeDeadAndLive();
    Click(*window, "AloitaButton");
    ASSERT_EQ(window->StringGrid1().RowCount(), 4);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, Widen(key.Path() + "\\B").c_str(), L"dead folder");

    window->StringGrid1().SetSelection({0, 3, 3, 3});
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Are you sure you want to remove selected entry from the Registry?");
    const auto expected = ExpectedDead();
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{expected[0], expected[1]}));
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 2");
    EXPECT_TRUE(key.HasValue("A", "dead file"));
    EXPECT_TRUE(key.HasValue("B", "C:\\VireoNoSuchDir\\Named.txt"));
}

TEST_F(RegistryWindow, ABackupThatCannotBeWrittenDeletesNothing) {
    MakeDeadAndLive();
    Click(*window, "AloitaButton");
    const auto before = RowsOf(*window);
    platform::SetProgramFolderForTests(program.Path() + "no such folder\\");
    window->StringGrid1().SetSelection({0, 1, 3, 3});
    dialogs.answers = {IDYES};
    Click(*window, "PoistaButton");
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].kind, MessageKind::Warning);
    EXPECT_FALSE(dialogs.asked[1].text.empty());
    EXPECT_EQ(RowsOf(*window), before);
    EXPECT_TRUE(key.HasValue("A", "dead file"));
    EXPECT_TRUE(key.HasValue("B", "dead folder"));
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 3");
}

TEST_F(RegistryWindow, FinnishTextsAndCount) {
    base::SetFinnishUI(true);
    window->ApplyTexts(registry::RegistryFinnishTexts());
    window->Hide();
    window->Show();
    EXPECT_EQ(window->Caption(), "Puhdista rekisteri");
    EXPECT_EQ(window->Text("AloitaButton"), "&Etsi");
    EXPECT_EQ(window->Text("btnSelectAll"), "&Valitse kaikki");
    EXPECT_EQ(window->StringGrid1().Cell(0, 0), "Rekisterin avain");
    EXPECT_EQ(window->StringGrid1().Cell(3, 0), "Tiedosto/hakemisto viittaus");
    for (int i = 0; i < 12; ++i)
        key.SetText("K", "dead " + std::to_string(10 + i), "C:\\VireoNoSuchDir\\" + std::to_string(i) + ".DLL");
    std::string stopCaption;
    ActOnText watch(window->Control("StatusBar1"), 1, [&] { stopCaption = window->Text("AloitaButton"); });
    Click(*window, "AloitaButton");
    EXPECT_EQ(stopCaption, "&Pysäytä");
    EXPECT_EQ(window->StringGrid1().RowCount(), 13);
    EXPECT_EQ(window->Text("StatusBar1"), "Virheellisiä viittauksia: 12kpl");
    EXPECT_EQ(window->Text("AloitaButton"), "&Etsi");

    window->StringGrid1().SetSelection({0, 3, 3, 5});
    dialogs.answers = {IDNO};
    Click(*window, "PoistaButton");
    EXPECT_EQ(dialogs.asked.back().text, "Oletko varma että haluat poistaa 3 valittua tietuetta rekisteristä?");
}

TEST_F(RegistryWindow, EveryCaptionFitsInBothLanguages) {
    for (const bool finnish : {false, true}) {
        base::SetFinnishUI(finnish);
        if (finnish)
            window->ApplyTexts(registry::RegistryFinnishTexts());
        window->Hide();
        window->Show();
        testing_support::ExpectCaptionsFit(*window, {"AloitaButton", "PoistaButton", "btnSelectAll", "SuljeButton"});
        // The Stop look of the Find button too.
        ActOnText during(window->Control("StatusBar1"), 1, [&] {
            testing_support::ExpectCaptionsFit(*window, {"AloitaButton"});
            window->btnStopClick();
        });
        key.SetText("A", "dead", "C:\\VireoNoSuchDir\\A.DLL");
        Click(*window, "AloitaButton");
        EXPECT_FALSE(during.texts.empty());
    }
}

TEST_F(RegistryWindow, CloseDuringAScanStopsItAndClosesAfterwards) {
    MakeDeadAndLive();
    ActOnText close(window->Control("StatusBar1"), 1,
                    [&] { PostMessageW(window->Control("SuljeButton"), BM_CLICK, 0, 0); });
    Click(*window, "AloitaButton");
    EXPECT_FALSE(window->Scanning());
    EXPECT_FALSE(window->Visible());
    // Stopped at the first yield: nothing judged, so the no-result message came before the window went.
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "No invalid references detected.");
    EXPECT_EQ(dialogs.windowShown, std::vector<bool>{true});

    window->Show();
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
}

TEST_F(RegistryWindow, TheCloseBoxOfTheModalWindowStopsAScan) {
    window->Hide();
    MakeDeadAndLive();
    ActOnText close(window->Control("StatusBar1"), 1, [&] { PostMessageW(window->Handle(), WM_CLOSE, 0, 0); });
    PostMessageW(window->Control("AloitaButton"), BM_CLICK, 0, 0);
    EXPECT_EQ(window->ShowModal(), widgets::mrCancel);
    EXPECT_FALSE(window->Visible());
    // Stopped at its first yield, before any value was judged.
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "No invalid references detected.");
    EXPECT_EQ(dialogs.windowShown, std::vector<bool>{true});
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
}

TEST_F(RegistryWindow, AKeyGoneDuringTheScanEndsItButTheWindowGoesBackToFind) {
    int errors = 0;
    widgets::SetErrorHook([&] { ++errors; });
    key.SetText("A\\X", "dead", "C:\\VireoNoSuchDir\\A.DLL");
    key.SetText("A\\X\\Y", "dead too", "C:\\VireoNoSuchDir\\B.DLL");
    key.SetText("B", "dead", "C:\\VireoNoSuchDir\\C.DLL");
    // While X is examined, A goes: after X's subtree its parent cannot be opened again.
    ActOnText cut(window->Control("StatusBar1"), 1,
                  [&] { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key.Path() + "\\A").c_str()); });
    Click(*window, "AloitaButton");
    widgets::SetErrorHook(nullptr);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(RowsOf(*window), (std::vector<Cells>{{key.Cell("A\\X"), "dead", "C:\\VireoNoSuchDir\\A.DLL"}}));
    EXPECT_EQ(window->Text("AloitaButton"), "&Find");
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 1");
    EXPECT_TRUE(window->Enabled("PoistaButton"));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_FALSE(window->Scanning());
}

TEST_F(RegistryWindow, ManyRowsGrowInStepsAndAreTrimmedOnce) {
    for (int i = 0; i < 25; ++i)
        key.SetText("M", std::string("v").append(std::to_string(100 + i)),
                    std::string("C:\\VireoNoSuchDir\\").append(std::to_string(i)).append(".DLL"));
    Click(*window, "AloitaButton");
    EXPECT_EQ(window->StringGrid1().RowCount(), 26);
    EXPECT_EQ(window->StringGrid1().Cell(2, 25), "v124");
    EXPECT_EQ(window->Text("StatusBar1"), "Number of invalid references: 25");
}

}  // namespace
