#include "settings/options_window.h"

#include <commctrl.h>

#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "settings/settings_file.h"
#include "widgets/dialogs.h"

namespace settings {
namespace {

using widgets::Kind;

constexpr int kFrameWidth = 418;
constexpr int kFrameHeight = 314;

// Two columns of group boxes on each page; rows of check boxes and choices inside them.
constexpr int kLeftColumn = 8;
constexpr int kRightColumn = 201;
constexpr int kColumnWidth = 185;
constexpr int kFullWidth = kRightColumn + kColumnWidth - kLeftColumn;
constexpr int kRowLeft = 12;
constexpr int kRowWidth = kColumnWidth - 2 * kRowLeft;
constexpr int kRowHeight = 17;
constexpr int kFirstRow = 20;
constexpr int kRowStep = 22;

constexpr int Row(int n) {
    return kFirstRow + n * kRowStep;
}
// A group box tall enough for its rows.
constexpr int GroupHeight(int rows) {
    return kFirstRow + rows * kRowStep + 4;
}

constexpr int kGroupTop = 6;
constexpr int kGroupGap = 8;

constexpr widgets::Place InGroup(int row) {
    return {kRowLeft, Row(row), kRowWidth, kRowHeight};
}

constexpr int kBelowTwoRows = kGroupTop + GroupHeight(2) + kGroupGap;
constexpr int kBelowFourRows = kGroupTop + GroupHeight(4) + kGroupGap;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name                    kind               place (96-DPI px)                                                caption                      hint                                       on
    {"Asetukset",              Kind::Tabs,        {8, 8, 402, 266}},
    {"TabSheet1",              Kind::TabPage,     {},                                                              "Duplicate files",           "",                                        "Asetukset"},
    {"GroupBox1",              Kind::GroupBox,    {kLeftColumn, kGroupTop, kColumnWidth, GroupHeight(4)},          "Require",                   "",                                        "TabSheet1"},
    {"chkCheckFileTimestamp",  Kind::CheckBox,    InGroup(0),                                                      "Same date && time",         "Slower but more accurate searches",       "GroupBox1"},
    {"chkCheckFilename",       Kind::CheckBox,    InGroup(1),                                                      "Same name",                 "Only match files of the same name",       "GroupBox1"},
    {"chkSkipEmptyFiles",      Kind::CheckBox,    InGroup(2),                                                      "Skip empty files",          "",                                        "GroupBox1"},
    {"Advanced",               Kind::GroupBox,    {kRightColumn, kGroupTop, kColumnWidth, GroupHeight(4)},         "Advanced",                  "",                                        "TabSheet1"},
    {"chkFloppyIsMaster",      Kind::CheckBox,    InGroup(0),                                                      "Treat floppy as master",    "Treat floppy as a normal disk drive",     "Advanced"},
    {"chkSkipSysbckup",        Kind::CheckBox,    InGroup(1),                                                      "Skip SYSBCKUP folder",      "Skip Windows 95 protected folder",        "Advanced"},
    {"chkSkipDesktopFolders",  Kind::CheckBox,    InGroup(2),                                                      "Skip Desktop.ini folders",  "",                                        "Advanced"},
    {"chkCheckFilesize",       Kind::CheckBox,    InGroup(3),                                                      "Require same size",         "Require same file size from duplicates", "Advanced"},
    {"GroupBox5",              Kind::GroupBox,    {kLeftColumn, kBelowFourRows, kColumnWidth, GroupHeight(2)},     "Delete method",             "",                                        "TabSheet1"},
    {"RadioButton1",           Kind::RadioButton, InGroup(0),                                                      "Recycle bin",               "",                                        "GroupBox5"},
    {"RadioButton2",           Kind::RadioButton, InGroup(1),                                                      "Permanent delete",          "",                                        "GroupBox5"},

