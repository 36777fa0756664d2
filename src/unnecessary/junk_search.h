#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "platform/file_system.h"
#include "unnecessary/kept_files.h"

namespace unnecessary {

// What a search leaves out. Masks, names and paths as the settings and the command line give them.
struct SearchRules {
    std::vector<std::string> masks;
    uint32_t IgnoreAttributes = 0;  // read-only 1, hidden 2, system 4
    bool IgnoreZeroLengthFiles = true;
    std::vector<std::string> AvoidTheseFiles;  // file names, compared with letter case
    KeptFiles Keep;                            // by path (letter case ignored) or by identity
};

// The attribute bits whose files a search leaves out.
uint32_t IgnoreAttributesOf(bool ignoreReadOnly, bool ignoreHidden, bool ignoreSystem);

// One file to list.
struct FoundFile {
    std::string path;
    uint64_t size = 0;
};

// Called once per folder entered, with the folder as the status text shows it ("C:\Temp", "C:\"); the
// window shows it and gives way to its message loop there. False stops the search: the files of the folder
// being entered are then not listed.
using FolderProgress = std::function<bool(const std::string& folder)>;
using FileSink = std::function<void(const FoundFile& file)>;

// The search for unnecessary files below one folder on one drive, over the tree scanner. Each folder is listed
// once and its entries matched against every mask in memory, so the window gives way once per folder (not
// once per mask). A folder's files come in name order, each once however many masks it matches, before
// anything below it; hidden, system and read-only folders are searched; links to folders are not followed.
class JunkSearch {
  public:
    JunkSearch(const platform::FileSystem& fileSystem, base::TextOrder order);

    // Searches folder (e.g. "C:\Temp" or "C:\") with the rules; false when progress stopped it.
    bool SearchFolder(const std::string& folder,
                      const SearchRules& rules,
                      const FolderProgress& progress,
                      const FileSink& found) const;

  private:
    const platform::FileSystem& fileSystem_;
    base::TextOrder order_;
};

// The folder text of the search field, normalised as the field shows it afterwards: always from the root of
// each chosen drive, without a drive, without a trailing backslash ("\" alone for the root). "C:\Temp\" gives
// "\Temp", "Temp" gives "\Temp", "" gives "\".
std::string NormalisedFolderText(std::string_view text);

// The folder searched on one drive: "C" and "\Temp" give "C:\Temp", "C" and "\" give "C:\".
std::string FolderOnDrive(char letter, std::string_view folderText);

// Found paths as the list shows them: sorted by the order, each path once.
class FoundList {
  public:
    explicit FoundList(base::TextOrder order);
    // False when the path is listed already.
    bool Add(const std::string& path);
    bool Contains(std::string_view path) const;
    void Clear();

  private:
    base::SortedStringList paths_;
};

}  // namespace unnecessary
