#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/format.h"
#include "base/sorted_list.h"
#include "platform/version_info.h"

namespace fs {

// The file list's columns, in order.
enum FileColumn { kNameColumn, kSizeColumn, kTypeColumn, kModifiedColumn, kAttrColumn, kFileVerColumn, kProdVerColumn };
constexpr int kFileColumnCount = 7;

using RowTexts = std::array<std::string, kFileColumnCount>;

// "RHSA" with a blank for each attribute that is not set.
std::string AttributeText(uint32_t attributes);
// The size as plain decimal digits.
std::string SizeText(uint64_t size);
// The Modified cell: local time in the program's date formats; empty when the time cannot be converted.
std::string ModifiedText(const std::optional<base::DateTime>& local, const base::FormatSettings& settings);

// The sub-block that holds one version string for a translation: "\StringFileInfo\040904b0\FileVersion".
std::string VersionStringBlock(const platform::VersionTranslation& translation, std::string_view name);
// One version string through the first translation entry; empty without version information, without a
// translation table or without that string.
std::string FileVersionText(const platform::VersionResource* resource, std::string_view name);

// Which column the rows are sorted by and which way. A fresh list sorts by Size, ascending.
struct SortOrder {
    int column = kSizeColumn;
    bool ascending = true;
    // A click on the sort column turns the direction round; another column becomes the sort column, ascending.
    void Click(int clicked);
};

struct RowCompareContext {
    base::TextOrder textOrder;  // the locale's comparison ignoring case, for Type, Attr and the versions
    base::FormatSettings settings;
    base::DateTime now;  // stands in for a Modified text that does not read back
};

// Negative, zero or positive as row a goes before, with or after row b in the given order.
int CompareRows(const RowTexts& a, const RowTexts& b, const SortOrder& order, const RowCompareContext& context);

// Names compared folding only the letters A to Z, otherwise by byte value.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);
// A Size cell as a number; 0 when it is not one.
int64_t SizeOfText(std::string_view text);

}  // namespace fs
