#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drives.h"

namespace fs {

// The roots ("A:\" ... "Z:\") of the letters in use, in letter order.
std::vector<std::string> DriveRootsOf(uint32_t logicalDriveMask);

// Drives of unknown type or without a root folder are not listed.
bool IsListedDrive(platform::DriveKind kind);
// Fixed drives start out selected when the list selects them.
bool IsPreselectedDrive(platform::DriveKind kind, bool selectFixedDrives);

// The letter of a shell display name such as "System (C:)": the upper-cased letter of its last " (X:)";
// empty for a caption without one (a bare "C:").
std::string DriveLetterOf(std::string_view caption);

// Each drive row carries its letter as data, so the choice never depends on how the caption reads
// ("(C:) Local Disk", or a caption without the letter). The upper-cased letters of the given rows' data, in
// order, with nothing between them; data that is not a letter adds nothing.
std::string DriveLettersOf(const std::vector<int64_t>& rowData);

}  // namespace fs
