#include "usage/chart_window.h"

#include <utility>

#include "base/texts.h"
#include "base/throttle.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/volume_info.h"
#include "platform/win32/unicode.h"
#include "registry/folder_command.h"
#include "settings/font_props.h"
#include "settings/keys.h"
#include "settings/settings_file.h"
#include "usage/chart_file.h"
#include "usage/chart_settings.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "widgets/gdi.h"
#include "widgets/settings_on_destroy.h"
#include "widgets/stock_pictures.h"

namespace usage {
namespace {

using widgets::Kind;

constexpr int kChartId = 4101;
constexpr int kFolderBoxId = 4102;
constexpr int kDriveBoxId = 4103;
constexpr UINT kFirstScanDelay = 100;
constexpr UINT kLiveStatusInterval = 333;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name                  kind                 place (96-DPI px)     caption           hint                                                                   on       style, initially
    {"Bevel1",               Kind::Bevel,         {0, 0, 793, 451}},
    {"Asema",                Kind::Custom,        {8, 8, 185, 22}},
    {"Hakemisto",            Kind::Custom,        {8, 36, 185, 318}},
    {"lblMaxFileNameLength", Kind::Label,         {8, 362, 185, 16},    "",               "Most characters in file name"},
    {"lblCompressed",        Kind::Label,         {8, 382, 185, 16},    "",               "",                                                                    nullptr, 0, widgets::kHidden},
    {"Kaavio",               Kind::Custom,        {200, 8, 340, 370}},
    {"ListBox1",             Kind::ListBox,       {548, 8, 237, 330}},
    {"Label1",               Kind::Label,         {548, 348, 40, 16},   "Unit: "},
    {"cbxUnits",             Kind::ComboBox,      {590, 344, 110, 120}, "",               "Show size as bytes, kilobytes or megabytes (or just count files)"},
    {"cbxDisplay",           Kind::ComboBox,      {706, 344, 79, 120},  "",               "",                                                                    nullptr, 0, widgets::kHidden},
    {"PrintBtn",             Kind::PictureButton, {200, 386, 75, 25},   "&Print",         "Print the chart"},
    {"TallennaKaavio",       Kind::PictureButton, {280, 386, 122, 25},  "S&ave chart",    "Save chart as a BMP-, EMF- or WMF-file"},
    {"BitBtnUp",             Kind::PictureButton, {548, 386, 75, 25},   "&Up",            "Previous folder",                                                     nullptr, 0, widgets::kDisabled},
    {"BitBtnCancel",         Kind::PictureButton, {628, 386, 75, 25},   "&Stop",          "Stop scanning",                                                       nullptr, 0, widgets::kDisabled},
    {"BitBtnExit",           Kind::PictureButton, {708, 386, 77, 25},   "&Close",         "Close"},
    {"Label3",               Kind::Label,         {200, 414, 585, 16}},
    {"StatusBar",            Kind::StatusBar,     {0, 431, 793, 20}},
    {"Nimet",                Kind::ListBox,       {0, 0, 10, 10},       "",               "",                                                                    nullptr, 0, widgets::kHidden},
    {"Luvut",                Kind::ListBox,       {0, 0, 10, 10},       "",               "",                                                                    nullptr, 0, widgets::kHidden},
    {"CancelIdlePic",        Kind::PictureButton, {0, 0, 10, 10},       "",               "",                                                                    nullptr, 0, widgets::kHidden},
    {"CancelRunPic",         Kind::PictureButton, {0, 0, 10, 10},       "",               "",                                                                    nullptr, 0, widgets::kHidden},
};

constexpr widgets::TextSpec kFinnish[] = {
    {"",               "Tilan käyttö"},
    {"TallennaKaavio", "&Tallenna kaavio", "Tallenna kaavio BMP-, EMF- tai WMF-tiedostoksi"},
    {"PrintBtn",       "T&ulosta",         "Tulosta kaavio"},
    {"Label1",         "Yksikkö:"},
    {"cbxUnits",       nullptr,            "Näytä koko tavuina, kilotavuina tai megatavuina (tai vain laske tiedostot)"},
    {"BitBtnExit",     "&Sulje",           "Sulje"},
    {"BitBtnUp",       "&Ylös",            "Edellinen kansio"},
    {"BitBtnCancel",   "&Pysäytä",         "Pysäytä tutkiminen"},
    {"lblCompressed",  nullptr,            "Pakatut koot sisältävät jokaisen NTFS tiedoston pakkauksen, jos saatavilla"},
};

constexpr const char* kUnitItems[][2] = {{"Bytes", "Tavu"}, {"Kb", "Kt"}, {"Mb", "Mt"}, {"Count", "Lukumäärä"}};
// clang-format on

// Stop is a button of its own, enabled only during a run; the run policy keeps its captions.
constexpr widgets::RunButtonSpec kStopButton{
    "BitBtnCancel",
    "CancelIdlePic",
    "CancelRunPic",
    {"&Stop", "&Pysäytä"},
    {"Stop scanning", "Pysäytä tutkiminen"},
    {"&Stop", "&Pysäytä"},
    {"Stop scanning", "Pysäytä tutkiminen"},
};

constexpr std::pair<const char*, widgets::Stock> kPictures[] = {
    {"CancelIdlePic", widgets::Stock::Stop},  {"CancelRunPic", widgets::Stock::Stop},
    {"BitBtnCancel", widgets::Stock::Stop},   {"BitBtnExit", widgets::Stock::Close},
    {"BitBtnUp", widgets::Stock::Up},         {"PrintBtn", widgets::Stock::Print},
    {"TallennaKaavio", widgets::Stock::Save},
};

COLORREF ToColorRef(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string ChartTitle() {
    return base::Tx("Space usage", "Tilan käyttö");
}

// True when owner, directly or through the owners above, owns window.
bool IsOwnedBy(HWND window, HWND owner) {
    for (HWND above = window ? GetWindow(window, GW_OWNER) : nullptr; above; above = GetWindow(above, GW_OWNER))
        if (above == owner)
            return true;
    return false;
}

// One of the window's own dialogs or message boxes, open for as long as this lives: from the dialog until
// its outcome has been acted on.
class OwnDialog {
  public:
    explicit OwnDialog(int& open) : open_(open) { ++open_; }
    ~OwnDialog() { --open_; }
    OwnDialog(const OwnDialog&) = delete;
    OwnDialog& operator=(const OwnDialog&) = delete;

  private:
    int& open_;
};

}  // namespace

std::span<const widgets::TextSpec> ChartFinnishTexts() {
    return kFinnish;
}

TKaavioIkkuna::TKaavioIkkuna(std::string iniFileName, std::optional<std::string> firstArgument, FirstMeasurement first)
    : iniFileName_(std::move(iniFileName)),
      firstArgument_(std::move(firstArgument)),
      first_(first),
      run_(*this, kStopButton, scanning_, StopRequested) {
    Create({"Space usage", 793, 451, widgets::FrameStyle::Dialog});
    FormCreate();
}

TKaavioIkkuna::~TKaavioIkkuna() {
    StopRequested = true;
    widgets::WriteSettingsOnDestroy(written_, iniFileName_);
}

void TKaavioIkkuna::FormCreate() {
    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);
    MakeWidgets();
    widgets::SetStockPictures(*this, kPictures);
    // The last panel holds the shown folder's path, so it runs to the end of the bar.
    widgets::StatusBar(*this, "StatusBar").SetPanels({115, 115, 100, -1});
    SetCancelButton("BitBtnCancel");

