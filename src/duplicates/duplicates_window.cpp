#include "duplicates/duplicates_window.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "base/text_case.h"
#include "base/texts.h"
#include "duplicates/last_copy_guard.h"
#include "duplicates/list_files.h"
#include "fs/delete_selected.h"
#include "fs/file_rows.h"
#include "fs/tree_scanner.h"
#include "platform/file_ops.h"
#include "platform/file_reader.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/program_folder.h"
#include "settings/keys.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "widgets/file_tool_lists.h"
#include "widgets/settings_on_destroy.h"
#include "widgets/stock_pictures.h"

namespace duplicates {
namespace {

using widgets::Kind;

constexpr int kDisksId = 4101;
constexpr int kFilesId = 4102;
constexpr char kSkipHint[] =
    "Comma separated list of folders not to search, e.g. Vireo, \"Program Files\" (folders with blanks in their "
    "names need quotes)";

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name                 kind                 place (96-DPI px)     caption     hint
    {"Bevel1",              Kind::Bevel,         {0, 0, 617, 460}},
    {"DiskListView1",       Kind::Custom,        {8, 8, 170, 140}},
    {"Label2",              Kind::Label,         {188, 12, 40, 16},    "Find: "},
    {"edtFileMask",         Kind::Edit,          {232, 8, 200, 21},    "*.*",      "Enter a mask of files to find, e.g. *.* (comma separated list allowed, enclose spaces in quotes)"},
    {"Label1",              Kind::Label,         {188, 38, 40, 16},    "Skip: "},
    {"edtSkipFolder",       Kind::Edit,          {232, 34, 200, 21},   "",         kSkipHint},
    {"edtRootDir",          Kind::Edit,          {232, 60, 200, 21},   "\\",       "",        nullptr, 0, widgets::kHidden},
    {"Search",              Kind::PictureButton, {448, 8, 75, 25},     "&Find",    "Start searching with selected options"},
    {"CloseNappi",          Kind::PictureButton, {530, 8, 75, 25},     "&Close",   "Close"},
    {"btnDelete",           Kind::PictureButton, {448, 40, 75, 25},    "&Delete",  "Delete the selected file", nullptr, 0, widgets::kDisabled},
    {"Label3",              Kind::Label,         {188, 128, 0, 0},     "Status:"},
    {"lblFileListCaption",  Kind::Label,         {240, 128, 360, 16},  ""},
    {"FileListView1",       Kind::Custom,        {8, 156, 601, 278}},
    {"StatusBar1",          Kind::StatusBar,     {0, 440, 617, 20}},
    {"Progress",            Kind::ProgressBar,   {0, 0, 10, 10},       "",         "",        nullptr, 0, widgets::kHidden},
    {"Etsi",                Kind::PictureButton, {448, 72, 75, 25},    "&Find",    "",        nullptr, 0, widgets::kHidden},
    {"Stoppaa",             Kind::PictureButton, {530, 72, 75, 25},    "&Stop",    "",        nullptr, 0, widgets::kHidden | widgets::kDisabled},
};

constexpr widgets::TextSpec kFinnish[] = {
    {"",              "Duplikaatit"},
    {"Label3",        "Tila:"},
    {"Label2",        "Etsi:"},
    {"Label1",        "Ohita:"},
    {"edtFileMask",   nullptr, "Mitä tiedostoja etsitään, esim. *.* (pilkulla eritelty lista sallittu)"},
    {"edtSkipFolder", nullptr, "Pilkulla eritelty lista kansioista joita ei tutkita, esim. Vireo, \"Program Files\" (kansiot joiden nimissä on välejä tarvitsevat lainausmerkit)"},
    {"CloseNappi",    "&Sulje",  "Sulje"},
    {"btnDelete",     "&Poista", "Poista valittu tiedosto"},
    {"Search",        "&Etsi",   "Aloita etsiminen valituilla asetuksilla"},
};
// clang-format on

constexpr widgets::RunButtonSpec kFindButton{
    "Search",
    "Etsi",
    "Stoppaa",
    {"&Find", "&Etsi"},
    {"Start searching with selected options", "Aloita etsiminen valituilla asetuksilla"},
    {"&Stop", "&Pysäytä"},
    {"Stop searching", "Pysäytä etsiminen"},
};

constexpr std::pair<const char*, widgets::Stock> kPictures[] = {
    {"Etsi", widgets::Stock::Find},        {"Stoppaa", widgets::Stock::Stop},     {"Search", widgets::Stock::Find},
    {"btnDelete", widgets::Stock::Delete}, {"CloseNappi", widgets::Stock::Close},
};

bool IsHeaderOrBlank(const std::string& caption) {
    return caption.empty() || caption == "Duplicate files....." || caption == "Duplikaatti tiedostot.....";
}

// The hourglass while the result list is emptied or measured, both slow on a long list.
class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
};

}  // namespace

