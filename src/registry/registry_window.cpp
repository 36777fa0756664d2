#include "registry/registry_window.h"

#include <initializer_list>

#include <commctrl.h>

#include "base/texts.h"
#include "platform/locale.h"
#include "platform/path_probe.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "registry/registry_removal.h"
#include "widgets/dialogs.h"
#include "widgets/gdi.h"

namespace registry {
namespace {

using widgets::Kind;

constexpr int kGridId = 4001;
constexpr int kColumnWidths[] = {250, 100, 78, 300};

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name            kind                 place (96-DPI px)     caption         hint                                                   on
    {"Bevel2",         Kind::Bevel,         {0, 0, 786, 509}},
    {"Bevel1",         Kind::Panel,         {8, 8, 769, 41}},
    {"AloitaButton",   Kind::PictureButton, {202, 8, 75, 25},     "&Find",        "Start seaching registry",                             "Bevel1"},
    {"PoistaButton",   Kind::PictureButton, {282, 8, 75, 25},     "&Delete",      "Delete seleted entry/entries",                        "Bevel1"},
    {"btnSelectAll",   Kind::PictureButton, {362, 8, 97, 25},     "S&elect all",  "Selects all the entries listed, ready for deletion",  "Bevel1"},
    {"SuljeButton",    Kind::PictureButton, {464, 8, 75, 25},     "&Close",       "Close",                                               "Bevel1"},
    {"Panel1",         Kind::Panel,         {8, 56, 769, 425}},
    {"StringGrid1",    Kind::Custom,        {8, 8, 753, 409},     "",             "",                                                    "Panel1"},
    {"StatusBar1",     Kind::StatusBar,     {0, 489, 786, 20}},
    {"LopetaButton",   Kind::PictureButton, {240, 72, 75, 25},    "&Stop",        "Stop searching registry"},
    {"Aloita2Button",  Kind::PictureButton, {272, 240, 129, 25},  "&Find",        ""},
};

constexpr widgets::TextSpec kFinnish[] = {
    {"",             "Puhdista rekisteri"},
    {"AloitaButton", "&Etsi",           "Aloita etsiminen rekisteristä"},
    {"PoistaButton", "&Poista",         "Poista valitut tietueet"},
    {"SuljeButton",  "&Sulje",          "Sulje"},
    {"btnSelectAll", "&Valitse kaikki", "Valisee kaikki tietueet listasta poistoa varten"},
};
// clang-format on

using widgets::Brush;
using widgets::Line;
using widgets::Pen;
using widgets::SelectScope;

void Box(HDC dc, const RECT& box, COLORREF fill, COLORREF edge) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    SelectScope b(dc, brush.Get());
    SelectScope p(dc, pen.Get());
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

using Picture = std::shared_ptr<const widgets::Bitmap>;

Picture Glyph(const std::function<void(HDC)>& draw) {
    return std::make_shared<widgets::Bitmap>(16, 16, draw);
}

// A magnifying glass over a registry cube.
Picture FindPicture() {
    return Glyph([](HDC dc) {
        Box(dc, RECT{1, 1, 8, 8}, RGB(90, 140, 220), RGB(30, 60, 130));
        Box(dc, RECT{4, 4, 11, 11}, RGB(120, 190, 120), RGB(30, 100, 30));
        Brush glass(CreateSolidBrush(RGB(220, 240, 255)));
        Pen rim(CreatePen(PS_SOLID, 2, RGB(40, 40, 40)));
        SelectScope b(dc, glass.Get());
        SelectScope p(dc, rim.Get());
        Ellipse(dc, 6, 6, 13, 13);
        Line(dc, 3, RGB(40, 40, 40), {{12, 12}, {15, 15}});
    });
}

// A red stop sign.
Picture StopPicture() {
    return Glyph([](HDC dc) {
        const POINT sign[] = {{5, 1}, {10, 1}, {14, 5}, {14, 10}, {10, 14}, {5, 14}, {1, 10}, {1, 5}};
        Brush red(CreateSolidBrush(RGB(200, 30, 30)));
        Pen edge(CreatePen(PS_SOLID, 1, RGB(120, 10, 10)));
        SelectScope b(dc, red.Get());
        SelectScope p(dc, edge.Get());
        Polygon(dc, sign, 8);
        Line(dc, 2, RGB(255, 255, 255), {{4, 7}, {11, 7}});
    });
}

// A sheet with a red cross over it.
Picture DeletePicture() {
    return Glyph([](HDC dc) {
        Box(dc, RECT{2, 1, 12, 15}, RGB(255, 255, 255), RGB(90, 90, 90));
        for (int y = 4; y < 13; y += 3)
            Line(dc, 1, RGB(150, 150, 150), {{4, y}, {10, y}});
        Line(dc, 2, RGB(200, 30, 30), {{7, 7}, {14, 14}});
        Line(dc, 2, RGB(200, 30, 30), {{14, 7}, {7, 14}});
    });
}

// Three ticked lines.
Picture SelectAllPicture() {
    return Glyph([](HDC dc) {
        for (int y = 2; y < 15; y += 5) {
            Box(dc, RECT{1, y, 5, y + 4}, RGB(255, 255, 255), RGB(60, 60, 60));
            Line(dc, 1, RGB(20, 120, 20), {{2, y + 2}, {3, y + 3}, {5, y}});
            Line(dc, 2, RGB(10, 36, 106), {{7, y + 2}, {15, y + 2}});
        }
    });
}

// An open door with an arrow going out.
Picture ClosePicture() {
    return Glyph([](HDC dc) {
        Box(dc, RECT{6, 1, 14, 15}, RGB(160, 110, 60), RGB(90, 60, 30));
        Box(dc, RECT{11, 7, 13, 9}, RGB(240, 200, 60), RGB(240, 200, 60));
        Line(dc, 2, RGB(30, 100, 200), {{1, 8}, {8, 8}});
        Line(dc, 2, RGB(30, 100, 200), {{5, 5}, {8, 8}, {5, 11}});
    });
}

base::DateTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return base::DateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace

std::span<const widgets::TextSpec> RegistryFinnishTexts() {
    return kFinnish;
}

TRegistryIkkuna::TRegistryIkkuna() : ScanRoots(ProgramScanRoots()) {
    Create({"Clean registry", 786, 509, widgets::FrameStyle::Dialog});
    FormCreate();
}

TRegistryIkkuna::~TRegistryIkkuna() {
    FormDestroy();
}

void TRegistryIkkuna::FormCreate() {
    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);