    FolderPath = platform::SystemFileSystem().CurrentDirectory();
    if (FolderPath.empty())
        FolderPath = folders_->Directory();
    isNt_ = !platform::SystemVolumeInfo().IsWindows9xFamily();
    Compressed = isNt_;
    Disabled = !isNt_;
    BindSettings();
    read_.ReadAll(settings::SettingsFile(iniFileName_));
    MendChosenFlags();
    chart_->SetColorSource(PieChartColours);
    ChooseUnitItems();
    Read_font_props(settings::SettingsFile(iniFileName_));
    Enable_folder_shell_command(RightClickFolder);

    run_.SetInputs({"Asema", "Hakemisto", "PrintBtn", "TallennaKaavio"});
    OnClick("BitBtnCancel", [this] { StopRequested = true; });
    OnClick("BitBtnExit", [this] { BitBtnExitClick(); });
    OnClick("BitBtnUp", [this] { BitBtnUpClick(); });
    OnClick("PrintBtn", [this] { PrintBtnClick(); });
    OnClick("TallennaKaavio", [this] { TallennaKaavioClick(); });
    widgets::ListBox list(*this, "ListBox1");
    list.OnSelectionChange([this] { ListBox1Click(); });
    list.OnDoubleClick([this] { ListBox1DblClick(); });
    widgets::ComboBox(*this, "cbxUnits").OnSelectionChange([this] { cbxUnitsChange(); });
    widgets::ComboBox(*this, "cbxDisplay").OnSelectionChange([this] { cbxDisplayChange(); });

