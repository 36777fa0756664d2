#pragma once

#include "base/format.h"
#include "base/sorted_list.h"

namespace platform {

// The user locale's comparison ignoring letter case (CompareStringW with NORM_IGNORECASE).
base::TextOrder LocaleTextOrder();

// The user locale's date and time separators, month names, AM/PM texts and thousands separator.
base::FormatSettings SystemFormatSettings();

}  // namespace platform
