#include "unnecessary/backup_window.h"

#include <tuple>
#include <utility>

#include <commctrl.h>

#include "base/text_case.h"
#include "base/texts.h"
#include "fs/delete_selected.h"
#include "fs/file_rows.h"
#include "platform/file_ops.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/program_folder.h"
#include "settings/keys.h"
#include "settings/mask_list.h"
#include "settings/settings_file.h"
#include "unnecessary/command_line.h"
#include "unnecessary/junk_masks.h"
#include "unnecessary/junk_texts.h"
#include "widgets/dialogs.h"
#include "widgets/file_tool_lists.h"
#include "widgets/settings_on_destroy.h"
#include "widgets/stock_pictures.h"

namespace unnecessary {
namespace {

using widgets::Kind;

constexpr int kDisksId = 4201;
constexpr int kFilesId = 4202;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name            kind                 place (96-DPI px)     caption         hint
    {"Bevel1",         Kind::Bevel,         {0, 0, 617, 460}},
    {"DiskListView1",  Kind::Custom,        {8, 8, 170, 140}},
    {"edtDirectory",   Kind::Edit,          {188, 8, 180, 21},    "\\",           "Enter a folder spec - e.g. \\Windows - to restrict search to a limited tree", nullptr, 0, widgets::kHidden},
    {"btnFind",        Kind::PictureButton, {390, 8, 105, 25},    "&Find",        "Search the disk"},
    {"btnExit",        Kind::PictureButton, {500, 8, 105, 25},    "&Close",       "Close"},
    {"btnSelectAll",   Kind::PictureButton, {390, 40, 105, 25},   "S&elect all",  "Selects all the files listed, ready for deletion", nullptr, 0, widgets::kDisabled},
    {"btnDelete",      Kind::PictureButton, {500, 40, 105, 25},   "&Delete",      "Delete selected file(s)", nullptr, 0, widgets::kDisabled},
    {"Label2",         Kind::Label,         {188, 104, 0, 0},     "Total size:"},
    {"lblSize",        Kind::Label,         {262, 104, 200, 16},  ""},
    {"Label3",         Kind::Label,         {188, 128, 0, 0},     "Status:"},
    {"Label1",         Kind::Label,         {238, 128, 367, 16},  ""},
    {"FileListView1",  Kind::Custom,        {8, 156, 601, 278}},
    {"StatusBar1",     Kind::StatusBar,     {0, 440, 617, 20}},
    {"Etsi",           Kind::PictureButton, {390, 72, 105, 25},   "&Find",        "", nullptr, 0, widgets::kHidden},
    {"Stoppaa",        Kind::PictureButton, {500, 72, 105, 25},   "&Stop",        "", nullptr, 0, widgets::kHidden | widgets::kDisabled},
};

constexpr widgets::TextSpec kFinnish[] = {
    {"",             "Turhat tiedostot"},
    {"Label3",       "Tila:"},
    {"Label2",       "Koko yht.:"},
    {"btnFind",      "&Etsi",           "Etsi levyiltä"},
    {"btnExit",      "&Sulje",          "Sulje"},
    {"btnSelectAll", "&Valitse kaikki", "Valisee kaikki tiedostot listasta poistoa varten"},
    {"btnDelete",    "&Poista",         "Poista valitut tiedostot"},
};
// clang-format on

// The Finnish idle hint reads "levyiltä" until the first search and "levyltä" after it.
constexpr widgets::RunButtonSpec kFindButton{
    "btnFind",
    "Etsi",
    "Stoppaa",
    {"&Find", "&Etsi"},
    {"Search the disk", "Etsi levyiltä"},
    {"&Stop", "&Pysäytä"},
    {"Stop searching", "Pysäytä etsiminen"},
    {"Search the disk", "Etsi levyltä"},
};

constexpr std::pair<const char*, widgets::Stock> kPictures[] = {
    {"Etsi", widgets::Stock::Find},        {"Stoppaa", widgets::Stock::Stop},
    {"btnFind", widgets::Stock::Find},     {"btnSelectAll", widgets::Stock::SelectAll},
    {"btnDelete", widgets::Stock::Delete}, {"btnExit", widgets::Stock::Close},
};

}  // namespace

std::span<const widgets::TextSpec> BackupFinnishTexts() {
    return kFinnish;
}

