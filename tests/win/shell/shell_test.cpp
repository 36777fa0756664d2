#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "app/application.h"
#include "app/finnish.h"
#include "app/window_set.h"
#include "base/texts.h"
#include "platform/program_folder.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "widgets/help.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

const std::initializer_list<const char*> kToolButtons = {"RegistryClean", "Kaksois", "Backups", "Kaytto",
                                                         "Settings",      "Tietoa",  "Sulje"};

void MoveMouseOver(HWND control) {
    SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
}

// Answers the first-run question from inside its modal loop.
std::wstring pressOnLanguageWindow;
// Ticks until the window is up: on a busy machine it may take longer than one tick.
void CALLBACK PressLanguageButton(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = FindWindowW(L"VireoWindow", L"Valitse kieli/Choose language");
    if (!window || !IsWindowVisible(window))
        return;
    KillTimer(nullptr, id);
    if (pressOnLanguageWindow == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    HWND frame = GetWindow(window, GW_CHILD);
    HWND button = FindWindowExW(frame, nullptr, L"Button", pressOnLanguageWindow.c_str());
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace

TEST_F(ShellTest, FinnishSettingGivesFinnishTextsAndTheInitialT) {
    WriteOptions("[General]\r\nLanguage/Kieli=0\r\n");
    Start();
    EXPECT_TRUE(base::FinnishUI());
    EXPECT_TRUE(app::OptionsIkkuna->Checked("Suomi"));
    EXPECT_FALSE(app::OptionsIkkuna->Checked("English"));
    EXPECT_EQ(Main().Text("Label1"), "ervetuloa Vireo 1.5:seen!");
    EXPECT_EQ(Main().Text("RegistryClean"), "&Puhdista rekisteri");
    EXPECT_EQ(Main().Caption(), "Vireo 1.5 by Lumoworks");
    EXPECT_EQ(Main().Picture("Image1"), Main().Picture("Image2"));
    EXPECT_EQ(Main().ControlPlace("Label1").left, 142 + 64 - 8);
    EXPECT_EQ(app::HelpFile(), folder_.Path() + "VireoS.htm");
    EXPECT_EQ(app::AboutBox->Caption(), "Tietoa");
    EXPECT_EQ(app::OptionsIkkuna->Caption(), "Asetukset");
    EXPECT_EQ(app::RegistryIkkuna->Caption(), "Puhdista rekisteri");
    EXPECT_EQ(app::OdotaIkkuna, nullptr) << "the first activation destroys the splash";
    ExpectCaptionsFit(Main(), kToolButtons);
}

TEST_F(ShellTest, EnglishWhenTheKeySaysSoOrIsNotANumber) {
    for (const char* value : {"1", "yes", "2"}) {
        WriteOptions(std::string("[general]\r\nlanguage/kieli=") + value + "\r\n");
        Start();
        EXPECT_FALSE(base::FinnishUI()) << value;
        EXPECT_EQ(Main().Text("Label1"), "elcome to Vireo 1.5!");
        EXPECT_EQ(Main().ControlPlace("Label1").left, 142 + 64);
        EXPECT_EQ(app::HelpFile(), folder_.Path() + "VireoE.htm");
        EXPECT_EQ(Main().LanguageText, value);
        ExpectCaptionsFit(Main(), kToolButtons);
        app::DestroyWindows();
    }
}

TEST_F(ShellTest, InfoPanelFollowsThePointer) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    EXPECT_FALSE(Main().ControlVisible("Label3"));
    MoveMouseOver(Main().Control("Tietoa"));
    EXPECT_TRUE(Main().ControlVisible("Label3"));
    EXPECT_TRUE(Main().ControlVisible("Label4"));
    EXPECT_EQ(Main().Text("Label3"), "About");
    EXPECT_EQ(Main().Text("Label4"), "Shows some intresting information about Vireo. Check it out please!");

    MoveMouseOver(Main().Control("Label3"));  // the title itself keeps the panel as it is
    EXPECT_TRUE(Main().ControlVisible("Label3"));
    MoveMouseOver(Main().Control("Label4"));
    EXPECT_FALSE(Main().ControlVisible("Label3"));
    EXPECT_FALSE(Main().ControlVisible("Label4"));

    MoveMouseOver(Main().Control("Sulje"));
    EXPECT_EQ(Main().Text("Label3"), "Close");
    MoveMouseOver(Main().Frame());
    EXPECT_FALSE(Main().ControlVisible("Label3"));
}

TEST_F(ShellTest, FirstRunAsksForTheLanguageAndWritesIt) {
    pressOnLanguageWindow = L"&Suomi";
    SetTimer(nullptr, 0, 50, PressLanguageButton);
    Start();
    EXPECT_EQ(Options(), "[General]\r\nLanguage/Kieli=0\r\n");
    EXPECT_TRUE(base::FinnishUI());
    EXPECT_EQ(Main().Text("Label1"), "ervetuloa Vireo 1.5:seen!");
    EXPECT_EQ(app::OdotaIkkuna, nullptr);
}

namespace {
// A second copy's wake-up arriving while the first-run question is up, then the answer Suomi.
bool mainVisibleAfterWake = true;
void CALLBACK WakeThenPressSuomi(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = FindWindowW(L"VireoWindow", L"Valitse kieli/Choose language");
    if (!window || !IsWindowVisible(window))
        return;
    KillTimer(nullptr, id);
    SendMessageW(app::PaaIkkuna->Handle(), app::InstanceMessage(), 0, 0);
    mainVisibleAfterWake = IsWindowVisible(app::PaaIkkuna->Handle()) != FALSE;
    HWND button = FindWindowExW(GetWindow(window, GW_CHILD), nullptr, L"Button", L"&Suomi");
    PostMessageW(button, BM_CLICK, 0, 0);
}
}  // namespace

TEST_F(ShellTest, WakeUpDuringTheLanguageQuestionKeepsTheFirstShowSteps) {
    WriteOptions("[Backups, temps deleter]\r\nNormal_search=0\r\n");
    SetTimer(nullptr, 0, 50, WakeThenPressSuomi);
    Start();
    EXPECT_FALSE(mainVisibleAfterWake);
    EXPECT_TRUE(base::FinnishUI());
    EXPECT_EQ(Main().Text("Sulje"), "&Sulje");
    EXPECT_EQ(app::HelpFile(), folder_.Path() + "VireoS.htm");
    EXPECT_TRUE(app::OptionsIkkuna->Checked("btnExtraFiles"));
    EXPECT_FALSE(app::OptionsIkkuna->Checked("btnMostFiles"));
}

TEST_F(ShellTest, SplashAndLanguageQuestionHaveATaskbarButtonOfTheirOwn) {
    const auto onTaskbar = [](HWND window) {
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        return IsWindowVisible(window) && (exStyle & WS_EX_TOOLWINDOW) == 0 &&
               ((exStyle & WS_EX_APPWINDOW) != 0 || GetWindow(window, GW_OWNER) == nullptr);
    };
    app::OdotaIkkuna = std::make_unique<app::TOdota>();
    app::OdotaIkkuna->ShowSplash();
    EXPECT_TRUE(onTaskbar(app::OdotaIkkuna->Handle()));
    EXPECT_NE(GetWindowLongPtrW(app::OdotaIkkuna->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    app::DestroySplash();

    // A later run: the question is never shown, and the main window is the one button.
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    EXPECT_TRUE(onTaskbar(Main().Handle()));
    EXPECT_FALSE(onTaskbar(app::KieliIkkuna->Handle()));
    EXPECT_FALSE(onTaskbar(app::OptionsIkkuna->Handle())) << "a hidden tool window has no button";
}

TEST_F(ShellTest, LanguageQuestionShowsBothLinesWhole) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    const app::TKieliIkkuna& question = *app::KieliIkkuna;
    RECT client{};
    GetClientRect(question.Handle(), &client);
    MapWindowPoints(question.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const char* name : {"Label1", "Label2", "Suomi", "Englanti"}) {
        RECT control{};
        GetWindowRect(question.Control(name), &control);
        EXPECT_GE(control.left, client.left) << name;
        EXPECT_LE(control.right, client.right) << name;
    }
    RECT bevel{};
    GetWindowRect(question.Control("Bevel1"), &bevel);
    EXPECT_EQ(bevel.right, client.right) << "the frame line follows the window's edge";
}

TEST_F(ShellTest, ClosingTheLanguageQuestionWritesNothingAndStartsInEnglish) {
    pressOnLanguageWindow = L"close";
    SetTimer(nullptr, 0, 50, PressLanguageButton);
    Start();
    EXPECT_FALSE(FileExists(folder_ / "Options.ini"));
    EXPECT_FALSE(base::FinnishUI());
    EXPECT_TRUE(app::OptionsIkkuna->Checked("English"));
}

TEST_F(ShellTest, F1OpensTheTopicOfTheActiveWindowInTheCurrentLanguage) {
    WriteOptions("[General]\r\nLanguage/Kieli=0\r\n");
    std::vector<std::string> opened;
    widgets::SetHelpOpener([&](const std::string& url) { opened.push_back(url); });
    app::InstallHelpHandler();
    Start();
    PostMessageW(Main().Handle(), WM_KEYDOWN, VK_F1, 0);
    widgets::ProcessMessages();
    widgets::SetHelpOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("VireoS.htm#topic101"), std::string::npos) << opened[0];
}

namespace {
struct Info {
    const char* button;
    const char* english;
    const char* finnish;
};
constexpr Info kTitles[] = {
    {"RegistryClean", "Clean registry", "Puhdista rekisteri"},
    {"Kaksois", "Find duplicate files", "Etsi duplikaatit tiedostot"},
    {"Backups", "Search for unnecessary files", "Etsi turhat tiedostot"},
    {"Kaytto", "Space usage", "Tilan käyttö"},
    {"Settings", "Options", "Asetukset"},
    {"Tietoa", "About", "Tietoa"},
    {"Sulje", "Close", "Sulje"},
};
}  // namespace

TEST_F(ShellTest, EveryButtonExplainsItselfInBothLanguages) {
    for (const bool finnish : {false, true}) {
        WriteOptions(finnish ? "[General]\r\nLanguage/Kieli=0\r\n" : "[General]\r\nLanguage/Kieli=1\r\n");
        Start();
        std::set<std::string> bodies;
        for (const auto& info : kTitles) {
            Main().ShowInfo(info.button);
            EXPECT_EQ(Main().Text("Label3"), finnish ? info.finnish : info.english);
            bodies.insert(Main().Text("Label4"));
        }
        EXPECT_EQ(bodies.size(), std::size(kTitles)) << "each button has a body of its own";
        Main().ShowInfo("Sulje");
        EXPECT_EQ(Main().Text("Label4"), finnish ? "Yksinkertainen toiminto joka estää Vireoiä toimimasta."
                                                 : "Simple procedure which will prevent Vireo from operating.");
        for (const char* hides : {"Panel1", "Image1", "Label1", "Label2"}) {
            Main().ShowInfo("Kaytto");
            MoveMouseOver(Main().Control(hides));
            EXPECT_FALSE(Main().ControlVisible("Label3")) << hides;
        }
        app::DestroyWindows();
        base::SetFinnishUI(false);
    }
}

TEST_F(ShellTest, EveryNameInTheFinnishTablesExists) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    const std::pair<const widgets::Window*, std::span<const widgets::TextSpec>> tables[] = {
        {app::PaaIkkuna.get(), app::MainWindowFinnishTexts()},
        {app::AboutBox.get(), widgets::kAboutBoxFinnish},
        {app::OptionsIkkuna.get(), settings::OptionsFinnishTexts()},
        {app::RegistryIkkuna.get(), registry::RegistryFinnishTexts()},
    };
    for (const auto& [window, table] : tables) {
        EXPECT_FALSE(table.empty());
        for (const auto& text : table) {
            if (*text.name) {
                EXPECT_TRUE(window->HasControl(text.name)) << window->Caption() << ": " << text.name;
            }
        }
    }
}

namespace {
std::wstring f1Caption;
void CALLBACK PressF1ThenClose(HWND, UINT, UINT_PTR id, DWORD) {
    HWND active = FindWindowW(L"VireoWindow", f1Caption.c_str());
    if (!active || !IsWindowVisible(active))
        return;
    KillTimer(nullptr, id);
    PostMessageW(active, WM_KEYDOWN, VK_F1, 0);
    PostMessageW(active, WM_CLOSE, 0, 0);
}
}  // namespace

TEST_F(ShellTest, F1TopicFollowsTheActiveWindow) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    std::vector<std::string> opened;
    widgets::SetHelpOpener([&](const std::string& url) { opened.push_back(url); });
    app::InstallHelpHandler();
    Start();
    f1Caption = L"Options";
    SetTimer(nullptr, 0, 50, PressF1ThenClose);
    app::OptionsIkkuna->ShowModal();
    f1Caption = L"About";
    SetTimer(nullptr, 0, 50, PressF1ThenClose);
    app::AboutBox->ShowModal();
    widgets::SetHelpOpener({});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0].find("VireoE.htm#topic105"), std::string::npos) << opened[0];
    EXPECT_NE(opened[1].find("VireoE.htm#topic101"), std::string::npos) << opened[1];
}
