#include "app/main_window.h"

#include "app/application.h"
#include "app/finnish.h"
#include "app/pictures.h"
#include "app/window_set.h"
#include "base/texts.h"
#include "platform/program_folder.h"
#include "settings/keys.h"
#include "settings/settings_file.h"

namespace app {
namespace {

using widgets::Kind;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name           kind                 place (96-DPI px)     caption               hint                              on
    {"Bevel2",        Kind::Bevel,         {0, 0, 417, 281}},
    {"Image2",        Kind::Image,         {144, 288, 59, 43}},
    {"RegistryClean", Kind::PictureButton, {8, 8, 127, 25},     "C&lean registry",    "Clean invalid registry entries"},
    {"Kaksois",       Kind::PictureButton, {8, 48, 127, 25},    "&Duplicate files",   "Find duplicate files"},
    {"Backups",       Kind::PictureButton, {8, 88, 127, 25},    "&Unnecessary files", "Find all kinds of unnecessary files"},
    {"Kaytto",        Kind::PictureButton, {8, 128, 127, 25},   "&Space usage",       "See charts from your space useage"},
    {"Settings",      Kind::PictureButton, {8, 168, 127, 25},   "&Options",           "Set options"},
    {"Tietoa",        Kind::PictureButton, {8, 208, 127, 25},   "&About",             "About Vireo"},
    {"Sulje",         Kind::PictureButton, {8, 248, 127, 25},   "&Close",             "Close Vireo"},
    {"Panel1",        Kind::Panel,         {142, 8, 267, 265}},
    {"Image1",        Kind::Image,         {8, 8, 59, 43},      "",                   "",                               "Panel1"},
    {"Label1",        Kind::Label,         {64, 38, 0, 0},      "elcome to Vireo 1.5!", "",                             "Panel1"},
    {"Label2",        Kind::Label,         {8, 50, 257, 65},
     "With Vireo you can speed up your computer and get more disk space by deleting invalid registry entries, "
     "unnecessary files and duplicate files. Press F1 to get help.",                  "",                               "Panel1"},
    {"Label3",        Kind::Label,         {8, 128, 257, 13},   "Info on",            "",                               "Panel1", SS_CENTER},
    {"Label4",        Kind::Label,         {8, 146, 257, 111},  "Info on",            "",                               "Panel1"},
};
// clang-format on

struct InfoText {
    const char* button;
    const char* englishTitle;
    const char* englishBody;
    const char* finnishTitle;
    const char* finnishBody;
};

constexpr InfoText kInfo[] = {
    {"RegistryClean", "Clean registry",
     "Finds invalid entryes (entryes pointing nowhere) from the registry. This speeds up your computer, but this is "
     "rather dangerous so please backup your registry before doing this this. Altrough this does not have done any "
     "harm to computers yet!",
     "Puhdista rekisteri",
     "Etsii vialliset tiedot rekisteristä (tiedot jotka osoittavat tiedostoihin joita ei ole olemassa). Tämä "
     "nopeuttaa tietokonettasi, mutta tämä on aika vaarallista joten tee varakopio rekisteristäsi. Vaikkakin tämä ei "
     "vielä ole aihettanut yhtään ongelmia!"},
    {"Kaksois", "Find duplicate files",
     "Finds duplicate files, deleting them will free disk space. You might want to delete those files in to the "
     "recycle bin (see Options) because you maybe miss them later! If you have more than 1 os (ms-dos is not "
     "counted) look what you are deleting.",
     "Etsi duplikaatit tiedostot",
     "Etsii duplikaatit, niiden poistaminen vapauttaa levytilaa. Kannattaa poistaa duplikaatit roskakoriin (katso "
     "asetukset), koska saatat kaivata niitä myöhemmin! Jos sinulla on enemmän kuin 1 käyttöjärjestelmä (dossia ei "
     "lasketa) niin katso mitä poistat."},
    {"Backups", "Search for unnecessary files",
     "Finds all kinds of unnecessary files like backups, temporary files etc. deleting them will free disk space. "
     "Please see the options first!",
     "Etsi turhat tiedostot",
     "Etsii kaikki turhat tiedostot kuten esim. varakopiot, väliaikaiset tiedostot (temp) jne. niiden poistaminen "
     "vapauttaa levytilaa. Katso asetukset ensin!"},
    {"Kaytto", "Space usage", "Shows some intresting information about your disk space usage.", "Tilan käyttö",
     "Näyttää kiinnostavaa tietoa levysi tilan käytöstä."},
    {"Settings", "Options",
     "Important options like search settings, language etc. Please set these to the way you like before you start "
     "doing anything else!",
     "Asetukset", "Tärkeitä asetuksia kuten kielet jne. Suosittelen katsomaan asetuksia ennen kuin teet jotain muuta!"},
    {"Tietoa", "About", "Shows some intresting information about Vireo. Check it out please!", "Tietoa",
     "Näyttää kiinnostavaa tietoa Vireo:stä. Kannattaa katsoa!"},
    {"Sulje", "Close", "Simple procedure which will prevent Vireo from operating.", "Sulje",
     "Yksinkertainen toiminto joka estää Vireoiä toimimasta."},
};

constexpr std::pair<const char*, Glyph> kGlyphs[] = {
    {"RegistryClean", Glyph::Registry},
    {"Kaksois", Glyph::Duplicates},
    {"Backups", Glyph::Unnecessary},
    {"Kaytto", Glyph::SpaceUsage},
    {"Settings", Glyph::Options},
    {"Tietoa", Glyph::About},
    {"Sulje", Glyph::Close},
};

UINT instanceMessage = 0;
WNDPROC OldWndProc = nullptr;

struct FrontSearch {
    HWND main;
    HWND found = nullptr;
};

// Whether the window's chain of owners reaches the given one. Owners are asked one by one: an overlapped
// window's owner is not its parent, so the system's root-owner walk stops short of it.
bool OwnedBy(HWND window, HWND owner) {
    for (HWND above = GetWindow(window, GW_OWNER); above; above = GetWindow(above, GW_OWNER))
        if (above == owner)
            return true;
    return false;
}

BOOL CALLBACK FindEnabledOwnedWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<FrontSearch*>(param);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    // Tooltips are owned windows too; only a captioned window can be the one the user works in. A tool
    // window's own dialogs are owned by the tool window, so ownership is followed up to the main window.
    if (hwnd != search->main && OwnedBy(hwnd, search->main) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        (style & WS_CAPTION) == WS_CAPTION && (exStyle & WS_EX_TOOLWINDOW) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The window the user works in: the modal window shown over the main window or over one of its tools (the
// only one of the program's windows left enabled), else the main window once it has been shown; nothing while the
// program is still starting.
HWND FrontWindow(HWND main) {
    FrontSearch search{main};
    EnumThreadWindows(GetCurrentThreadId(), FindEnabledOwnedWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found)
        return search.found;
    return IsWindowVisible(main) ? main : nullptr;
}

// Answers a second copy of the program: restore this one and bring it to the front. Before its first show
// the main window stays hidden: restoring it would show it without its first-show steps, behind the
// first-run question, which is brought to the front instead.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (instanceMessage != 0 && message == instanceMessage) {
        // Restoring a window that is not minimised would activate it, over a dialog the user must answer.
        if (IsWindowVisible(hwnd) && IsIconic(hwnd))
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (HWND front = FrontWindow(hwnd))
            SetForegroundWindow(front);
        return 0;
    }
    return CallWindowProcW(OldWndProc, hwnd, message, wParam, lParam);
}

}  // namespace

