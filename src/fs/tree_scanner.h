#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "fs/mask_match.h"
#include "platform/file_system.h"

namespace fs {

// Walks a folder tree and reports, through its events, every folder it enters, every file matching one of
// its masks and every folder it has finished. For each folder: its OnDirectoryFound, its files in name
// order, its subfolders in name order each walked whole, its OnDirectoryDone. Folder paths end with a
// backslash. The owner binds Yield to its message pump (called once per folder) and stops the walk by
// clearing KeepScanning; every folder entered still gets its OnDirectoryDone.
//
// Folders that are reparse points (junctions, directory links, mount points) are not entered, so a link
// back to an ancestor cannot make the walk endless nor report a file twice.
class TTreeScanner {
  public:
    using Event = std::function<void(TTreeScanner&)>;

    // order sorts masks, files and subfolders; on Windows pass platform::LocaleTextOrder().
    explicit TTreeScanner(const platform::FileSystem& fileSystem,
                          base::TextOrder order = base::CompareIgnoringAsciiCase);

    Event OnFileFound;
    Event OnDirectoryFound;
    Event OnDirectoryDone;
    Event OnSearchDone;
    std::function<void()> Yield;

    bool Recursive = true;
    bool FindHiddenFiles = false;
    bool FindHiddenFolders = false;
    bool KeepScanning = false;

    void StartSearch();

    const std::string& FileFound() const { return fileFound_; }
    uint64_t FileSize() const { return fileSize_; }
    bool SearchInProgress() const { return searchInProgress_; }

    const std::string& InitialDirectory() const { return initialDirectory_; }
    void SetInitialDirectory(std::string folder) { initialDirectory_ = std::move(folder); }

    // The first mask in sorted order, or empty. Writing replaces every mask by the one given (an empty
    // text leaves no mask); ignored while a search runs.
    std::string FileMask() const;
    void SetFileMask(std::string_view mask);
    // All masks in sorted order as comma text. Writing replaces them (repeats ignoring case dropped);
    // ignored while a search runs.
    std::string FileMaskCommaText() const;
    void SetFileMaskCommaText(std::string_view text);
    const base::SortedStringList& Masks() const { return masks_; }

  private:
    struct FoundFile {
        std::string name;
        uint64_t size;
    };

    void WalkFolder(const std::string& folder);
    void Fire(const Event& event);
    void CompileMasks();

    const platform::FileSystem& fileSystem_;
    base::TextOrder order_;
    base::SortedStringList masks_;
    std::vector<Mask> compiled_;
    std::string fileFound_;
    uint64_t fileSize_ = 0;
    std::string initialDirectory_;
    bool searchInProgress_ = false;
};

}  // namespace fs
