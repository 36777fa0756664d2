#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The system's separators and names, as the date, time and number texts use them.
struct FormatSettings {
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string thousandSeparator = ",";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    std::string amText = "AM";
    std::string pmText = "PM";
};

// Patterns as the date formats of the system's classic toolkit write them: y, yy, yyyy; m, mm, mmm, mmmm;
// d, dd; h, hh; n, nn (and m, mm right after an hour); s, ss; "am/pm", "a/p", "ampm"; "/" and ":" as the
// system's separators; text in double or single quotes taken literally.
std::string FormatDateTime(std::string_view pattern, const DateTime& when, const FormatSettings& settings);

// Reads back a text made by FormatDateTime with the same pattern; nothing when it does not fit.
std::optional<DateTime> ParseDateTime(std::string_view text, std::string_view pattern, const FormatSettings& settings);

// A whole number with the thousands separator, as "%.0n" formats it (rounded half away from zero).
std::string FormatWholeNumber(int64_t value, const FormatSettings& settings);
std::string FormatWholeNumber(double value, const FormatSettings& settings);

}  // namespace base
