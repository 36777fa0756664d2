#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "fs/mask_match.h"
#include "platform/file_system.h"
#include "platform/keyed_order.h"

namespace fs {

// Walks a folder tree and reports, through its events, every folder it enters, every file matching one of
// its masks and every folder it has finished. For each folder: its OnDirectoryFound, its files in name
// order, its subfolders in name order each walked whole, its OnDirectoryDone. Folder paths end with a
// backslash. The owner binds Yield to its message pump (called once per folder) and stops the walk by
// clearing KeepScanning; every folder entered still gets its OnDirectoryDone.
//
// Folders that are other names for folders elsewhere (junctions, symbolic links, mount points) are not
// entered, so a link back to an ancestor cannot make the walk endless nor report a file twice. The walk
// keeps its own stack: the depth of a tree is bounded by memory, not by the thread's stack.
class TTreeScanner {
  public:
    using Event = std::function<void(TTreeScanner&)>;

    // Names are ordered as the file system shows them (on Windows the locale's order ignoring case).
    explicit TTreeScanner(const platform::FileSystem& fileSystem);
    TTreeScanner(const platform::FileSystem& fileSystem, base::TextOrder order);

    // FileFound(), FileSize() and Entry() describe the file.
    Event OnFileFound;
    // A folder entered (and, when not Recursive, each subfolder). The handler may clear EnterDirectory to
    // pass over the folder's files and subfolders; its OnDirectoryDone still follows.
    Event OnDirectoryFound;
    // Directory() is the folder finished. FileFound() still holds the last path reported.
    Event OnDirectoryDone;
    // A folder that could not be listed (missing, no access): FileFound() and Directory() name it. Its
    // OnDirectoryDone follows.
    Event OnDirectoryUnreadable;
    Event OnSearchDone;
    std::function<void()> Yield;

    bool Recursive = true;
    bool FindHiddenFiles = false;
    bool FindHiddenFolders = false;
    // Enter folders with the system attribute too (the folder measurement and the unnecessary-file search
    // need them); by default they are never entered nor reported.
    bool EnterSystemFolders = false;
    bool KeepScanning = false;
    // Set before each OnDirectoryFound; a handler clears it to leave that folder's contents unvisited.
    bool EnterDirectory = true;

    void StartSearch();

    const std::string& FileFound() const { return fileFound_; }
    uint64_t FileSize() const { return fileSize_; }
    // The whole listing entry of the item reported: the file at OnFileFound, the folder at OnDirectoryFound
    // and OnDirectoryDone (for the start folder the result of a lookup, empty when it does not exist).
    const platform::DirEntry& Entry() const { return *entry_; }
    // The folder the events are about: the one entered, the one holding the file, the one finished.
    const std::string& Directory() const { return directory_; }
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
    // A folder on the current path: its own entry and the subfolders still to walk.
    struct Frame {
        platform::DirEntry self;
        size_t pathLength = 0;
        std::vector<platform::DirEntry> subfolders;
        size_t next = 0;
    };

    void Walk(platform::DirEntry top);
    bool Enter(platform::DirEntry self);
    void ListFolder(Frame& frame, std::vector<platform::DirEntry>& files);
    void ReportFiles(const std::vector<platform::DirEntry>& files);
    void ReportSubfoldersWithoutEntering(const Frame& frame);
    void Finish(Frame& frame);
    bool IsWalkedFolder(const platform::DirEntry& entry) const;
    bool IsReportedFile(const platform::DirEntry& entry) const;
    void SortByName(std::vector<platform::DirEntry>& entries);
    void Fire(const Event& event);
    void CompileMasks();

    const platform::FileSystem& fileSystem_;
    base::TextOrder order_;
    base::SortedStringList masks_;
    std::vector<Mask> compiled_;
    std::vector<Frame> stack_;
    std::string path_;  // the folder being walked; each frame knows its length within it
    std::string fileFound_;
    std::string directory_;
    uint64_t fileSize_ = 0;
    platform::DirEntry none_;
    const platform::DirEntry* entry_ = &none_;
    std::string initialDirectory_;
    bool searchInProgress_ = false;
    // Sorting by keys, when the order gives them; the buffers are kept from folder to folder.
    std::optional<platform::KeyedSort> keyedSort_;
    std::vector<std::string_view> names_;
    std::vector<size_t> sortedIndexes_;
    std::vector<platform::DirEntry> sorted_;
};

}  // namespace fs
