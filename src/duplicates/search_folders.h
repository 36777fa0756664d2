#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"

namespace duplicates {

// One folder item as the search uses it: lower case, trimmed, with a backslash at both ends.
std::string NormalisedFolder(std::string_view item);

struct FoldersToSearch {
    std::vector<std::string> folders;  // sorted ignoring case, no repeats, none inside another
    std::string commaText;             // what the folders box then shows
    std::vector<std::string> notices;  // one per folder removed as already included, in the interface language
};

// The folders to search on each drive from the box's comma text. An empty box, or one holding only blanks,
// searches the root; empty items are dropped.
FoldersToSearch NormaliseFoldersToSearch(std::string_view text, const base::TextOrder& order);

struct SkipFolderList {
    std::vector<std::string> folders;  // \name\ forms, sorted ignoring case, no repeats
    std::string commaText;
};

// The folders to skip: items shorter than three characters once normalised (a lone backslash) are dropped.
SkipFolderList NormaliseSkipFolders(std::string_view text, const base::TextOrder& order);

}  // namespace duplicates