TBackupIkkuna::TBackupIkkuna(std::vector<std::string> arguments, platform::SystemVersion system)
    : FilesToFind(platform::LocaleTextOrder(), base::Repeats::Drop),
      ExtraFilesToFind(platform::LocaleTextOrder(), base::Repeats::Drop),
      AvoidTheseFiles(platform::LocaleTextOrder(), base::Repeats::Drop),
      KeepList(platform::LocaleTextOrder(), base::Repeats::Drop),
      DeleteList(platform::LocaleTextOrder(), base::Repeats::Drop),
      order_(platform::LocaleTextOrder()),
      arguments_(std::move(arguments)),
      listed_(order_),
      kept_(order_),
      run_(*this, kFindButton, Searching, StopRequested) {
    settingsPath_ = platform::OptionsIniPath();
    Create({"Unnecessary files", 617, 460, widgets::FrameStyle::Dialog});
    FormCreate();
    ReadCommandLine(system);
    StartTimer(100, false, [this] { Timer1Timer(); });
}

TBackupIkkuna::~TBackupIkkuna() {
    widgets::WriteSettingsOnDestroy(settings_, settingsPath_);
}

void TBackupIkkuna::FormCreate() {
    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);
    widgets::MarkStatusLabel(*this, "Label3");
    std::tie(disks_, files_) = widgets::MakeFileToolLists(*this, kDisksId, kFilesId);
    disks_->OnChange = [this](const NMLISTVIEW&) { DiskListView1Change(); };
    files_->OnClick = [this](const NMITEMACTIVATE&) { FileListView1Click(); };
    files_->OnUserSelectionChange = [this] { FileListView1Click(); };

    widgets::SetStockPictures(*this, kPictures);
    SetTabOrder({"DiskListView1", "btnFind", "btnExit", "btnSelectAll", "btnDelete", "FileListView1"});

    run_.SetInputs({"DiskListView1", "btnDelete", "btnSelectAll"});
    run_.OnStart([this] { btnFindClick(); });
    OnClick("btnExit", [this] { btnExitClick(); });
    OnClick("btnSelectAll", [this] { btnSelectAllClick(); });
    OnClick("btnDelete", [this] { btnDeleteClick(); });
    OnMouseMove("btnDelete", [this] { btnDeleteMouseMove(); });

    BindSettings();
    settings_.ReadAll(settings::SettingsFile(settingsPath_));
    FilesToFind = settings::MaskListFromText(filesToFindText_, order_);
    ExtraFilesToFind = settings::MaskListFromText(extraFilesToFindText_, order_);
    AvoidTheseFiles = settings::MaskListFromText(avoidTheseFilesText_, order_);
    for (auto* masks : {&FilesToFind, &ExtraFilesToFind}) {
        const std::vector<std::string> dropped = DropWildcardOnlyMasks(*masks);
        unusedMasks_.insert(unusedMasks_.end(), dropped.begin(), dropped.end());
    }
}

void TBackupIkkuna::BindSettings() {
    namespace keys = settings::keys;
    settings_.Bind(
        keys::kDirectoryMask, [this] { return Text("edtDirectory"); },
        [this](std::string v) { SetText("edtDirectory", v); });
    settings_.Bind(keys::kIgnoreHiddenFiles, IgnoreHiddenFiles);
    settings_.Bind(keys::kIgnoreReadOnlyFiles, IgnoreReadOnlyFiles);
    settings_.Bind(keys::kIgnoreSystemFiles, IgnoreSystemFiles);
    settings_.Bind(keys::kIgnoreZeroLengthFiles, IgnoreZeroLengthFiles);
    settings_.Bind(keys::kBackupsUseRecycleBin, UseRecycleBin);
    settings_.BindReadOnly(keys::kFilesToFind, filesToFindText_);
    settings_.BindReadOnly(keys::kExtraFilesToFind, extraFilesToFindText_);
    settings_.BindReadOnly(keys::kAvoidTheseFiles, avoidTheseFilesText_);
}

