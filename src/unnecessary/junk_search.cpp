#include "unnecessary/junk_search.h"

#include <algorithm>

#include "base/comma_text.h"
#include "fs/tree_scanner.h"

namespace unnecessary {
namespace {

// The folder as the status text names it: without its trailing backslash, except a drive root's.
std::string StatusFolder(const std::string& folder) {
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

bool IsAvoided(const std::string& name, const std::vector<std::string>& avoided) {
    return std::find(avoided.begin(), avoided.end(), name) != avoided.end();
}

}  // namespace

uint32_t IgnoreAttributesOf(bool ignoreReadOnly, bool ignoreHidden, bool ignoreSystem) {
    return (ignoreReadOnly ? platform::attr::kReadOnly : 0u) | (ignoreHidden ? platform::attr::kHidden : 0u) |
           (ignoreSystem ? platform::attr::kSystem : 0u);
}

JunkSearch::JunkSearch(const platform::FileSystem& fileSystem, base::TextOrder order)
    : fileSystem_(fileSystem), order_(std::move(order)) {}

bool JunkSearch::SearchFolder(const std::string& folder,
                              const SearchRules& rules,
                              const FolderProgress& progress,
                              const FileSink& found) const {
    fs::TTreeScanner scanner(fileSystem_, order_);
    scanner.SetFileMaskCommaText(base::ToCommaText(rules.masks));
    scanner.Recursive = true;
    // Every file and folder is looked at; the ignore rules below apply to files only.
    scanner.FindHiddenFiles = true;
    scanner.FindHiddenFolders = true;
    scanner.EnterSystemFolders = true;
    scanner.SetInitialDirectory(folder);

    bool stopped = false;
    scanner.OnDirectoryFound = [&](fs::TTreeScanner& s) {
        if (!stopped && progress && !progress(StatusFolder(s.FileFound())))
            stopped = true;
        if (stopped)
            s.KeepScanning = false;
    };
    scanner.OnFileFound = [&](fs::TTreeScanner& s) {
        if (stopped)
            return;  // the folder being entered when the stop came lists nothing
        const std::string& path = s.FileFound();
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        const platform::DirEntry& entry = s.Entry();
        if (IsAvoided(name, rules.AvoidTheseFiles) || rules.Keep.Keeps(path, entry.id))
            return;
        if (entry.attributes & (platform::attr::kDirectory | rules.IgnoreAttributes))
            return;
        if (entry.size == 0 && rules.IgnoreZeroLengthFiles)
            return;
        found({path, entry.size});
    };
    scanner.StartSearch();
    return !stopped;
}

std::string NormalisedFolderText(std::string_view text) {
    std::string folder(text);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    if (folder.size() >= 2 && folder[1] == ':')
        folder.erase(0, 2);
    // Always from the drive's root: "C:" + "Temp" would name a folder below the drive's current directory.
    if (folder.empty() || folder.front() != '\\')
        folder.insert(folder.begin(), '\\');
    if (folder.size() > 1 && folder.back() == '\\') {
        const char before = folder[folder.size() - 2];
        if (before != '\\' && before != ':')
            folder.pop_back();
    }
    return folder;
}

std::string FolderOnDrive(char letter, std::string_view folderText) {
    return std::string(1, letter) + ":" + std::string(folderText);
}

FoundList::FoundList(base::TextOrder order) : paths_(std::move(order), base::Repeats::Drop) {}

bool FoundList::Add(const std::string& path) {
    return paths_.Add(path) >= 0;
}

bool FoundList::Contains(std::string_view path) const {
    return paths_.IndexOf(path) >= 0;
}

void FoundList::Clear() {
    paths_.Clear();
}

}  // namespace unnecessary