    StartTimer(kFirstScanDelay, false, [this] { Timer1Timer(); });
    if (const uint32_t interval = RepeatIntervalMilliseconds(RepeatInterval); RepeatedScan && interval > 0)
        repeatTimer_ = StartTimer(interval, true, [this] { TimerRepeatScanTimer(); });
}

// A settings file with no measure or no unit set would leave the chart at zero or the units box empty.
void TKaavioIkkuna::MendChosenFlags() {
    const MeasureFlags measure = SoundMeasure({Actual, Allocated, Slack});
    Actual = measure.Actual;
    Allocated = measure.Allocated;
    Slack = measure.Slack;
    const UnitFlags units = SoundUnits({Bytes, KB, MB, Count});
    Bytes = units.Bytes;
    KB = units.KB;
    MB = units.MB;
    Count = units.Count;
}

void TKaavioIkkuna::MakeWidgets() {
    chart_ = std::make_unique<widgets::TPieChart>(Frame(), kChartId, ControlRect("Kaavio"), Dpi());
    AdoptControl("Kaavio", chart_->Handle());
    chart_->SetTitle(ChartTitle());
    chart_->OnMouseMove = [this](POINT client) { KaavioMouseMove(client); };
    folders_ = std::make_unique<widgets::TFolderListBox>(Frame(), kFolderBoxId, ControlRect("Hakemisto"), Dpi());
    drives_ = std::make_unique<widgets::TDriveComboBox>(Frame(), kDriveBoxId, ControlRect("Asema"));
    AdoptControl("Hakemisto", folders_->Handle());
    AdoptControl("Asema", drives_->Handle());
    drives_->LinkFolderBox(folders_.get());
    folders_->OnChange = [this] {
        FolderPath = folders_->Directory();
        Scan_tree();
    };
}

void TKaavioIkkuna::BindSettings() {
    read_.Bind(settings::keys::kUnCompressed, UnCompressed);
    read_.Bind(settings::keys::Disabled(isNt_), Disabled);
    read_.Bind(settings::keys::Compressed(isNt_), Compressed);
    read_.Bind(settings::keys::kAllocated, Allocated);
    read_.Bind(settings::keys::kSlack, Slack);
    read_.Bind(settings::keys::kActual, Actual);
    read_.Bind(settings::keys::kBytes, Bytes);
    read_.Bind(settings::keys::kKB, KB);
    read_.Bind(settings::keys::kMB, MB);
    read_.Bind(settings::keys::kCount, Count);
    read_.BindReadOnly(settings::keys::kPieChartColours, PieChartColours);
    read_.Bind(settings::keys::kRightClickFolder, RightClickFolder);
    read_.Bind(settings::keys::kDisplayFreeDiskSpace, DisplayFreeDiskSpace);
    read_.Bind(settings::keys::kRepeatedScan, RepeatedScan);
    read_.BindReadOnly(settings::keys::kRepeatInterval, RepeatInterval);

    written_.Bind(settings::keys::Compressed(isNt_), Compressed);
    written_.Bind(settings::keys::kUnCompressed, UnCompressed);
    written_.Bind(settings::keys::Disabled(isNt_), Disabled);
    written_.Bind(settings::keys::kBytes, Bytes);
    written_.Bind(settings::keys::kKB, KB);
    written_.Bind(settings::keys::kMB, MB);
    written_.Bind(settings::keys::kCount, Count);
    written_.Bind(settings::keys::kDisplayFreeDiskSpace, DisplayFreeDiskSpace);
}