    const RECT place = ControlRect("StringGrid1");
    grid_ = std::make_unique<widgets::TStringAlignGrid>(Frame(), kGridId, place, Dpi(), 18);
    AdoptControl("StringGrid1", grid_->Handle());
    SetWindowPos(grid_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    grid_->SetColumns(kColumnWidths);
    // The time of the last change must be readable whole in the system's font.
    // The time of the last change must be readable whole in the system's font; the text column gives up
    // what that takes, so the columns still fit the grid without a horizontal scroll bar.
    const int designTime = grid_->ColWidth(1);
    grid_->FitColWidthTo(1, "12/31/2026 12:59PM");
    if (const int extra = grid_->ColWidth(1) - designTime; extra > 0)
        ListView_SetColumnWidth(grid_->Handle(), 3, grid_->ColWidth(3) - extra);
    ShowEmptyGrid();
    OnNotify("StringGrid1", [this](const NMHDR& header) { return grid_->Notify(header); });

    SetPicture("Aloita2Button", FindPicture());
    SetPicture("LopetaButton", StopPicture());
    SetPicture("AloitaButton", Picture("Aloita2Button"));
    SetPicture("PoistaButton", DeletePicture());
    SetPicture("btnSelectAll", SelectAllPicture());
    SetPicture("SuljeButton", ClosePicture());
    SetVisible("LopetaButton", false);
    SetEnabled("LopetaButton", false);
    SetVisible("Aloita2Button", false);
    SetEnabled("PoistaButton", false);
    SetEnabled("btnSelectAll", false);
    SetTabOrder({"AloitaButton", "PoistaButton", "btnSelectAll", "SuljeButton", "StringGrid1"});

    OnClick("AloitaButton", [this] { btnStartClick(); });
    OnClick("LopetaButton", [this] { btnStopClick(); });
    OnClick("PoistaButton", [this] { btnRemoveClick(); });
    OnClick("btnSelectAll", [this] { btnSelectAllClick(); });
    OnClick("SuljeButton", [this] { SuljeButtonClick(); });

    Reg = std::make_unique<registry::Reg>(platform::SystemRegistry());
    SetWindowSubclass(Handle(), CloseWatch, 1, reinterpret_cast<DWORD_PTR>(this));
}

// The close box and Escape during a scan stop it, and the window closes once the scan has returned;
// left alone, a modal window would only note the close and the scan would run on to its end.
LRESULT CALLBACK
TRegistryIkkuna::CloseWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TRegistryIkkuna*>(data);
    const bool closing = message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL);
    if (closing && self->scanning_) {
        self->StopScan = true;
        self->closeAfterScan_ = true;
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, CloseWatch, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void TRegistryIkkuna::FormDestroy() {
    // A scan still running inside a yield must not go on with a window that is going.
    StopScan = true;
    Reg.reset();
}

void TRegistryIkkuna::FormShow() {
    const char* const english[] = {"Registry Key", "Last Modification", "String Value", "File/Path reference"};
    const char* const finnish[] = {"Rekisterin avain", "Viimeisin muutos", "Teksti arvo",
                                   "Tiedosto/hakemisto viittaus"};
    for (int col = 0; col < 4; ++col)
        grid_->SetHeader(col, base::Tx(english[col], finnish[col]));
    ShowFindButton();
    NextRow = 1;
    FirstHit = true;
}

bool TRegistryIkkuna::CanClose() {
    if (!scanning_)
        return true;
    // The scan is running inside one of its yields: let it stop, and close once it has returned.
    StopScan = true;
    closeAfterScan_ = true;
    return false;
}

void TRegistryIkkuna::ShowFindButton() {
    SetText("AloitaButton", base::Tx("&Find", "&Etsi"));
    SetHint("AloitaButton", base::Tx("Start seaching registry", "Aloita etsiminen rekisteristä"));
    SetPicture("AloitaButton", Picture("Aloita2Button"));
}

void TRegistryIkkuna::ShowStopButton() {
    SetText("AloitaButton", base::Tx("&Stop", "&Pysäytä"));
    SetHint("AloitaButton", base::Tx("Stop searching registry", "Pysäytä etsiminen"));
    SetPicture("AloitaButton", Picture("LopetaButton"));
}

void TRegistryIkkuna::ShowEmptyGrid() {
    grid_->SetRowCount(2);
    for (int col = 0; col < grid_->ColCount(); ++col)
        grid_->SetCell(col, 1, "");
    grid_->ClearSelection();
}

void TRegistryIkkuna::btnStartClick() {
    const std::string caption = Text("AloitaButton");
    if (caption != "&Find" && caption != "&Etsi") {
        StopScan = true;
        return;
    }
    SetEnabled("PoistaButton", false);
    SetEnabled("btnSelectAll", false);
    ShowStopButton();
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
    scanning_ = true;
    try {
        scan.ScanRegistry(ScanRoots);
    } catch (...) {
        // A key that could not be opened again ends the walk; the window still shows what it found and
        // goes back to Find, and the error goes on to the error hook.
        scanning_ = false;
        FinishScan(false);
        if (closeAfterScan_) {
            closeAfterScan_ = false;
            Close();
        }
        throw;
    }
    scanning_ = false;
    FinishScan(true);
    if (closeAfterScan_) {
        closeAfterScan_ = false;
        Close();
    }
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
    ShowFindButton();
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
    const widgets::GridRect selection = grid_->Selection();
    const int first = selection.top;
    const int last = selection.bottom;
    // Nothing chosen, or only the empty row under the headers: there is nothing to ask about.
    if (first < 1 || last < first || grid_->Cell(0, first).empty()) {
        SetEnabled("btnSelectAll", grid_->RowCount() > 2);
        return;
    }
    const int count = last - first + 1;
    const std::string number = std::to_string(count);
    const std::string question =
        count == 1 ? base::Tx("Are you sure you want to remove selected entry from the Registry?",
                              "Oletko varma että haluat poistaa valitun tietueen rekisteristä?")
                   : base::Tx("Are you sure you want to remove " + number + " selected entries from the Registry?",
                              "Oletko varma että haluat poistaa " + number + " valittua tietuetta rekisteristä?");
    const int answer =
        widgets::AppDialogs().Message(question, widgets::MessageKind::Warning, widgets::MessageButtons::YesNo);
    if (answer == IDYES) {
        std::vector<ResultRow> rows;
        rows.reserve(static_cast<size_t>(count));
        for (int row = first; row <= last; ++row)
            rows.push_back(
                ResultRow{grid_->Cell(0, row), grid_->Cell(1, row), grid_->Cell(2, row), grid_->Cell(3, row)});
        const BackupTarget target{platform::ProgramFolder(), LocalNow(), {}};
        const RemovalResult result = RemoveRows(*Reg, rows, target);
        if (result.backupFailed) {
            widgets::AppDialogs().Message(result.warning, widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
        } else {
            std::vector<int> gone;
            gone.reserve(result.removedRows.size());
            for (const size_t index : result.removedRows)
                gone.push_back(first + static_cast<int>(index));
            grid_->DeleteRows(std::move(gone));
            NextRow = grid_->RowCount();
            if (NextRow == 1) {
                ShowEmptyGrid();
                SetEnabled("PoistaButton", false);
                SetEnabled("btnSelectAll", false);
            } else {
                // The row that moved into the place of the first removed one becomes the current row.
                const int current = std::min(first, grid_->RowCount() - 1);
                grid_->SetSelection({0, current, grid_->ColCount() - 1, current});
                grid_->ScrollIntoView(current);
            }
            SetCountText();
        }
    }
    SetEnabled("btnSelectAll", grid_->RowCount() > 2);
}

void TRegistryIkkuna::SuljeButtonClick() {
    StopScan = true;
    Close();
}

}  // namespace registry
