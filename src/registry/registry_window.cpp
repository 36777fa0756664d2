#include "registry/registry_window.h"

#include <utility>

#include <commctrl.h>

#include "base/texts.h"
#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/path_probe.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "registry/registry_removal.h"
#include "widgets/dialogs.h"
#include "widgets/stock_pictures.h"

namespace registry {
namespace {

using widgets::Kind;

constexpr int kGridId = 4001;
constexpr int kColumnWidths[] = {250, 100, 78, 300};

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name            kind                 place (96-DPI px)     caption         hint                                                   on        style, initially
    {"Bevel2",         Kind::Bevel,         {0, 0, 786, 509}},
    {"Bevel1",         Kind::Panel,         {8, 8, 769, 41}},
    {"AloitaButton",   Kind::PictureButton, {202, 8, 75, 25},     "&Find",        "Start seaching registry",                             "Bevel1"},
    {"PoistaButton",   Kind::PictureButton, {282, 8, 75, 25},     "&Delete",      "Delete seleted entry/entries",                        "Bevel1", 0, widgets::kDisabled},
    {"btnSelectAll",   Kind::PictureButton, {362, 8, 103, 25},    "S&elect all",  "Selects all the entries listed, ready for deletion",  "Bevel1", 0, widgets::kDisabled},
    {"SuljeButton",    Kind::PictureButton, {470, 8, 75, 25},     "&Close",       "Close",                                               "Bevel1"},
    {"Panel1",         Kind::Panel,         {8, 56, 769, 425}},
    {"StringGrid1",    Kind::Custom,        {8, 8, 753, 409},     "",             "",                                                    "Panel1"},
    {"StatusBar1",     Kind::StatusBar,     {0, 489, 786, 20}},
    {"LopetaButton",   Kind::PictureButton, {240, 72, 75, 25},    "&Stop",        "Stop searching registry",                             nullptr, 0, widgets::kHidden | widgets::kDisabled},
    {"Aloita2Button",  Kind::PictureButton, {272, 240, 129, 25},  "&Find",        "",                                                    nullptr, 0, widgets::kHidden},
};

constexpr widgets::TextSpec kFinnish[] = {
    {"",             "Puhdista rekisteri"},
    {"AloitaButton", "&Etsi",           "Aloita etsiminen rekisteristä"},
    {"PoistaButton", "&Poista",         "Poista valitut tietueet"},
    {"SuljeButton",  "&Sulje",          "Sulje"},
    {"btnSelectAll", "&Valitse kaikki", "Valisee kaikki tietueet listasta poistoa varten"},
};
// clang-format on

constexpr widgets::RunButtonSpec kFindButton{
    "AloitaButton",
    "Aloita2Button",
    "LopetaButton",
    {"&Find", "&Etsi"},
    {"Start seaching registry", "Aloita etsiminen rekisteristä"},
    {"&Stop", "&Pysäytä"},
    {"Stop searching registry", "Pysäytä etsiminen"},
};

constexpr std::pair<const char*, widgets::Stock> kPictures[] = {
    {"Aloita2Button", widgets::Stock::Find},     {"LopetaButton", widgets::Stock::Stop},
    {"AloitaButton", widgets::Stock::Find},      {"PoistaButton", widgets::Stock::Delete},
    {"btnSelectAll", widgets::Stock::SelectAll}, {"SuljeButton", widgets::Stock::Close},
};

base::DateTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return base::DateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace

std::span<const widgets::TextSpec> RegistryFinnishTexts() {
    return kFinnish;
}

TRegistryIkkuna::TRegistryIkkuna() : ScanRoots(ProgramScanRoots()), findRun_(*this, kFindButton, scanning_, StopScan) {
    Create({"Clean registry", 786, 509, widgets::FrameStyle::Dialog});
    FormCreate();
}

void TRegistryIkkuna::FormCreate() {
    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);