// The status bar, the list caption and the progress bar as the search sees them.
class TKaksoisIkkuna::View : public SearchView {
  public:
    View(TKaksoisIkkuna& window, bool& stop) : window_(window), stop_(stop) {}

    void SetPanel(int panel, const std::string& text) override {
        countersShown_ = countersShown_ || panel == 2 || panel == 3;
        widgets::StatusBar(window_, "StatusBar1").SetPanelText(panel - 1, text);
    }
    // The counters' labels before any search or reload, in the language in use at the showing.
    void ShowCounterLabels() {
        if (countersShown_)
            return;
        widgets::StatusBar status(window_, "StatusBar1");
        status.SetPanelText(1, base::Tx("Bytes:", "Tavuja:"));
        status.SetPanelText(2, base::Tx("Files:", "Tiedostoja:"));
    }
    void SetListCaption(const std::string& text) override { window_.SetText("lblFileListCaption", text); }
    void ShowNotice(const std::string& text) override {
        widgets::AppDialogs().Message(text, widgets::MessageKind::Information, widgets::MessageButtons::Ok);
    }
    void ShowProgress(int64_t maximum) override {
        widgets::StatusBar status(window_, "StatusBar1");
        RECT r = status.PanelRect(0);
        r.top += 2;
        window_.PlaceOver("Progress", r);
        SetProgressMaximum(maximum);
        SetProgress(0);
        window_.SetVisible("Progress", true);
    }
    void SetProgressMaximum(int64_t maximum) override {
        // The bar counts in ints; a longer run moves it in proportion.
        scale_ = maximum > kBarLimit ? maximum / kBarLimit + 1 : 1;
        widgets::ProgressBar(window_, "Progress").SetRange(0, static_cast<int>(maximum / scale_));
    }
    void SetProgress(int64_t position) override {
        widgets::ProgressBar(window_, "Progress").SetPosition(static_cast<int>(position / scale_));
    }
    void HideProgress() override {
        widgets::ProgressBar(window_, "Progress").SetPosition(0);
        window_.SetVisible("Progress", false);
    }
    void ProcessMessages() override { widgets::ProcessMessages(); }
    bool KeepGoing() const override { return !stop_; }

  private:
    static constexpr int64_t kBarLimit = 1 << 30;
    TKaksoisIkkuna& window_;
    bool& stop_;
    int64_t scale_ = 1;
    bool countersShown_ = false;
};

// The result list as the comparison fills it.
class TKaksoisIkkuna::Rows : public ResultRows {
  public:
    explicit Rows(widgets::TFileListView& list) : list_(list) {}

    // Each search starts a list of its own, whose columns are fitted anew.
    void Clear() override {
        const WaitCursor wait;
        list_.Clear();
        fitted_ = false;
    }
    bool Empty() const override { return list_.Count() == 0; }
    void AddBlankRow() override { list_.AddRow(fs::RowTexts{}); }
    void AddHeaderRow(const std::string& caption) override {
        fs::RowTexts row{};
        row[0] = caption;
        list_.AddRow(row);
    }
    void AddFile(const FoundFile& file) override {
        uint64_t size = 0;
        list_.AddFile(file.path, size);
    }
    void RunCompared(uint64_t duplicateFiles) override {
        if (duplicateFiles > 0 && !fitted_) {
            FitColumns(list_);
            fitted_ = true;
        }
        InvalidateRect(list_.Handle(), nullptr, FALSE);
    }