    {"Temp",                   Kind::TabPage,     {},                                                              "Unnecessary files",         "",                                        "Asetukset"},
    {"GroupBox2",              Kind::GroupBox,    {kLeftColumn, kGroupTop, kColumnWidth, GroupHeight(4)},          " Ignore ",                  "",                                        "Temp"},
    {"chkHidden",              Kind::CheckBox,    InGroup(0),                                                      "Hidden files",              "",                                        "GroupBox2"},
    {"chkReadOnly",            Kind::CheckBox,    InGroup(1),                                                      "Read-only files",           "",                                        "GroupBox2"},
    {"chkSystem",              Kind::CheckBox,    InGroup(2),                                                      "System files",              "",                                        "GroupBox2"},
    {"chkZeroLength",          Kind::CheckBox,    InGroup(3),                                                      "Empty files",               "",                                        "GroupBox2"},
    {"GroupBox3",              Kind::GroupBox,    {kRightColumn, kGroupTop, kColumnWidth, GroupHeight(2)},         "Search options",            "",                                        "Temp"},
    {"btnMostFiles",           Kind::RadioButton, InGroup(0),                                                      "Normal search",             "",                                        "GroupBox3"},
    {"btnExtraFiles",          Kind::RadioButton, InGroup(1),                                                      "Extra files",               "",                                        "GroupBox3"},
    {"GroupBox4",              Kind::GroupBox,    {kRightColumn, kBelowTwoRows, kColumnWidth, GroupHeight(2)},     "Delete method",             "",                                        "Temp"},
    {"btnUseRecycleBin",       Kind::RadioButton, InGroup(0),                                                      "Recycle bin",               "",                                        "GroupBox4"},
    {"btnTraditionalDelete",   Kind::RadioButton, InGroup(1),                                                      "Permanent delete",          "",                                        "GroupBox4"},

    {"Charts",                 Kind::TabPage,     {},                                                              "Space usage",               "",                                        "Asetukset"},
    {"GroupBox7",              Kind::GroupBox,    {kLeftColumn, kGroupTop, kColumnWidth, GroupHeight(4)},          "Unit",                      "",                                        "Charts"},
    {"btnBytes",               Kind::RadioButton, InGroup(0),                                                      "Bytes",                     "",                                        "GroupBox7"},
    {"btnKB",                  Kind::RadioButton, InGroup(1),                                                      "Kb",                        "",                                        "GroupBox7"},
    {"btnMB",                  Kind::RadioButton, InGroup(2),                                                      "Mb",                        "",                                        "GroupBox7"},
    {"btnCount",               Kind::RadioButton, InGroup(3),                                                      "File count",                "",                                        "GroupBox7"},
    {"GroupBox8",              Kind::GroupBox,    {kRightColumn, kGroupTop, kColumnWidth, GroupHeight(2)},         "Measure files by",          "",                                        "Charts"},
    {"btnCompressed",          Kind::RadioButton, InGroup(0),                                                      "Compressed size",           "",                                        "GroupBox8"},
    {"btnUncompressed",        Kind::RadioButton, InGroup(1),                                                      "Uncompressed size",         "",                                        "GroupBox8"},
    {"GroupBox9",              Kind::GroupBox,    {kRightColumn, kBelowTwoRows, kColumnWidth, GroupHeight(1)},     "Free disk space",           "",                                        "Charts"},
    {"chkShowFreeDisk",        Kind::CheckBox,    InGroup(0),                                                      "Show free disk space",      "",                                        "GroupBox9"},
    // Kept for the space display choice of the chart window, but never shown.
    {"GroupBox6",              Kind::GroupBox,    {kLeftColumn, kBelowFourRows, kFullWidth, GroupHeight(3)},       "Space display",             "",                                        "Charts"},
    {"btnActual",              Kind::RadioButton, {kRowLeft, Row(0), kFullWidth - 2 * kRowLeft, kRowHeight},       "Only show nominal bytes",   "",                                        "GroupBox6"},
    {"btnAllocated",           Kind::RadioButton, {kRowLeft, Row(1), kFullWidth - 2 * kRowLeft, kRowHeight},       "Show actual space on disk", "",                                        "GroupBox6"},
    {"btnSlack",               Kind::RadioButton, {kRowLeft, Row(2), kFullWidth - 2 * kRowLeft, kRowHeight},       "Show only the slack space", "",                                        "GroupBox6"},

    {"TabSheet2",              Kind::TabPage,     {},                                                              "General",                   "",                                        "Asetukset"},
    {"Language",               Kind::GroupBox,    {kLeftColumn, kGroupTop, kColumnWidth, GroupHeight(2)},          "Language/Kieli",            "",                                        "TabSheet2"},
    {"English",                Kind::RadioButton, InGroup(0),                                                      "English",                   "",                                        "Language"},
    {"Suomi",                  Kind::RadioButton, InGroup(1),                                                      "Suomi",                     "",                                        "Language"},