    grid_ = std::make_unique<widgets::TStringAlignGrid>(Frame(), kGridId, ControlRect("StringGrid1"), Dpi(), 18);
    AdoptControl("StringGrid1", *grid_);
    grid_->SetColumns(kColumnWidths);
    // The time of the last change must be readable whole in the system's font; the text column gives up
    // what that takes, so the columns still fit the grid without a horizontal scroll bar.
    const int designTime = grid_->ColWidth(1);
    grid_->FitColWidthTo(1, "12/31/2026 12:59PM");
    if (const int extra = grid_->ColWidth(1) - designTime; extra > 0)
        ListView_SetColumnWidth(grid_->Handle(), 3, grid_->ColWidth(3) - extra);
    ShowEmptyGrid();

    widgets::SetStockPictures(*this, kPictures);
    SetTabOrder({"AloitaButton", "PoistaButton", "btnSelectAll", "SuljeButton", "StringGrid1"});

    findRun_.SetInputs({"PoistaButton", "btnSelectAll"});
    findRun_.OnStart([this] { btnStartClick(); });
    OnClick("LopetaButton", [this] { btnStopClick(); });
    OnClick("PoistaButton", [this] { btnRemoveClick(); });
    OnClick("btnSelectAll", [this] { btnSelectAllClick(); });
    OnClick("SuljeButton", [this] { SuljeButtonClick(); });

    Reg = std::make_unique<registry::Reg>(platform::SystemRegistry());
}

void TRegistryIkkuna::FormShow() {
    const char* const english[] = {"Registry Key", "Last Modification", "String Value", "File/Path reference"};
    const char* const finnish[] = {"Rekisterin avain", "Viimeisin muutos", "Teksti arvo",
                                   "Tiedosto/hakemisto viittaus"};
    for (int col = 0; col < 4; ++col)
        grid_->SetHeader(col, base::Tx(english[col], finnish[col]));
    findRun_.ShowIdle();
    NextRow = 1;
    FirstHit = true;
}

void TRegistryIkkuna::ShowEmptyGrid() {
    grid_->SetRowCount(2);
    for (int col = 0; col < grid_->ColCount(); ++col)
        grid_->SetCell(col, 1, "");
    grid_->ClearSelection();
}

void TRegistryIkkuna::btnStartClick() {
    if (findRun_.Running()) {
        findRun_.AskToStop();
        return;
    }
    // A key that could not be opened again ends the walk with an error: the window still shows what it
    // found and goes back to Find, and the error goes on to the error hook.
    widgets::RunningScope running(findRun_, [this](bool completed) { FinishScan(completed); });
    SetEnabled("PoistaButton", false);
    SetEnabled("btnSelectAll", false);
    NextRow = 1;
    FirstHit = true;
    ShowEmptyGrid();
    lastStatus_.clear();

    ScanHooks hooks;
    hooks.status = [this](const std::string& text) {
        // A key with many values asks for the same text once per value.
        if (text == lastStatus_)
            return;
        lastStatus_ = text;
        SetText("StatusBar1", text);
    };
    hooks.yield = [] { widgets::ProcessMessages(); };
    hooks.addRow = [this](const ResultRow& row, bool firstHit) { AddResultRow(row, firstHit); };

    const base::FormatSettings settings = platform::SystemFormatSettings();
    RegistryScan scan(*Reg, platform::SystemPathProbe(), settings, std::move(hooks), StopScan);
    scan.ScanRegistry(ScanRoots);
}

void TRegistryIkkuna::btnStopClick() {
    StopScan = true;
}

void TRegistryIkkuna::AddResultRow(const ResultRow& row, bool firstHit) {
    if (NextRow == grid_->RowCount())
        grid_->SetRowCount(NextRow + 10);
    const std::string cells[] = {row.key, row.lastModification, row.valueName, row.text};
    grid_->SetRow(NextRow, cells);
    if (firstHit || FirstHit) {
        FirstHit = false;
        grid_->SetSelection({0, 1, grid_->ColCount() - 1, 1});
    }
    ++NextRow;
}