    // At the end of a search, the rows listed after the first fit read whole too.
    void SearchEnded() {
        if (!Empty())
            FitColumns(list_);
    }

    // Every column as wide as its widest text or its header.
    static void FitColumns(widgets::TFileListView& list) {
        const WaitCursor wait;
        list.FitColumns();
    }

  private:
    widgets::TFileListView& list_;
    bool fitted_ = false;
};

std::span<const widgets::TextSpec> DuplicatesFinnishTexts() {
    return kFinnish;
}

TKaksoisIkkuna::TKaksoisIkkuna()
    : KnownDuplicates(OrderLess{&order_}),
      order_(platform::LocaleTextOrder()),
      run_(*this, kFindButton, running_, stop_) {
    Create({"Duplicate files", 617, 460, widgets::FrameStyle::Dialog});
    FormCreate();
}

TKaksoisIkkuna::~TKaksoisIkkuna() {
    if (files_->Count() > 0) {
        std::vector<ListRow> rows;
        for (int row = 0; row < files_->Count(); ++row)
            rows.push_back(files_->Row(row));
        // A list that cannot be written is lost without a word, as the program ends.
        SaveLists(rows, platform::SettingsFolder(), platform::SystemFileStore(), platform::SystemAnsiCodec());
    }
    widgets::WriteSettingsOnDestroy(settings_, platform::OptionsIniPath());
}

void TKaksoisIkkuna::FormCreate() {
    CreateControls(kControls);
    SetHelpTopic(kHelpTopic);
    widgets::MarkStatusLabel(*this, "Label3");
    std::tie(disks_, files_) = widgets::MakeFileToolLists(*this, kDisksId, kFilesId);
    disks_->OnChange = [this](const NMLISTVIEW&) { DiskListView1Change(); };
    files_->OnClick = [this](const NMITEMACTIVATE&) { FileListView1Click(); };

    view_ = std::make_unique<View>(*this, stop_);
    rows_ = std::make_unique<Rows>(*files_);
    comparison_ =
        std::make_unique<Comparison>(CompareContext{platform::SystemFileReader(), *view_, *rows_, order_,
                                                    platform::SystemFormatSettings(), platform::LocalDateTimeOf});

    widgets::StatusBar(*this, "StatusBar1").SetPanels({150, 110, 85, -1});
    view_->ShowCounterLabels();
    widgets::SetStockPictures(*this, kPictures);
    SetTabOrder(
        {"DiskListView1", "edtFileMask", "edtSkipFolder", "Search", "btnDelete", "CloseNappi", "FileListView1"});

    run_.SetInputs({"btnDelete"});
    run_.OnStart([this] { SearchClick(); });
    OnClick("CloseNappi", [this] { CloseNappiClick(); });
    OnClick("btnDelete", [this] { btnDeleteClick(); });
    OnMouseMove("btnDelete", [this] { btnDeleteMouseMove(); });
    OnFocusLost("edtFileMask", [this] { edtFileMaskExit(); });

    BindSettings();
    settings_.ReadAll(settings::SettingsFile(platform::OptionsIniPath()));
}

void TKaksoisIkkuna::BindSettings() {
    namespace keys = settings::keys;
    const auto control = [this](const settings::TextKey& key, const char* name) {
        settings_.Bind(
            key, [this, name] { return Text(name); }, [this, name](std::string v) { SetText(name, v); });
    };
    control(keys::kFoldersToIgnore, "edtSkipFolder");
    control(keys::kFileMask, "edtFileMask");
    control(keys::kRootFolder, "edtRootDir");
}