UINT InstanceMessage() {
    return instanceMessage;
}

TPaaIkkuna::TPaaIkkuna() {
    Create({kApplicationTitle, 417, 281, widgets::FrameStyle::Main});
    FormCreate();
}

TPaaIkkuna::~TPaaIkkuna() {
    FormDestroy();
}

void TPaaIkkuna::FormCreate() {
    instanceMessage = RegisterWindowMessageW(L"Vireo");
    OldWndProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWndProc)));

    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);
    SetTabOrder({"RegistryClean", "Kaksois", "Backups", "Kaytto", "Tietoa", "Sulje", "Settings"});
    SetVisible("Image2", false);
    SetVisible("Label3", false);
    SetVisible("Label4", false);
    SetPicture("Image1", InitialLetter(L'W'));
    SetPicture("Image2", InitialLetter(L'T'));
    for (const auto& [button, glyph] : kGlyphs)
        SetPicture(button, ButtonGlyph(glyph));
    SetFont("Label1", {"", 0, true, false});
    SetFont("Label3", {"", 0, true, false});
    SetTextColor("Label3", RGB(0, 0, 255));

    for (const auto& info : kInfo) {
        const std::string button = info.button;
        OnMouseMove(button, [this, button] { ShowInfo(button); });
    }
    for (const char* background : {"", "Panel1", "Image1", "Label1", "Label2", "Label4"})
        OnMouseMove(background, [this] { HideInfo(); });

    OnClick("Settings", [this] { SettingsClick(); });
    OnClick("Tietoa", [] { AboutBox->ShowModal(); });
    OnClick("Sulje", [this] { Close(); });
    OnClick("RegistryClean", [] { RegistryIkkuna->ShowModal(); });
    OnClick("Kaksois", [] { KaksoisIkkuna->ShowModal(); });
    OnClick("Kaytto", [] { KaavioIkkuna->ShowModal(); });
    OnClick("Backups", [] { BackupIkkuna->ShowModal(); });

    const settings::SettingsFile file(platform::OptionsIniPath());
    LanguageText = file.ReadText(settings::keys::kLanguageText);
}