void TBackupIkkuna::ReadCommandLine(const platform::SystemVersion& system) {
    if (!IsSupportedSystem(system)) {
        widgets::AppDialogs().Message(UnsupportedSystemText(), widgets::MessageKind::Warning,
                                      widgets::MessageButtons::Ok);
        return;
    }
    const CommandLine line = ParseCommandLine(arguments_);
    if (line.folder)
        SetText("edtDirectory", *line.folder);
    AutoDelete = line.AutoDelete;
    const SpecExpansion keep = ExpandSpecList(line.keep.items, platform::SystemFileSystem());
    for (const SpecFile& file : keep.files) {
        KeepList.Add(file.path);
        kept_.Add(file.path, file.id);
    }
    missingKeeps_ = keep.unmatched;
    missingKeeps_.insert(missingKeeps_.end(), line.keep.cutOff.begin(), line.keep.cutOff.end());
    // A file named both to delete and to keep is kept.
    for (const SpecFile& file : ExpandSpecList(line.remove.items, platform::SystemFileSystem()).files) {
        if (!kept_.Keeps(file.path, file.id))
            DeleteList.Add(file.path);
    }
    SystemSupported = true;
}

void TBackupIkkuna::FormShow() {
    widgets::ShowColumnCaptions(*disks_, *files_, base::FinnishUI());
    // Opened while an unattended search still runs, the button keeps its Stop look.
    if (!Searching)
        run_.ShowIdle();
}

void TBackupIkkuna::FormActivate() {
    if (!SystemSupported)
        Close();
}

void TBackupIkkuna::Timer1Timer() {
    disks_->RefreshDrives();
    DiskListView1Change();
    if (!unusedMasks_.empty())
        SetText("Label1", UnusedMasksText(unusedMasks_));
    RunFromCommandLine();
    started_ = true;
}

void TBackupIkkuna::RunFromCommandLine() {
    // Where the command line was not read there is no folder of the user's to search.
    if (arguments_.empty() || !SystemSupported)
        return;
    btnFindClick();
    if (!AutoDelete)
        return;
    // A file to keep that was not found may be one written otherwise: nothing is deleted without it.
    if (!missingKeeps_.empty()) {
        SetText("Label1", KeepNotFoundStatusText());
        widgets::AppDialogs().Message(KeepNotFoundText(missingKeeps_), widgets::MessageKind::Warning,
                                      widgets::MessageButtons::Ok);
        return;
    }
    btnSelectAllClick();
    btnDeleteClick();
    Close();
}

void TBackupIkkuna::DiskListView1Change() {
    SetCaption(CaptionText(disks_->GetSelectedDrives()));
}

void TBackupIkkuna::UseFinnishTexts() {
    ApplyTexts(kFinnish);
    widgets::ShowColumnCaptions(*disks_, *files_, true);
    // Once the drives are listed the caption names them; the plain Finnish title would drop them.
    if (started_)
        SetCaption(CaptionText(disks_->GetSelectedDrives(), true));
}

SearchRules TBackupIkkuna::Rules() const {
    SearchRules rules;
    rules.masks = (ExtraFiles ? ExtraFilesToFind : FilesToFind).Texts();
    rules.IgnoreAttributes = IgnoreAttributes;
    rules.IgnoreZeroLengthFiles = IgnoreZeroLengthFiles;
    rules.AvoidTheseFiles = AvoidTheseFiles.Texts();
    rules.Keep = kept_;
    return rules;
}

void TBackupIkkuna::btnFindClick() {
    if (run_.Running()) {
        run_.AskToStop();
        return;
    }
    // An error inside the walk still leaves the window idle, with the rows found so far and their total.
    widgets::RunningScope running(run_, [this](bool) { FinishSearch(); });
    SetText("Label1", SearchingText());
    SetText("lblSize", "");
    files_->Clear();
    SetHint("FileListView1", "");
    listed_.Clear();
    Tally = JunkTally{};
    for (const auto& entry : DeleteList)
        AddFoundFile(entry.text);
    files_->Sort();
    StopRequested = false;
    IgnoreAttributes = 0;
    SearchDrives();
}

void TBackupIkkuna::SearchDrives() {
    const std::string folder = NormalisedFolderText(Text("edtDirectory"));
    SetText("edtDirectory", folder);
    IgnoreAttributes = IgnoreAttributesOf(IgnoreReadOnlyFiles, IgnoreHiddenFiles, IgnoreSystemFiles);
    const SearchRules rules = Rules();
    const JunkSearch search(platform::SystemFileSystem(), order_);
    // The walk lists each folder once and gives way here once per folder.
    const FolderProgress progress = [this](const std::string& searched) {
        SetText("StatusBar1", SearchingFolderText(searched));
        widgets::ProcessMessages();
        return !StopRequested;
    };
    for (const char letter : disks_->GetSelectedDrives()) {
        search.SearchFolder(FolderOnDrive(letter, folder), rules, progress,
                            [this](const FoundFile& file) { AddFoundFile(file.path); });
        files_->Sort();
    }
}