    {"Ok",                     Kind::Button,      {254, 282, 75, 25},                                              "&Ok",                       "Ok, save changes",                        nullptr, BS_DEFPUSHBUTTON},
    {"Cancel",                 Kind::Button,      {335, 282, 75, 25},                                              "&Cancel",                   "Cancel, undo changes"},
};

// The pages of Asetukset, in page order.
constexpr const char* kPages[] = {"TabSheet1", "Temp", "Charts", "TabSheet2"};

// Ticked or chosen at design; everything else starts clear.
constexpr const char* kDesignTicked[] = {
    "chkCheckFileTimestamp", "chkSkipEmptyFiles", "chkFloppyIsMaster", "chkSkipSysbckup", "chkSkipDesktopFolders",
    "chkCheckFilesize", "RadioButton1",
    "chkHidden", "chkReadOnly", "chkSystem", "chkZeroLength", "btnMostFiles", "btnUseRecycleBin",
    "btnBytes", "btnCompressed", "chkShowFreeDisk", "btnActual",
    "English",
};

constexpr const char* kSpaceDisplay[] = {"GroupBox6", "btnActual", "btnAllocated", "btnSlack"};

// The choices of the space-usage page, each group in the order of its index.
constexpr const char* kDisplayButtons[] = {"btnActual", "btnAllocated", "btnSlack"};
constexpr const char* kUnitButtons[] = {"btnBytes", "btnKB", "btnMB", "btnCount"};
constexpr const char* kMeasureButtons[] = {"btnCompressed", "btnUncompressed"};

constexpr widgets::TextSpec kFinnish[] = {
    {"",                      "Asetukset"},
    {"Ok",                    nullptr,                     "OK, tallenna muutokset"},
    {"Cancel",                "&Peruuta",                  "Peruuta, kumoa muutokset"},
    {"TabSheet1",             "Duplikaatit"},
    {"TabSheet2",             "Yleiset"},
    {"Temp",                  "Turhat tiedostot"},
    {"Charts",                "Tilan käyttö"},
    {"GroupBox1",             "Vaadi"},
    {"Advanced",              "Kehittyneet asetukset"},
    {"GroupBox5",             "Poisto metodi"},
    {"GroupBox3",             "Etsintä asetukset"},
    {"GroupBox2",             "Älä huomioi"},
    {"GroupBox4",             "Poisto metodi"},
    {"GroupBox7",             "Yksikkö"},
    {"GroupBox9",             "Vapaa levytila"},
    {"GroupBox8",             "Mittaa tiedostot"},
    {"chkCheckFileTimestamp", "Sama päivämäärä ja aika",   "Hitaampia mutta tarkempia hakuja"},
    {"chkCheckFilename",      "Sama nimi",                 "Etsi vain saman nimen omistavia tiedostoja"},
    {"chkSkipEmptyFiles",     "Ohita tyhjät tiedostot"},
    {"RadioButton1",          "Roskakori"},
    {"RadioButton2",          "Pysyvä poistaminen"},
    {"chkFloppyIsMaster",     "Käsittele A:\\ normaalina", "Käsittele levyasemaa normaalina asemana"},
    {"chkSkipSysbckup",       "Ohita SYSBCKUP kansio",     "Ohita Windows 95:n suojaama kansio"},
    {"chkSkipDesktopFolders", "Ohita Desktop.ini kansiot"},
    {"chkCheckFilesize",      "Vaadi sama koko",           "Vaadi sama koko duplikaateilta"},
    {"btnUseRecycleBin",      "Roskakori"},
    {"btnTraditionalDelete",  "Pysyvä poistaminen"},
    {"btnMostFiles",          "Normaali etsintä"},
    {"btnExtraFiles",         "Extra tiedostot"},
    {"chkHidden",             "Piilo-tiedostot"},
    {"chkReadOnly",           "Vain-luku tiedostot"},
    {"chkSystem",             "Systeemi-tiedostot"},
    {"chkZeroLength",         "Tyhjät tiedostot"},
    {"chkShowFreeDisk",       "Näytä vapaa levytila"},
    {"btnBytes",              "Tavu"},
    {"btnKB",                 "Kt"},
    {"btnMB",                 "Mt"},
    {"btnCount",              "Lukumäärä"},
    {"btnCompressed",         "Pakattu koko"},
    {"btnUncompressed",       "Pakkaamaton koko"},
};
// clang-format on

// The themed page body is drawn in another colour than the controls' background, which shows as
// patches around every control; the plain page control is drawn in the dialog colour throughout.
void UsePlainPages(HWND tabs) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (HMODULE theme = LoadLibraryW(L"uxtheme.dll")) {
        if (auto set =
                reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(theme, "SetWindowTheme"))))
            set(tabs, L"", L"");
    }
}

// The index of the chosen button of a group, -1 when none is.
int ChosenIn(const widgets::Window& window, std::span<const char* const> group) {
    for (size_t i = 0; i < group.size(); ++i) {
        if (window.Checked(group[i]))
            return static_cast<int>(i);
    }
    return -1;
}

int PageIndex(std::string_view name) {
    for (int i = 0; i < static_cast<int>(std::size(kPages)); ++i) {
        if (name == kPages[i])
            return i;
    }
    return -1;
}

}  // namespace