void TPaaIkkuna::FormDestroy() {
    if (OldWndProc)
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    OldWndProc = nullptr;
}

void TPaaIkkuna::FormShow() {
    if (shownBefore_)
        return;
    shownBefore_ = true;
    {
        const settings::SettingsFile file(platform::OptionsIniPath());
        const bool english = file.ReadFlag(settings::keys::kLanguage, OptionsIkkuna->Checked("English"));
        OptionsIkkuna->SetChecked("English", english);
        OptionsIkkuna->SetChecked("Suomi", !english);
    }
    ChooseSearchMode(*OptionsIkkuna, UnnecessaryMembers());
    SetHelpFile(platform::ProgramFolder() + "VireoE.htm");
    if (OptionsIkkuna->Checked("Suomi")) {
        DoSuomi();
        base::SetFinnishUI(true);
    } else {
        base::SetFinnishUI(false);
    }
}

void TPaaIkkuna::FormActivate() {
    if (Tag == 0) {
        Tag = 1;
        DestroySplash();
    }
}

void TPaaIkkuna::FormClose() {
    // A measurement started at start-up may still run inside the message loop, which can only end after it.
    StopEveryRun();
}

void TPaaIkkuna::DoSuomi() {
    SetPicture("Image1", Picture("Image2"));
    const widgets::Place label = ControlPlace("Label1");
    MoveControl("Label1", label.left - 8, label.top);
    SetHelpFile(platform::ProgramFolder() + "VireoS.htm");
    ApplyFinnishTexts();
}

void TPaaIkkuna::ShowInfo(std::string_view button) {
    for (const auto& info : kInfo) {
        if (button != info.button)
            continue;
        SetText("Label3", base::Tx(info.englishTitle, info.finnishTitle));
        SetText("Label4", base::Tx(info.englishBody, info.finnishBody));
        SetVisible("Label3", true);
        SetVisible("Label4", true);
    }
}

void TPaaIkkuna::HideInfo() {
    SetVisible("Label3", false);
    SetVisible("Label4", false);
}

void TPaaIkkuna::SettingsClick() {
    if (ShowOptions({*OptionsIkkuna, UnnecessaryMembers(), *KaksoisIkkuna, *KaavioIkkuna}))
        Close();
}

}  // namespace app
