#include "duplicates/collection.h"

#include <algorithm>

#include "base/text_case.h"
#include "base/texts.h"
#include "duplicates/search_folders.h"
#include "fs/mask_match.h"

namespace duplicates {
namespace {

bool IsDesktopIni(std::string_view name) {
    return base::LowerCase(name) == "desktop.ini";
}

std::string ScanningText(ScanMode mode) {
    switch (mode) {
        case ScanMode::Master:
            return base::Tx("Scanning master folders....", "Tutkitaan isäntä kansioita....");
        case ScanMode::Filtered:
            return base::Tx("Scanning filtered folders....", "Tutkitaan filteröityjä kansioita....");
        case ScanMode::Normal:
            break;
    }
    return base::Tx("Scanning folders....", "Tutkitaan kansioita....");
}

// The scanner's handlers refer to this search's locals: they are unbound however the search ends.
class HandlerScope {
  public:
    explicit HandlerScope(fs::TTreeScanner& scanner) : scanner_(scanner) {}
    ~HandlerScope() {
        scanner_.OnDirectoryFound = nullptr;
        scanner_.OnFileFound = nullptr;
        scanner_.OnDirectoryDone = nullptr;
        scanner_.Yield = nullptr;
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    fs::TTreeScanner& scanner_;
};

}  // namespace

CandidateCollector::CandidateCollector(const SearchSwitches& switches,
                                       std::vector<std::string> skipFolders,
                                       const TextSet& knownDuplicates,
                                       const platform::FileSystem& fileSystem,
                                       SearchView& view,
                                       const base::TextOrder& order,
                                       bool desktopIniReported)
    : switches_(switches),
      skipFolders_(std::move(skipFolders)),
      knownDuplicates_(knownDuplicates),
      fileSystem_(fileSystem),
      view_(view),
      order_(order),
      desktopIniReported_(desktopIniReported),
      masterKeys_(OrderLess{&order_}) {}

bool CandidateCollector::TreeScanner1DirectoryFound(std::string_view folder) {
    FlushFolder();
    std::string path(base::Trimmed(folder));
    collection_.Folders.push_back(path);
    folderIndex_ = static_cast<int>(collection_.Folders.size()) - 1;
    const bool skipBelow = DecideSkip(path);
    view_.SetPanel(4, skipThisFolder_ ? "Skipping " + path : path);
    return !skipBelow;
}

bool CandidateCollector::DecideSkip(const std::string& folder) {
    skipThisFolder_ = switches_.SkipSysbckupFolder && base::UpperCase(folder).find("\\SYSBCKUP\\") != std::string::npos;
    if (!skipThisFolder_) {
        const std::string lower = base::LowerCase(folder);
        skipThisFolder_ = std::any_of(skipFolders_.begin(), skipFolders_.end(),
                                      [&](const std::string& entry) { return lower.find(entry) != std::string::npos; });
    }
    if (skipThisFolder_)
        return true;
    if (switches_.SkipDesktopFolders && !desktopIniReported_) {
        const auto entry = fileSystem_.FindEntry(folder + "desktop.ini");
        skipThisFolder_ = entry && !(entry->attributes & platform::attr::kDirectory);
    }
    return false;
}

void CandidateCollector::TreeScanner1FileFound(std::string_view path, const platform::DirEntry& entry) {
    if (skipThisFolder_ || folderIndex_ < 0)
        return;
    if (switches_.SkipDesktopFolders && desktopIniReported_ && IsDesktopIni(entry.name))
        pendingHasDesktopIni_ = true;
    if (!knownDuplicates_.empty() && knownDuplicates_.count(std::string(path)) > 0)
        return;
    const std::string lowerName = base::LowerCase(entry.name);
    if (lowerName == "mm256.dat" || lowerName == "mm2048.dat")
        return;
    if (entry.size == 0 && switches_.SkipEmptyFiles)
        return;
    std::string key = switches_.CheckFileSize ? SizeKey(entry.size) : NameKey(entry.name);
    if (scanMode == ScanMode::Master)
        masterKeys_.insert(key);
    else if (scanMode == ScanMode::Filtered && !IsMasterKey(key))
        return;
    Candidate candidate;
    candidate.key = std::move(key);
    candidate.name = entry.name;
    candidate.folderIndex = folderIndex_;
    candidate.size = entry.size;
    candidate.writeTime = entry.writeTime;
    candidate.attributes = entry.attributes;
    candidate.id = entry.id;
    pending_.push_back(std::move(candidate));
}

bool CandidateCollector::IsMasterKey(const std::string& key) const {
    return masterKeys_.count(key) > 0;
}

void CandidateCollector::TreeScanner1DirectoryDone() {
    FlushFolder();
}

void CandidateCollector::FlushFolder() {
    if (!pendingHasDesktopIni_) {
        for (Candidate& candidate : pending_)
            collection_.Candidates.push_back(std::move(candidate));
    }
    pending_.clear();
    pendingHasDesktopIni_ = false;
}

Collection CandidateCollector::Take() {
    FlushFolder();
    SortCandidates(collection_.Candidates, switches_.CheckFileSize, order_);
    return std::move(collection_);
}

Collection Find_files_to_compare(SearchInputs& inputs,
                                 const SearchSwitches& switches,
                                 const TextSet& knownDuplicates,
                                 fs::TTreeScanner& scanner,
                                 const platform::FileSystem& fileSystem,
                                 SearchView& view,
                                 ResultRows& rows,
                                 const base::TextOrder& order) {
    view.SetPanel(2, base::Tx("Bytes:", "Tavuja:"));
    view.SetPanel(3, base::Tx("Files:", "Tiedostoja:"));
    rows.Clear();

    FoldersToSearch folders = NormaliseFoldersToSearch(inputs.rootDirText, order);
    for (const std::string& notice : folders.notices)
        view.ShowNotice(notice);
    inputs.rootDirText = folders.commaText;
    SkipFolderList skip = NormaliseSkipFolders(inputs.skipFolderText, order);
    inputs.skipFolderText = skip.commaText;
    if (inputs.fileMaskText.empty())
        inputs.fileMaskText = "*.*";
    scanner.SetFileMaskCommaText(inputs.fileMaskText);
    inputs.fileMaskText = scanner.FileMaskCommaText();

    scanner.FindHiddenFiles = true;
    scanner.FindHiddenFolders = false;
    scanner.Recursive = true;
    std::vector<fs::Mask> masks;
    for (const auto& mask : scanner.Masks())
        masks.emplace_back(mask.text);
    CandidateCollector collector(switches, std::move(skip.folders), knownDuplicates, fileSystem, view, order,
                                 fs::MatchesAnyMask("desktop.ini", masks));
    scanner.OnDirectoryFound = [&](fs::TTreeScanner& s) {
        s.EnterDirectory = collector.TreeScanner1DirectoryFound(s.FileFound());
    };
    scanner.OnFileFound = [&](fs::TTreeScanner& s) { collector.TreeScanner1FileFound(s.FileFound(), s.Entry()); };
    scanner.OnDirectoryDone = [&](fs::TTreeScanner&) { collector.TreeScanner1DirectoryDone(); };
    scanner.Yield = [&] {
        view.ProcessMessages();
        if (!view.KeepGoing())
            scanner.KeepScanning = false;
    };
    const HandlerScope handlers(scanner);

    bool stopped = false;
    bool masterWalked = false;
    for (const char letter : inputs.drives) {
        const std::string drive = std::string(1, letter) + ":";
        collector.scanMode = masterWalked ? ScanMode::Filtered : ScanMode::Normal;
        if (switches.FloppyIsMaster && base::UpperCase(drive) == "A:") {
            collector.scanMode = ScanMode::Master;
            masterWalked = true;
        }
        view.SetPanel(1, ScanningText(collector.scanMode));
        for (const std::string& folder : folders.folders) {
            if (!view.KeepGoing())
                break;
            scanner.SetInitialDirectory(drive + folder);
            scanner.StartSearch();
            // A stop at the scanner's yield ends the walk; the scanner tells nobody else.
            if (!view.KeepGoing() || !scanner.KeepScanning)
                stopped = true;
        }
        if (!view.KeepGoing()) {
            stopped = true;
            break;
        }
    }
    view.SetPanel(1, "");
    view.SetPanel(4, "");
    Collection collection = collector.Take();
    collection.scanStopped = stopped;
    return collection;
}

}  // namespace duplicates