void TKaavioIkkuna::ChooseUnitItems() {
    widgets::ComboBox units(*this, "cbxUnits");
    units.Clear();
    for (const auto& item : kUnitItems)
        units.Add(base::Tx(item[0], item[1]));
    const bool unitFlags[] = {Bytes, KB, MB, Count};
    for (int i = 0; i < 4; ++i)
        if (unitFlags[i])
            units.SetItemIndex(i);

    widgets::ComboBox measure(*this, "cbxDisplay");
    measure.Clear();
    measure.Add("Nominal");
    measure.Add("Allocated");
    measure.Add("Slack only");
    const bool measureFlags[] = {Actual, Allocated, Slack};
    for (int i = 0; i < 3; ++i)
        if (measureFlags[i])
            measure.SetItemIndex(i);
}

void TKaavioIkkuna::UseFinnishTexts() {
    ApplyTexts(kFinnish);
    widgets::ComboBox units(*this, "cbxUnits");
    const int chosen = units.ItemIndex();
    units.Clear();
    for (const auto& item : kUnitItems)
        units.Add(item[1]);
    units.SetItemIndex(chosen);
    chart_->SetTitle("Tilan käyttö");
}

void TKaavioIkkuna::Read_font_props(const settings::SettingsFile& file) {
    widgets::PieLabelFont pie = chart_->LabelFont();
    const settings::FontProps pieProps =
        settings::ReadFontProps(file, settings::keys::kPieChartFont,
                                {pie.name, pie.size, static_cast<int32_t>(pie.color), pie.bold, pie.italic});
    pie = {pieProps.Name, pieProps.Size, widgets::ColorOfSetting(pieProps.Color), pieProps.Bold, pieProps.Italic};
    chart_->SetLabelFont(pie);
    Read_list_font(file);
}

// The list box starts in the window's font; only keys that change it are applied, so a file without them
// leaves the list as designed.
void TKaavioIkkuna::Read_list_font(const settings::SettingsFile& file) {
    HWND list = Control("ListBox1");
    LOGFONTW shown{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof shown, &shown);
    const int dpi = static_cast<int>(Dpi());
    const settings::FontProps designed{platform::win32::Narrow(shown.lfFaceName),
                                       MulDiv(shown.lfHeight < 0 ? -shown.lfHeight : shown.lfHeight, 72, dpi),
                                       static_cast<int32_t>(GetSysColor(COLOR_WINDOWTEXT)), shown.lfWeight >= FW_BOLD,
                                       shown.lfItalic != 0};
    const settings::FontProps font = settings::ReadFontProps(file, settings::keys::kListboxFont, designed);
    if (font.Name != designed.Name || font.Size != designed.Size || font.Bold != designed.Bold ||
        font.Italic != designed.Italic)
        SetFont("ListBox1", {font.Name, MulDiv(font.Size, 96, 72), font.Bold, font.Italic});
    if (font.Color != designed.Color)
        SetTextColor("ListBox1", widgets::ColorOfSetting(font.Color));
}

void TKaavioIkkuna::Enable_folder_shell_command(bool /*enable*/) {
    // Removed at every start, whatever the setting says: the program offers no such entries.
    registry::RemoveFolderShellCommands(platform::SystemRegistry());
}