void TKaksoisIkkuna::UseFinnishTexts() {
    ApplyTexts(kFinnish);
    widgets::ShowColumnCaptions(*disks_, *files_, true);
    widgets::StatusBar status(*this, "StatusBar1");
    status.SetPanelText(1, "Tavuja:");
    status.SetPanelText(2, "Tiedostoja:");
}

void TKaksoisIkkuna::FormShow() {
    widgets::ShowColumnCaptions(*disks_, *files_, base::FinnishUI());
    view_->ShowCounterLabels();
    run_.ShowIdle();
    if (shown_)
        return;
    shown_ = true;
    // The questions wait until the window is on the screen.
    StartTimer(100, false, [this] { Timer1Timer(); });
}

bool TKaksoisIkkuna::Intercept(const widgets::Message& m, LRESULT& /*result*/) {
    // The result list's selection changes, by mouse or keyboard, decide whether Delete may be pressed.
    if (m.id != WM_NOTIFY || !files_)
        return false;
    const auto& header = *reinterpret_cast<const NMHDR*>(m.lParam);
    if (header.hwndFrom != files_->Handle() || header.code != LVN_ITEMCHANGED)
        return false;
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(m.lParam);
    if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)
        FileListView1Change();
    return false;
}

void TKaksoisIkkuna::Timer1Timer() {
    const std::string folder = platform::SettingsFolder();
    if (AskToReload(folder + kSkipListName, true))
        ReloadSkipList(folder);
    if (AskToReload(folder + kDuplicateListName, false))
        ReloadDuplicateList(folder + kDuplicateListName);
    disks_->RefreshDrives();
    Update_caption();
    firstShowingDone_ = true;
}

bool TKaksoisIkkuna::AskToReload(const std::string& path, bool skipList) const {
    const auto written = ListFileWriteTime(platform::SystemFileSystem(), path);
    if (!written)
        return false;
    const auto local = platform::LocalDateTimeOf(*written);
    const std::string date = local ? PreviousRunText(*local, platform::SystemFormatSettings()) : std::string();
    const Question question = skipList ? SkipListQuestion(date) : DuplicateListQuestion(date);
    return widgets::AppDialogs().Message(question.text, widgets::MessageKind::Confirmation,
                                         widgets::MessageButtons::YesNo) == IDYES;
}

void TKaksoisIkkuna::ReloadSkipList(const std::string& folder) {
    const auto paths = ReadSkipList(folder, platform::SystemFileStore(), platform::SystemAnsiCodec());
    if (!paths)
        return;
    KnownDuplicates.clear();
    for (const std::string& path : *paths) {
        if (KnownDuplicates.find(path) == KnownDuplicates.end())
            KnownDuplicates.insert(path);
    }
}

void TKaksoisIkkuna::ReloadDuplicateList(const std::string& path) {
    const ListFileLines file = ReadListFile(path, platform::SystemFileStore(), platform::SystemAnsiCodec());
    if (file.status == ListFileStatus::Unreadable) {
        widgets::AppDialogs().Message(UnreadableListText(path), widgets::MessageKind::Warning,
                                      widgets::MessageButtons::Ok);
        return;
    }
    if (file.lines.empty())
        return;
    view_->ShowProgress(static_cast<int64_t>(file.lines.size()) - 1);
    const WaitCursor wait;
    files_->BeginUpdate();
    const ReloadedList reloaded =
        RowsFromListLines(file.lines, [this](size_t line) { view_->SetProgress(static_cast<int64_t>(line)); });
    for (const ListRow& row : reloaded.rows)
        files_->AddRow(row);
    Rows::FitColumns(*files_);
    files_->EndUpdate();
    view_->HideProgress();
    auto& counters = comparison_->Counters();
    counters.DuplicateFiles += static_cast<uint64_t>(std::max<int64_t>(0, reloaded.duplicateFiles));
    counters.DuplicateBytes += static_cast<uint64_t>(std::max<int64_t>(0, reloaded.duplicateBytes));
    view_->SetPanel(1, ReloadedPanelText());
    SetText("lblFileListCaption", ReloadedCaptionText());
    comparison_->Update_compare_display();
}