void TRegistryIkkuna::SetCountText() {
    SetText("StatusBar1", CountText(static_cast<size_t>(NextRow - 1)));
}

void TRegistryIkkuna::FinishScan(bool tell) {
    grid_->SetRowCount(NextRow);
    if (NextRow == 1)
        ShowEmptyGrid();
    SetCountText();
    if (NextRow == 1) {
        if (tell)
            widgets::AppDialogs().Message(
                base::Tx("No invalid references detected.", "Virheellisiä tietoja ei havaittu."),
                widgets::MessageKind::Information, widgets::MessageButtons::Ok);
        SetEnabled("PoistaButton", false);
        SetEnabled("btnSelectAll", false);
    } else {
        SetEnabled("PoistaButton", true);
        SetEnabled("btnSelectAll", grid_->RowCount() > 2);
    }
}

void TRegistryIkkuna::btnSelectAllClick() {
    grid_->SetSelection({0, 1, grid_->ColCount() - 1, grid_->RowCount() - 1});
    SetFocus(grid_->Handle());
}

void TRegistryIkkuna::btnRemoveClick() {
    std::vector<int> chosen = grid_->SelectedRows();
    // Only the empty row under the headers: there is nothing to ask about.
    std::erase_if(chosen, [this](int row) { return grid_->Cell(0, row).empty(); });
    if (!chosen.empty()) {
        const std::string number = std::to_string(chosen.size());
        const std::string question =
            chosen.size() == 1
                ? base::Tx("Are you sure you want to remove selected entry from the Registry?",
                           "Oletko varma että haluat poistaa valitun tietueen rekisteristä?")
                : base::Tx("Are you sure you want to remove " + number + " selected entries from the Registry?",
                           "Oletko varma että haluat poistaa " + number + " valittua tietuetta rekisteristä?");
        if (widgets::AppDialogs().Message(question, widgets::MessageKind::Warning, widgets::MessageButtons::YesNo) ==
            IDYES)
            RemoveChosenRows(chosen);
    }
    SetEnabled("btnSelectAll", grid_->RowCount() > 2);
}

void TRegistryIkkuna::RemoveChosenRows(const std::vector<int>& chosen) {
    std::vector<ResultRow> rows;
    for (const int row : chosen)
        rows.push_back(ResultRow{grid_->Cell(0, row), grid_->Cell(1, row), grid_->Cell(2, row), grid_->Cell(3, row)});
    const RemovalResult result =
        RemoveRows(*Reg, rows,
                   PlatformBackupTarget(platform::SettingsFolder(), LocalNow(), platform::SystemFileStore(),
                                        platform::SystemFileSystem()));
    if (result.backupFailed) {
        widgets::AppDialogs().Message(result.warning, widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
        return;
    }
    std::vector<int> gone;
    for (const size_t index : result.removedRows)
        gone.push_back(chosen[index]);
    grid_->DeleteRows(std::move(gone));
    NextRow = grid_->RowCount();
    if (NextRow == 1) {
        ShowEmptyGrid();
        SetEnabled("PoistaButton", false);
        SetEnabled("btnSelectAll", false);
    } else {
        // The row that moved into the place of the first removed one becomes the current row.
        const int current = std::min(chosen.front(), grid_->RowCount() - 1);
        grid_->SetSelection({0, current, grid_->ColCount() - 1, current});
        grid_->ScrollIntoView(current);
    }
    SetCountText();
    if (const std::string kept = KeptRowsText(result); !kept.empty())
        widgets::AppDialogs().Message(kept, widgets::MessageKind::Information, widgets::MessageButtons::Ok);
}

void TRegistryIkkuna::SuljeButtonClick() {
    StopScan = true;
    Close();
}

}  // namespace registry