std::span<const widgets::TextSpec> OptionsFinnishTexts() {
    return kFinnish;
}

TOptionsIkkuna::TOptionsIkkuna() {
    Create({"Options", kFrameWidth, kFrameHeight});
    SetHelpTopic(105);
    FormCreate();
}

void TOptionsIkkuna::FormCreate() {
    CreateControls(kControls);
    for (const char* name : kSpaceDisplay)
        SetVisible(name, false);
    UsePlainPages(Control("Asetukset"));
    OnClick("Ok", [this] { OkClick(); });
    OnClick("Cancel", [this] { CancelClick(); });
    SetDefaultButton("Ok");
    SetCancelButton("Cancel");
    OnClick("btnBytes", [this] { btnBytesClick(); });
    OnClick("btnKB", [this] { btnKBClick(); });
    OnClick("btnMB", [this] { btnMBClick(); });
    OnClick("btnCount", [this] { btnCountClick(); });
    OnClick("chkCheckFilesize", [this] { chkCheckFilesizeClick(); });
    for (const char* name : kDesignTicked)
        SetChecked(name, true);
}

void TOptionsIkkuna::OkClick() {
    SetModalResult(widgets::mrOk);
    RestartRequested = false;
}

void TOptionsIkkuna::CancelClick() {
    SetModalResult(widgets::mrCancel);
    RestartRequested = false;
}

void TOptionsIkkuna::Sammuta() {
    SetModalResult(widgets::mrOk);
    RestartRequested = true;
}

void TOptionsIkkuna::btnBytesClick() {
    UnitIndex = 0;
}

void TOptionsIkkuna::btnKBClick() {
    UnitIndex = 1;
}

void TOptionsIkkuna::btnMBClick() {
    UnitIndex = 2;
}

void TOptionsIkkuna::btnCountClick() {
    UnitIndex = 3;
}

void TOptionsIkkuna::chkCheckFilesizeClick() {
    // Files of different sizes can only be matched by name, and then their dates cannot be required.
    const bool sameSize = Checked("chkCheckFilesize");
    if (!sameSize) {
        SetChecked("chkCheckFilename", true);
        SetChecked("chkCheckFileTimestamp", false);
    }
    SetEnabled("chkCheckFilename", sameSize);
    SetEnabled("chkCheckFileTimestamp", sameSize);
}

bool TOptionsIkkuna::English() const {
    return Checked("English");
}

void TOptionsIkkuna::SetEnglish(bool english) {
    SetChecked(english ? "English" : "Suomi", true);
    SetChecked(english ? "Suomi" : "English", false);
}

void TOptionsIkkuna::ApplyTexts(std::span<const widgets::TextSpec> texts) {
    Window::ApplyTexts(texts);
    // A page has no window of its own: its title is an item of the tab control.
    for (const auto& text : texts) {
        if (text.name && text.caption) {
            if (const int page = PageIndex(text.name); page >= 0)
                SetPageTitle(page, text.caption);
        }
    }
    // Shorter captions would leave the ends of the longer ones on screen.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TOptionsIkkuna::ApplyFinnishTexts() {
    ApplyTexts(OptionsFinnishTexts());
}

void TOptionsIkkuna::SetPageTitle(int page, std::string_view title) {
    std::wstring text = platform::win32::Widen(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Control("Asetukset"), TCM_SETITEMW, page, reinterpret_cast<LPARAM>(&item));
}

std::string TOptionsIkkuna::PageTitle(int page) const {
    wchar_t buffer[128] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!SendMessageW(Control("Asetukset"), TCM_GETITEMW, page, reinterpret_cast<LPARAM>(&item)))
        return {};
    return platform::win32::Narrow(item.pszText);
}

DuplicateSwitches TOptionsIkkuna::DuplicatePage() const {
    DuplicateSwitches switches;
    switches.FloppyIsMaster = Checked("chkFloppyIsMaster");
    switches.SkipSysbckupFolder = Checked("chkSkipSysbckup");
    switches.CheckFileStamp = Checked("chkCheckFileTimestamp");
    switches.CheckFileName = Checked("chkCheckFilename");
    switches.CheckFileSize = Checked("chkCheckFilesize");
    switches.SkipEmptyFiles = Checked("chkSkipEmptyFiles");
    switches.SkipDesktopFolders = Checked("chkSkipDesktopFolders");
    switches.UseRecycleBin = Checked("RadioButton1");
    return switches;
}