// The system tells every window of the program, shown or hidden, when the program becomes active; only a
// shown window is activated with it. A dialog of the window's own activates the window as it closes, before
// the call that showed it returns.
bool TKaavioIkkuna::Intercept(const widgets::Message& message, LRESULT& /*result*/) {
    if (message.id == WM_ACTIVATEAPP)
        programComingBack_ = message.wParam != FALSE && Visible();
    else if (message.id == WM_ACTIVATE && LOWORD(message.wParam) != WA_INACTIVE)
        ownDialogClosed_ = ownDialogs_ > 0 || IsOwnedBy(reinterpret_cast<HWND>(message.lParam), Handle());
    return false;
}

// Coming back to the window from another of the program's windows measures again; coming back from
// another program, or from the window's own dialogs and message boxes, does not: the list on screen is
// what the user is working with (and what a chart being saved or printed shows). A window that has shown
// nothing yet measures whenever it is activated.
void TKaavioIkkuna::FormActivate() {
    const bool otherProgram = std::exchange(programComingBack_, false);
    const bool ownDialog = std::exchange(ownDialogClosed_, false);
    if ((otherProgram || ownDialog) && currentList_ != nullptr)
        return;
    Scan_tree();
}

void TKaavioIkkuna::Timer1Timer() {
    if (firstArgument_) {
        // The folder box shows the folder too, with its drive when the argument names none.
        FolderPath = folders_->SetDirectory(*firstArgument_) ? folders_->Directory() : *firstArgument_;
    }
    // Otherwise the window's activation measures FolderPath when the user opens it.
    if (first_ == FirstMeasurement::AtStart)
        Scan_tree();
}

void TKaavioIkkuna::Scan_tree() {
    if (scanning_)
        return;
    chart_->Clear();
    widgets::ListBox list(*this, "ListBox1");
    list.Clear();
    list.Add(base::Tx("Please wait, loading list...", "Odota hetki, ladataan listaa..."));
    SetCaption(ChartTitle());

    const platform::FileSystem& files = platform::SystemFileSystem();
    const platform::VolumeInfo& volumes = platform::SystemVolumeInfo();
    const MeasurementSetup setup = PrepareMeasurement(FolderPath, folders_->Directory(), files, volumes);

    widgets::RunningScope running(run_, [this](bool) { FinishScan(); });
    SetEnabled("BitBtnCancel", true);
    Focus("BitBtnCancel");
    widgets::StatusBar status(*this, "StatusBar");
    status.SetPanelText(0, base::Tx("Scanning...", "Tutkitaan..."));
    status.SetPanelText(1, "");
    status.SetPanelText(2, "");
    SetText("lblMaxFileNameLength", "");
    SetHint("lblMaxFileNameLength", base::Tx("Most characters in file name", "Eniten merkkejä tiedoston nimessä"));
    timer2_ = StartTimer(kLiveStatusInterval, true, [this] { Timer2Timer(); });
    SetHint("ListBox1", "");

    rootList_.Reset(setup.Folder);
    const settings::SettingsFile file(iniFileName_);
    CompressionChoice choice{UnCompressed, Disabled, Compressed};
    freeBytes_ = AddFreeSpaceEntry(rootList_, setup, DisplayFreeDiskSpace, volumes, &file, choice);
    UnCompressed = choice.UnCompressed;
    Disabled = choice.Disabled;
    Compressed = choice.Compressed;
    ShowCompression(setup.VolumeCompresses);

    base::Throttle pump(base::kMessagePumpInterval);
    rootList_.Scan(ScanContext{files, volumes, StopRequested, setup.ClusterSize,
                               [this](const std::string& text) { ProgressText = ScanProgress(text); },
                               [&pump] {
                                   if (pump.Due())
                                       widgets::ProcessMessages();
                               },
                               Compressed});
    Display_list(&rootList_);
    rootList_.ReleasePreviousTree();
}