void TBackupIkkuna::AddFoundFile(const std::string& path) {
    // A path from the command line that a mask also finds is listed once.
    if (!listed_.Add(path))
        return;
    uint64_t size = 0;
    if (!files_->AddFile(path, size))
        return;
    Tally.Add(size);
    SetText("lblSize", TotalSizeText(Tally.TotalKB));
}

void TBackupIkkuna::FinishSearch() {
    SetEnabled("btnDelete", false);
    SetEnabled("btnSelectAll", files_->Count() >= 2);
    if (Tally.FoundCount != 0 && files_->Count() > 0) {
        SetText("lblSize", TotalSizeText(Tally.TotalKB));
        SetText("Label1", FoundText(Tally.FoundCount));
        SetText("StatusBar1", unusedMasks_.empty() ? "" : UnusedMasksText(unusedMasks_));
    } else {
        SetText("Label1", NoFilesFoundText());
        SetText("StatusBar1", unusedMasks_.empty() ? NoFilesFoundText() : UnusedMasksText(unusedMasks_));
        SetEnabled("btnSelectAll", false);
        SetText("lblSize", "");
    }
}

void TBackupIkkuna::btnExitClick() {
    StopRequested = true;
    Close();
}

void TBackupIkkuna::FileListView1Click() {
    const HWND list = files_->Handle();
    if (!Searching)
        SetEnabled("btnDelete", ListView_GetSelectedCount(list) > 0);
    if (const int first = ListView_GetNextItem(list, -1, LVNI_SELECTED); first >= 0)
        SetHint("FileListView1", std::string(base::Trimmed(files_->Text(first))));
}

void TBackupIkkuna::btnSelectAllClick() {
    files_->BeginUpdate();
    files_->SetSelected(-1, true);
    files_->EndUpdate();
    SetEnabled("btnDelete", ListView_GetSelectedCount(files_->Handle()) > 0);
}

void TBackupIkkuna::btnDeleteMouseMove() {
    SetHint("btnDelete", DeleteHintText(UseRecycleBin));
}

void TBackupIkkuna::btnDeleteClick() {
    if (Searching)
        return;
    std::vector<JunkRow> rows;
    for (int row = 0; row < files_->Count(); ++row) {
        const int64_t size = fs::SizeOfText(files_->Text(row, fs::kSizeColumn));
        rows.push_back({files_->Text(row), static_cast<uint64_t>(size < 0 ? 0 : size), files_->IsSelected(row)});
    }
    const auto method = UseRecycleBin ? fs::DeleteMethod::RecycleBin : fs::DeleteMethod::Permanent;
    const RowsDeleted deleted =
        DeleteChosenRows(platform::SystemFileOps(), rows, method, Tally, [](const fs::DeleteOutcome& refused) {
            widgets::AppDialogs().Message(UnableToDeleteText(refused.path, refused.reason.text),
                                          widgets::MessageKind::Warning, widgets::MessageButtons::Ignore);
        });
    files_->BeginUpdate();
    for (const int row : deleted.removedRows)
        files_->DeleteRow(row);
    files_->EndUpdate();
    UpdateAfterDelete();
    if (!deleted.leftInPlace.empty())
        widgets::AppDialogs().Message(fs::LeftInPlaceText(deleted.leftInPlace), widgets::MessageKind::Warning,
                                      widgets::MessageButtons::Ok);
}

void TBackupIkkuna::UpdateAfterDelete() {
    const int left = files_->Count();
    if (left == 0) {
        SetText("Label1", NoFilesFoundText());
        SetEnabled("btnDelete", false);
        SetText("lblSize", "");
    } else {
        SetText("lblSize", TotalSizeText(Tally.TotalKB));
        SetText("Label1", FoundAfterDeleteText(left));
    }
    SetEnabled("btnSelectAll", left >= 2);
}

}  // namespace unnecessary
