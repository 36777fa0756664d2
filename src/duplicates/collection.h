#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "duplicates/candidates.h"
#include "duplicates/search_view.h"
#include "fs/tree_scanner.h"

namespace duplicates {

enum class ScanMode { Normal, Master, Filtered };

// The search boxes of the window: comma texts, written back normalised.
struct SearchInputs {
    std::string rootDirText = "\\";    // folders to search on each drive
    std::string skipFolderText;        // folders to skip
    std::string fileMaskText = "*.*";  // file masks
    std::string drives;                // letters of the selected drives, in list order
};

// Decides, folder by folder and file by file as the scanner reports them, which files become candidates.
class CandidateCollector {
  public:
    // desktopIniReported: the masks match desktop.ini, so a folder's own files show whether it holds one
    // and no lookup is needed.
    CandidateCollector(const SearchSwitches& switches,
                       std::vector<std::string> skipFolders,
                       const TextSet& knownDuplicates,
                       const platform::FileSystem& fileSystem,
                       SearchView& view,
                       const base::TextOrder& order,
                       bool desktopIniReported);

    ScanMode scanMode = ScanMode::Normal;

    // False when nothing below the folder can be collected either (a skipped folder's subfolders hold its
    // name in their paths too), so the walk need not enter it.
    bool TreeScanner1DirectoryFound(std::string_view folder);
    void TreeScanner1FileFound(std::string_view path, const platform::DirEntry& entry);
    void TreeScanner1DirectoryDone();

    // The folders and candidates collected so far, candidates in key order.
    Collection Take();

  private:
    // True when the skip holds for every folder below too.
    bool DecideSkip(const std::string& folder);
    void FlushFolder();
    bool IsMasterKey(const std::string& key) const;

    SearchSwitches switches_;
    std::vector<std::string> skipFolders_;
    const TextSet& knownDuplicates_;
    const platform::FileSystem& fileSystem_;
    SearchView& view_;
    const base::TextOrder& order_;
    bool desktopIniReported_;

    Collection collection_;
    TextSet masterKeys_;
    int folderIndex_ = -1;
    bool skipThisFolder_ = false;
    // The current folder's files wait here until its last file is reported, in case one is desktop.ini.
    std::vector<Candidate> pending_;
    bool pendingHasDesktopIni_ = false;
};

// The collection of a search: normalises the inputs (written back into inputs, shown through the view
// with any nested-folder notice), walks every selected drive with the scanner and returns the candidates.
Collection Find_files_to_compare(SearchInputs& inputs,
                                 const SearchSwitches& switches,
                                 const TextSet& knownDuplicates,
                                 fs::TTreeScanner& scanner,
                                 const platform::FileSystem& fileSystem,
                                 SearchView& view,
                                 ResultRows& rows,
                                 const base::TextOrder& order);

}  // namespace duplicates
