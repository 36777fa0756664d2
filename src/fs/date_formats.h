#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/format.h"

namespace fs {

// The program's short date and long time formats, in base::FormatDateTime's pattern language ("/" and ":"
// stand for the system's separators). Creating a file list view sets them to "yyyy/mm/dd" and "hh:nn";
// every date text of the program is made with them.
std::string ShortDateFormat();
std::string LongTimeFormat();
void SetDateFormats(std::string shortDate, std::string longTime);
void UseFileListDateFormats();

// Date, one blank and time in the program's formats; the blank and time are left out at exactly midnight.
std::string DateTimeText(const base::DateTime& when, const base::FormatSettings& settings);
// Reads such a text back (with or without the time); nothing when it does not fit the formats.
std::optional<base::DateTime> ParseDateTimeText(std::string_view text, const base::FormatSettings& settings);

}  // namespace fs
