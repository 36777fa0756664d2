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

TTreeScanner::TTreeScanner(const platform::FileSystem& fileSystem, base::TextOrder order)
    : fileSystem_(fileSystem), order_(std::move(order)), masks_(order_, base::Repeats::Drop) {}

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
        fileSize_ = 0;
        if (initialDirectory_.empty())
            initialDirectory_ = fileSystem_.CurrentDirectory();
        if (!EndsWithSeparator(initialDirectory_))
            initialDirectory_ += '\\';
        KeepScanning = true;
        WalkFolder(initialDirectory_);
    }
    Fire(OnSearchDone);
}

void TTreeScanner::WalkFolder(const std::string& folder) {
    // Once stopped there is nothing to wait for: the remaining folders are passed over at once.
    if (KeepScanning && Yield)
        Yield();
    if (!KeepScanning)
        return;

    fileSize_ = 0;
    fileFound_ = folder;
    Fire(OnDirectoryFound);

    // One listing serves both the subfolders and every mask.
    std::vector<std::string> subfolders;
    std::vector<FoundFile> files;
    const uint32_t hiddenFolder = FindHiddenFolders ? 0 : attr::kHidden;
    const uint32_t hiddenFile = FindHiddenFiles ? 0 : attr::kHidden;
    fileSystem_.ForEachEntry(folder, [&](const DirEntry& entry) {
        const uint32_t a = entry.attributes;
        if (a & attr::kDirectory) {
            if (a & (attr::kSystem | attr::kVolumeLabel | attr::kReparsePoint | hiddenFolder))
                return;
            if (entry.name == "." || entry.name == "..")
                return;
            subfolders.push_back(entry.name + '\\');
            return;
        }
        if (a & (attr::kVolumeLabel | hiddenFile))
            return;
        if (MatchesAnyMask(entry.name, compiled_))
            files.push_back({entry.name, entry.size});
    });

    // Stable, so two names the order calls equal (case-only twins on a case-sensitive volume) are both
    // kept, in listing order.
    std::stable_sort(files.begin(), files.end(),
                     [this](const FoundFile& a, const FoundFile& b) { return order_(a.name, b.name) < 0; });
    std::stable_sort(subfolders.begin(), subfolders.end(),
                     [this](const std::string& a, const std::string& b) { return order_(a, b) < 0; });

    for (const FoundFile& file : files) {
        fileFound_.assign(folder).append(file.name);
        fileSize_ = file.size;
        Fire(OnFileFound);
    }
    fileSize_ = 0;
    std::vector<FoundFile>().swap(files);  // only the subfolder lists of the current path stay held

    for (const std::string& name : subfolders) {
        const std::string path = folder + name;
        if (Recursive) {
            WalkFolder(path);
        } else {
            fileFound_ = path;
            Fire(OnDirectoryFound);
        }
    }
    Fire(OnDirectoryDone);
}

}  // namespace fs