void TKaksoisIkkuna::Update_caption() {
    std::string caption =
        base::Tx("Duplicate files ", "Duplikaatit ") + Text("edtFileMask") + base::Tx(" at ", " asemilta ");
    for (const char letter : disks_->GetSelectedDrives())
        caption += std::string(1, letter) + ": ";
    SetCaption(caption);
}

void TKaksoisIkkuna::SearchClick() {
    if (run_.Running()) {
        run_.AskToStop();
        return;
    }
    widgets::RunningScope running(run_, [this](bool) { rows_->SearchEnded(); });
    SetText("lblFileListCaption", base::Tx("Searching...", "Etsitään..."));
    SetHint("FileListView1", "");
    SetEnabled("btnDelete", false);
    stop_ = false;

    SearchInputs inputs;
    inputs.rootDirText = Text("edtRootDir");
    inputs.skipFolderText = Text("edtSkipFolder");
    inputs.fileMaskText = Text("edtFileMask");
    inputs.drives = disks_->GetSelectedDrives();
    if (FloppyIsMasterChoice)
        Switches.FloppyIsMaster = FloppyIsMasterChoice();
    fs::TTreeScanner scanner(platform::SystemFileSystem(), order_);
    Collection collection = Find_files_to_compare(inputs, Switches, KnownDuplicates, scanner,
                                                  platform::SystemFileSystem(), *view_, *rows_, order_);
    SetText("edtRootDir", inputs.rootDirText);
    SetText("edtSkipFolder", inputs.skipFolderText);
    SetText("edtFileMask", inputs.fileMaskText);
    Update_caption();
    comparison_->Compare_files(collection, Switches);
}

void TKaksoisIkkuna::CloseNappiClick() {
    Close();
}

void TKaksoisIkkuna::edtFileMaskExit() {
    Update_caption();
}

void TKaksoisIkkuna::DiskListView1Change() {
    Update_caption();
}

void TKaksoisIkkuna::FileListView1Change() {
    const auto selected = files_->SelectedRows();
    const bool fileRow =
        !selected.empty() && !IsHeaderOrBlank(files_->Text(selected.front())) && GetFocus() == files_->Handle();
    SetEnabled("btnDelete", fileRow && !running_);
}

void TKaksoisIkkuna::FileListView1Click() {
    SetHint("FileListView1", Parse_list_view());
    FileListView1Change();
}

std::string TKaksoisIkkuna::Parse_list_view() const {
    const auto selected = files_->SelectedRows();
    if (selected.empty())
        return {};
    const std::string caption = std::string(base::Trimmed(files_->Text(selected.front())));
    if (IsHeaderOrBlank(caption) || caption.find(HeaderCaption()) != std::string::npos)
        return {};
    return caption;
}

void TKaksoisIkkuna::btnDeleteMouseMove() {
    SetHint("btnDelete",
            UseRecycleBin ? base::Tx("Deletes selected file to a recycle bin", "Poistaa valitun tiedoston roskakoriin")
                          : base::Tx("Deletes selected file PERMANENTLY", "Poistaa valitun tiedoston PYSYVÄSTI"));
}

std::vector<std::string> TKaksoisIkkuna::Captions() const {
    std::vector<std::string> captions;
    for (int row = 0; row < files_->Count(); ++row)
        captions.push_back(files_->Text(row));
    return captions;
}

void TKaksoisIkkuna::DeleteRow(int row) {
    auto& bytes = comparison_->Counters().DuplicateBytes;
    bytes -= std::min<uint64_t>(
        bytes, static_cast<uint64_t>(std::max<int64_t>(0, fs::SizeOfText(files_->Text(row, fs::kSizeColumn)))));
    files_->DeleteRow(row);
}