void TOptionsIkkuna::SetDuplicatePage(const DuplicateSwitches& switches) {
    SetChecked("chkFloppyIsMaster", switches.FloppyIsMaster);
    SetChecked("chkSkipSysbckup", switches.SkipSysbckupFolder);
    SetChecked("chkCheckFileTimestamp", switches.CheckFileStamp);
    SetChecked("chkCheckFilename", switches.CheckFileName);
    // After the two boxes it governs, so that it has the last word on them.
    SetChecked("chkCheckFilesize", switches.CheckFileSize);
    chkCheckFilesizeClick();
    SetChecked("chkSkipEmptyFiles", switches.SkipEmptyFiles);
    SetChecked("chkSkipDesktopFolders", switches.SkipDesktopFolders);
    SetChecked("RadioButton1", switches.UseRecycleBin);
    SetChecked("RadioButton2", !switches.UseRecycleBin);
}

UnnecessaryChoices TOptionsIkkuna::UnnecessaryPage() const {
    UnnecessaryChoices choices;
    choices.ExtraFiles = Checked("btnExtraFiles");
    choices.UseRecycleBin = Checked("btnUseRecycleBin");
    choices.IgnoreHiddenFiles = Checked("chkHidden");
    choices.IgnoreReadOnlyFiles = Checked("chkReadOnly");
    choices.IgnoreSystemFiles = Checked("chkSystem");
    choices.IgnoreZeroLengthFiles = Checked("chkZeroLength");
    return choices;
}

void TOptionsIkkuna::SetUnnecessaryPage(const UnnecessaryChoices& choices) {
    SetChecked("chkHidden", choices.IgnoreHiddenFiles);
    SetChecked("chkReadOnly", choices.IgnoreReadOnlyFiles);
    SetChecked("chkSystem", choices.IgnoreSystemFiles);
    SetChecked("chkZeroLength", choices.IgnoreZeroLengthFiles);
    SetSearchMode(choices.ExtraFiles);
    SetChecked("btnUseRecycleBin", choices.UseRecycleBin);
    SetChecked("btnTraditionalDelete", !choices.UseRecycleBin);
}

void TOptionsIkkuna::SetSearchMode(bool extraFiles) {
    SetChecked("btnExtraFiles", extraFiles);
    SetChecked("btnMostFiles", !extraFiles);
}

SpaceUsagePage TOptionsIkkuna::SpaceUsage() const {
    SpaceUsagePage page;
    page.display = ChosenIn(*this, kDisplayButtons);
    page.unit = ChosenIn(*this, kUnitButtons);
    const int measure = ChosenIn(*this, kMeasureButtons);
    page.measure = measure == 0 ? Measure::Compressed : measure == 1 ? Measure::Uncompressed : Measure::Unchosen;
    page.measureDisabled = !Enabled("btnCompressed") && !Enabled("btnUncompressed");
    page.showFreeDisk = Checked("chkShowFreeDisk");
    return page;
}

void TOptionsIkkuna::ShowSpaceUsage(const SpaceUsagePage& page) {
    Choose(kDisplayButtons, page.display);
    Choose(kUnitButtons, page.unit);
    Choose(kMeasureButtons, page.measure == Measure::Compressed ? 0 : page.measure == Measure::Uncompressed ? 1 : -1);
    for (const char* button : kMeasureButtons)
        SetEnabled(button, !page.measureDisabled);
    SetChecked("chkShowFreeDisk", page.showFreeDisk);
}

void TOptionsIkkuna::Choose(std::span<const char* const> group, int chosen) {
    for (size_t i = 0; i < group.size(); ++i)
        SetChecked(group[i], static_cast<int>(i) == chosen);
}

void TOptionsIkkuna::FormShow() {
    shownDuplicatePage_ = DuplicatePage();
    if (!SpaceUsageFlags)
        return;
    const SpaceUsagePage page = PageForFlags(SpaceUsageFlags(), SpaceUsage());
    ShowSpaceUsage(page);
    if (page.display >= 0)
        DisplayIndex = page.display;
    if (page.unit >= 0)
        UnitIndex = page.unit;
}

void TOptionsIkkuna::FormClose() {
    const SettingsFile file(platform::OptionsIniPath());
    if (file.ReadFlag(keys::kLanguage, English()) != English() &&
        widgets::AppDialogs().Message(kRestartQuestion, widgets::MessageKind::Confirmation,
                                      widgets::MessageButtons::YesNo) == IDYES) {
        Sammuta();
        return;
    }
    // Cancel undoes the first page too, which the duplicates window reads while the window is closed and
    // which is written at the end of the run.
    if (GetModalResult() == widgets::mrCancel)
        SetDuplicatePage(shownDuplicatePage_);
}

}  // namespace settings
