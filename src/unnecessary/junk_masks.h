#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"

namespace unnecessary {

// A mask with no character of its own, only "*", "?" and ".": it picks files by the length and dots of
// their names alone, and "*", "*.*", "?*" pick every file. Never a junk mask; one such in the settings would
// have every ordinary file listed, and deleted by an unattended run.
bool IsWildcardOnly(std::string_view mask);

// Takes the wildcard-only masks out of masks and returns them, in their order.
std::vector<std::string> DropWildcardOnlyMasks(base::SortedStringList& masks);

}  // namespace unnecessary