void TKaavioIkkuna::TimerRepeatScanTimer() {
    if (OtherRunInProgress && OtherRunInProgress())
        return;
    Scan_tree();
}

void TKaavioIkkuna::FinishScan() {
    StopRequested = false;
    if (timer2_ != 0)
        StopTimer(timer2_);
    timer2_ = 0;
    SetEnabled("BitBtnCancel", false);
}

void TKaavioIkkuna::ShowCompression(bool volumeCompresses) {
    SetVisible("lblCompressed", volumeCompresses);
    if (!volumeCompresses)
        return;
    SetText("lblCompressed", Compressed ? base::Tx("Compressed sizes", "Pakatut koot")
                                        : base::Tx("Uncompressed sizes", "Pakkaamattomat koot"));
    SetTextColor("lblCompressed", Compressed ? RGB(0, 0, 255) : RGB(0, 0, 0));
}

void TKaavioIkkuna::Timer2Timer() {
    const auto panels = LiveStatusPanels(rootList_, ProgressText, platform::SystemFormatSettings());
    widgets::StatusBar(*this, "StatusBar").SetPanelTexts(1, panels);
}

DisplayOptions TKaavioIkkuna::Options() const {
    DisplayOptions options;
    options.units = Units();
    options.measure = ChartMeasure{Actual, Allocated, Slack};
    options.FolderPath = FolderPath;
    options.DisplayFreeDiskSpace = DisplayFreeDiskSpace;
    options.FreeBytes = freeBytes_;
    options.format = platform::SystemFormatSettings();
    return options;
}

void TKaavioIkkuna::Display_list(const TFolderList* list) {
    std::optional<DisplayedList> shown = usage::Display_list(list, Options());
    widgets::ListBox(*this, "Nimet").Clear();
    widgets::ListBox(*this, "Luvut").Clear();
    if (!shown) {
        if (shown_) {
            shown_->Nimet.clear();
            shown_->Luvut.clear();
        }
        return;
    }
    shown_ = std::move(shown);
    currentList_ = shown_->List;
    ShowDisplayed(*shown_);
}

void TKaavioIkkuna::ShowDisplayed(const DisplayedList& shown) {
    widgets::ListBox nimet(*this, "Nimet");
    widgets::ListBox luvut(*this, "Luvut");
    for (size_t i = 0; i < shown.Nimet.size(); ++i) {
        nimet.Add(shown.Nimet[i]);
        luvut.Add(shown.Luvut[i]);
    }
    SetText("lblMaxFileNameLength", shown.MaxPathCaption);
    SetHint("lblMaxFileNameLength", shown.MaxPathHint);

    widgets::ListBox list(*this, "ListBox1");
    list.BeginUpdate();
    list.Clear();
    for (const SortLine& line : shown.SortList)
        list.Add(line.Text, reinterpret_cast<LPARAM>(line.Pair.Data));
    list.EndUpdate();

    chart_->Clear();
    for (const PieSlice& slice : shown.Slices)
        chart_->AddSlice(slice.Value, slice.Label, ToColorRef(slice.Colour));

    widgets::StatusBar(*this, "StatusBar").SetPanelTexts(0, shown.Panels);
    SetCaption(shown.Caption);
    SetEnabled("BitBtnUp", shown.UpEnabled);
}

void TKaavioIkkuna::KaavioMouseMove(POINT client) {
    const int slice = chart_->SliceAt(client);
    const std::optional<size_t> hit = slice >= 0 ? std::optional<size_t>(static_cast<size_t>(slice)) : std::nullopt;
    SetText("Label3", shown_ ? SliceTip(*shown_, hit, Units(), scanning_) : std::string());
}

void TKaavioIkkuna::ListBox1Click() {
    widgets::ListBox list(*this, "ListBox1");
    if (const int index = list.ItemIndex(); index >= 0)
        SetHint("ListBox1", LineHint(list.Item(index)));
}

