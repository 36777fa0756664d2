#include "fs/tree_scanner.h"

#include <algorithm>

#include "base/comma_text.h"

namespace fs {
namespace {

using platform::DirEntry;
namespace attr = platform::attr;

// Walking state that ends with the search even when a handler throws.
class SearchScope {
  public:
    explicit SearchScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~SearchScope() { flag_ = false; }
    SearchScope(const SearchScope&) = delete;
    SearchScope& operator=(const SearchScope&) = delete;

  private:
    bool& flag_;
};

bool EndsWithSeparator(std::string_view path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

}  // namespace

TTreeScanner::TTreeScanner(const platform::FileSystem& fileSystem) : TTreeScanner(fileSystem, fileSystem.NameOrder()) {}

TTreeScanner::TTreeScanner(const platform::FileSystem& fileSystem, base::TextOrder order)
    : fileSystem_(fileSystem), order_(std::move(order)), masks_(order_, base::Repeats::Drop) {
    if (const platform::KeyedTextOrder* keyed = platform::SortKeysOf(order_))
        keyedSort_.emplace(*keyed);
}

std::string TTreeScanner::FileMask() const {
    return masks_.Empty() ? std::string() : masks_.Text(0);
}

void TTreeScanner::SetFileMask(std::string_view mask) {
    if (searchInProgress_)
        return;
    masks_.Clear();
    if (!mask.empty())
        masks_.Add(std::string(mask));
    CompileMasks();
}

std::string TTreeScanner::FileMaskCommaText() const {
    return base::ToCommaText(masks_.Texts());
}

void TTreeScanner::SetFileMaskCommaText(std::string_view text) {
    if (searchInProgress_)
        return;
    masks_.Clear();
    masks_.AddAll(base::FromCommaText(text));
    CompileMasks();
}

void TTreeScanner::CompileMasks() {
    compiled_.clear();
    for (const auto& entry : masks_)
        compiled_.emplace_back(entry.text);
}

void TTreeScanner::Fire(const Event& event) {
    if (event)
        event(*this);
}

void TTreeScanner::StartSearch() {
    if (searchInProgress_)
        return;  // a handler calling back into a running walk
    {
        SearchScope scope(searchInProgress_);
        fileFound_.clear();
        directory_.clear();
        fileSize_ = 0;
        if (initialDirectory_.empty())
            initialDirectory_ = fileSystem_.CurrentDirectory();
        if (!EndsWithSeparator(initialDirectory_))
            initialDirectory_ += '\\';
        KeepScanning = true;
        Walk(fileSystem_.FindEntry(initialDirectory_).value_or(DirEntry()));
        entry_ = &none_;
    }
    Fire(OnSearchDone);
}

void TTreeScanner::Walk(DirEntry top) {
    stack_.clear();
    path_ = initialDirectory_;
    Enter(std::move(top));
    while (!stack_.empty()) {
        Frame& frame = stack_.back();
        if (frame.next < frame.subfolders.size()) {
            DirEntry folder = std::move(frame.subfolders[frame.next++]);
            path_.resize(frame.pathLength);
            path_.append(folder.name).append(1, '\\');
            Enter(std::move(folder));  // may grow the stack: frame is not used after this
        } else {
            Finish(frame);
            stack_.pop_back();
            entry_ = &none_;
        }
    }
}

bool TTreeScanner::Enter(DirEntry self) {
    // Once stopped there is nothing to wait for: the remaining folders are passed over at once.
    if (KeepScanning && Yield)
        Yield();
    if (!KeepScanning)
        return false;

    stack_.push_back(Frame{std::move(self), path_.size(), {}, 0});
    Frame& frame = stack_.back();
    fileSize_ = 0;
    fileFound_ = path_;
    directory_ = path_;
    entry_ = &frame.self;
    EnterDirectory = true;
    Fire(OnDirectoryFound);
    if (!EnterDirectory)
        return true;

    std::vector<DirEntry> files;
    ListFolder(frame, files);
    ReportFiles(files);
    fileSize_ = 0;
    entry_ = &frame.self;
    if (!Recursive) {
        ReportSubfoldersWithoutEntering(frame);
        frame.subfolders.clear();
    }
    return true;
}

void TTreeScanner::ListFolder(Frame& frame, std::vector<DirEntry>& files) {
    // One listing serves both the subfolders and every mask.
    const bool listed = fileSystem_.ForEachEntryOfListedFolder(path_, frame.self, [&](const DirEntry& entry) {
        if (entry.attributes & attr::kDirectory) {
            if (IsWalkedFolder(entry))
                frame.subfolders.push_back(entry);
        } else if (IsReportedFile(entry)) {
            files.push_back(entry);
        }
    });
    if (!listed) {
        fileFound_ = path_;
        Fire(OnDirectoryUnreadable);
    }
    SortByName(files);
    // Subfolders are ordered as their paths, which end with a backslash; that is not always the order of
    // the bare names ("a b" against "a").
    for (DirEntry& folder : frame.subfolders)
        folder.name += '\\';
    SortByName(frame.subfolders);
    for (DirEntry& folder : frame.subfolders)
        folder.name.pop_back();
}

void TTreeScanner::ReportFiles(const std::vector<DirEntry>& files) {
    for (const DirEntry& file : files) {
        fileFound_.assign(path_).append(file.name);
        fileSize_ = file.size;
        entry_ = &file;
        Fire(OnFileFound);
    }
}

void TTreeScanner::ReportSubfoldersWithoutEntering(const Frame& frame) {
    for (const DirEntry& folder : frame.subfolders) {
        fileFound_.assign(path_).append(folder.name).append(1, '\\');
        directory_ = fileFound_;
        entry_ = &folder;
        EnterDirectory = true;
        Fire(OnDirectoryFound);
    }
    entry_ = &frame.self;
}

void TTreeScanner::Finish(Frame& frame) {
    path_.resize(frame.pathLength);
    directory_ = path_;
    entry_ = &frame.self;
    Fire(OnDirectoryDone);
}

bool TTreeScanner::IsWalkedFolder(const DirEntry& entry) const {
    const uint32_t a = entry.attributes;
    if (a & attr::kVolumeLabel)
        return false;
    if ((a & attr::kSystem) && !EnterSystemFolders)
        return false;
    if ((a & attr::kHidden) && !FindHiddenFolders)
        return false;
    if (platform::IsNameSurrogate(entry))
        return false;
    return entry.name != "." && entry.name != "..";
}

bool TTreeScanner::IsReportedFile(const DirEntry& entry) const {
    if (entry.attributes & attr::kVolumeLabel)
        return false;
    if ((entry.attributes & attr::kHidden) && !FindHiddenFiles)
        return false;
    return MatchesAnyMask(entry.name, compiled_);
}

void TTreeScanner::SortByName(std::vector<DirEntry>& entries) {
    if (entries.size() < 2)
        return;
    if (keyedSort_) {
        names_.clear();
        for (const DirEntry& entry : entries)
            names_.emplace_back(entry.name);
        if (keyedSort_->Order(names_, sortedIndexes_)) {
            sorted_.clear();
            for (const size_t index : sortedIndexes_)
                sorted_.push_back(std::move(entries[index]));
            entries.swap(sorted_);
            return;
        }
    }
    // Stable, so two names the order calls equal (case-only twins on a case-sensitive volume) are both
    // kept, in listing order.
    std::stable_sort(entries.begin(), entries.end(),
                     [this](const DirEntry& a, const DirEntry& b) { return order_(a.name, b.name) < 0; });
}

}  // namespace fs
