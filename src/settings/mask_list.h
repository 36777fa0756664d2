#pragma once

#include <string_view>

#include "base/sorted_list.h"
#include "settings/keys.h"

namespace settings {

class SettingsFile;

// A mask list value: items split at commas and blanks (an item in double quotes may hold them), sorted
// by the given order, a later item equal to an earlier one dropped.
base::SortedStringList MaskListFromText(std::string_view text, base::TextOrder order);

// The list keys of the unnecessary-files section (FilesToFind, ExtraFilesToFind, AvoidTheseFiles).
base::SortedStringList ReadMaskList(const SettingsFile& file, const TextKey& key, base::TextOrder order);

}  // namespace settings