void TKaavioIkkuna::ListBox1DblClick() {
    widgets::ListBox list(*this, "ListBox1");
    if (const int index = list.ItemIndex(); index >= 0)
        Handle_double_click(reinterpret_cast<const TFolderData*>(list.Data(index)));
}

void TKaavioIkkuna::Handle_double_click(const TFolderData* record) {
    if (const TFolderList* next = ListOnDoubleClick(record))
        Display_list(next);
}

void TKaavioIkkuna::BitBtnUpClick() {
    widgets::ListBox list(*this, "ListBox1");
    if (list.Count() == 0)
        return;
    const auto* record = reinterpret_cast<const TFolderData*>(list.Data(0));
    if (record != nullptr)
        if (const TFolderList* above = record->ParentList())
            Display_list(above);
}

void TKaavioIkkuna::BitBtnExitClick() {
    StopRequested = true;
    Close();
}

void TKaavioIkkuna::cbxUnitsChange() {
    const int item = widgets::ComboBox(*this, "cbxUnits").ItemIndex();
    Bytes = item == 0;
    KB = item == 1;
    MB = item == 2;
    Count = item == 3;
    Display_list(currentList_);
}

void TKaavioIkkuna::cbxDisplayChange() {
    const int item = widgets::ComboBox(*this, "cbxDisplay").ItemIndex();
    Actual = item == 0;
    Allocated = item == 1;
    Slack = item == 2;
    Display_list(currentList_);
}

void TKaavioIkkuna::PrintBtnClick() {
    const OwnDialog dialog(ownDialogs_);
    const std::unique_ptr<widgets::PrinterJob> job = widgets::AppDialogs().ChoosePrinter();
    if (!job)
        return;
    const std::string folder = folders_->Directory();
    chart_->SetTitle(base::Tx("Space usage on " + folder + " by Lumoworks Vireo",
                              "Tilan käyttö hakemistossa " + folder + " by Lumoworks Vireo"));
    const bool printed = chart_->Print(job->Dc(), ChartTitle());
    chart_->SetTitle(ChartTitle());
    if (!printed)
        widgets::AppDialogs().Message(base::Tx("The chart could not be printed.", "Kaaviota ei voitu tulostaa."),
                                      widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
}

void TKaavioIkkuna::TallennaKaavioClick() {
    const OwnDialog dialog(ownDialogs_);
    widgets::FileDialogRequest request;
    request.title = base::Tx("Save chart", "Tallenna kaavio");
    request.filter = base::Tx(
        "Bitmaps (*.bmp)|*.bmp|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|All "
        "(*.bmp;*.emf;*.wmf)|*.bmp;*.emf;*.wmf",
        "Bittikartat (*.bmp)|*.bmp|Enhanced Meta-tiedostot (*.emf)|*.emf|Meta-tiedostot (*.wmf)|*.wmf|Kaikki "
        "(*.bmp;*.emf;*.wmf)|*.bmp;*.emf;*.wmf");
    request.defaultExtension = ChartDefaultExtension(1);
    request.picturePreview = true;
    request.extensionOfType = {ChartDefaultExtension(1), ChartDefaultExtension(2), ChartDefaultExtension(3),
                               ChartDefaultExtension(4)};
    const std::optional<widgets::FileDialogResult> chosen = widgets::AppDialogs().SaveFile(request);
    if (!chosen)
        return;
    const widgets::ChartSaveOutcome outcome = chart_->SaveByName(chosen->path);
    if (outcome == widgets::ChartSaveOutcome::InvalidFormat)
        widgets::AppDialogs().Message(base::Tx("Invalid file format. Save is not done!",
                                               "Viallinen formaatti. Tallennusta ei suoritettu loppuun!"),
                                      widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
    else if (outcome == widgets::ChartSaveOutcome::Failed)
        widgets::AppDialogs().Message(
            base::Tx("The chart could not be saved as " + chosen->path, "Kaaviota ei voitu tallentaa: " + chosen->path),
            widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
}

}  // namespace usage