void TKaksoisIkkuna::btnDeleteClick() {
    const auto selected = files_->SelectedRows();
    if (selected.empty() || IsHeaderOrBlank(files_->Text(selected.front())))
        return;
    const int first = selected.front();
    const std::vector<std::string> captions = Captions();

    // Rows from the last to the first; a file whose group keeps no other identical copy stays.
    std::vector<std::string> paths;
    std::vector<int> rows;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const std::string& path = captions[static_cast<size_t>(*it)];
        if (const auto reason = ReasonToKeep(platform::SystemFileReader(), path,
                                             GroupPathsAround(captions, static_cast<size_t>(*it)))) {
            widgets::AppDialogs().Message(*reason, widgets::MessageKind::Warning, widgets::MessageButtons::Ok);
            continue;
        }
        paths.push_back(path);
        rows.push_back(*it);
    }
    if (paths.empty())
        return;

    const auto method = UseRecycleBin ? fs::DeleteMethod::RecycleBin : fs::DeleteMethod::Permanent;
    const auto outcomes = fs::DeleteSelected(platform::SystemFileOps(), paths, method, [&](const fs::DeleteOutcome& o) {
        if (method == fs::DeleteMethod::Permanent && o.result != fs::DeleteResult::Gone)
            widgets::AppDialogs().Message(
                base::Tx("Unable to delete the file: \n\n", "Tiedostoa ei pystytä poistamaan: \n\n") + o.path +
                    base::Tx("\n\nPerhaps this file is in use, or is write-protected?",
                             "\n\nEhkä se on käytössä, tai se on kirjoitussuojattu?"),
                widgets::MessageKind::Warning, widgets::MessageButtons::Ignore);
    });
    // Rows are removed from the last, so the earlier indexes hold. A file that could not be deleted keeps its
    // row, so the list never hides a file that is still there.
    bool deleted = false;
    for (size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i].result == fs::DeleteResult::Gone) {
            DeleteRow(rows[i]);
            deleted = true;
        }
    }
    if (files_->Count() == 0)
        SetEnabled("btnDelete", false);
    std::vector<fs::DeleteOutcome> leftInPlace;
    for (const auto& outcome : outcomes) {
        if (method == fs::DeleteMethod::RecycleBin && outcome.result != fs::DeleteResult::Gone)
            leftInPlace.push_back(outcome);
    }
    if (!leftInPlace.empty())
        widgets::AppDialogs().Message(fs::LeftInPlaceText(leftInPlace), widgets::MessageKind::Warning,
                                      widgets::MessageButtons::Ok);
    if (!deleted)
        return;
    Tidy_file_list_after_delete(first);
    if (comparison_->Counters().DuplicateFiles > 0)
        --comparison_->Counters().DuplicateFiles;
    comparison_->Update_compare_display();
}

void TKaksoisIkkuna::Tidy_file_list_after_delete(int selected) {
    const auto isFileRow = [this](int row) {
        const std::string caption = files_->Text(row);
        return IsFilePathCaption(caption) && platform::SystemFileSystem().FindEntry(caption).has_value();
    };
    const int count = files_->Count();
    int last = selected;
    while (last < count && isFileRow(last))
        ++last;
    int first = selected;
    while (first > 0 && isFileRow(first - 1))
        --first;
    if (last - first != 1)
        return;
    // The header row, the one file left, and the blank row after the group; the last group of the list
    // takes the blank row before it, so that no blank row is left at the end.
    const bool blankAfter = last < count && files_->Text(last).empty();
    const int header = first > 0 && !files_->Text(first - 1).empty() && !IsFilePathCaption(files_->Text(first - 1))
                           ? first - 1
                           : first;
    const bool blankBefore = !blankAfter && last == count && header > 0 && files_->Text(header - 1).empty();
    const int begin = blankBefore ? header - 1 : header;
    const int end = blankAfter ? last + 1 : last;
    for (int row = end - 1; row >= begin; --row)
        files_->DeleteRow(row);
}

}  // namespace duplicates
