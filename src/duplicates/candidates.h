#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "platform/file_system.h"

namespace duplicates {

// The duplicate switches of the options window, copied at the start of each search.
struct SearchSwitches {
    bool SkipSysbckupFolder = true;
    bool SkipDesktopFolders = true;
    bool SkipEmptyFiles = true;
    bool CheckFileSize = true;  // "Require same size": size mode; otherwise name mode
    bool FloppyIsMaster = true;
    bool CheckFileStamp = true;  // "Same date & time"
    bool CheckFileName = false;  // "Same name"
};

// A file's key: in size mode its size right-aligned in a field wide enough for any 64-bit size and a blank,
// so that keys sort by size as text; in name mode its name and a backslash.
std::string SizeKey(uint64_t size);
std::string NameKey(std::string_view name);

// One collected file. Its folder is Folders[folderIndex]; the rest is what its listing said.
struct Candidate {
    std::string key;
    std::string name;
    int folderIndex = 0;
    uint64_t size = 0;
    int64_t writeTime = 0;
    uint32_t attributes = 0;
    platform::FileId id;

    // The candidate line: the key followed by the name.
    std::string Line() const { return key + name; }
};

// Texts compared by the locale ignoring case, for sets of keys and paths.
struct OrderLess {
    const base::TextOrder* order;
    bool operator()(const std::string& a, const std::string& b) const { return (*order)(a, b) < 0; }
};
using TextSet = std::multiset<std::string, OrderLess>;

// What a collection leaves for the comparison.
struct Collection {
    std::vector<std::string> Folders;
    std::vector<Candidate> Candidates;  // in key order (ascending), as the sorted candidate list holds them
    bool scanStopped = false;           // the walk was stopped before its end

    std::string PathOf(const Candidate& candidate) const { return Folders.at(candidate.folderIndex) + candidate.name; }
};

// Puts the candidates in key order: by size, or by candidate line ignoring case in name mode.
void SortCandidates(std::vector<Candidate>& candidates, bool sizeMode, const base::TextOrder& order);

}  // namespace duplicates
