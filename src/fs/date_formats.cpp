#include "fs/date_formats.h"

#include <mutex>

namespace fs {
namespace {

constexpr const char* kFileListShortDate = "yyyy/mm/dd";
constexpr const char* kFileListLongTime = "hh:nn";

struct Formats {
    std::mutex mutex;
    std::string shortDate = kFileListShortDate;
    std::string longTime = kFileListLongTime;
};

Formats& State() {
    static Formats formats;
    return formats;
}

}  // namespace

std::string ShortDateFormat() {
    std::lock_guard lock(State().mutex);
    return State().shortDate;
}

std::string LongTimeFormat() {
    std::lock_guard lock(State().mutex);
    return State().longTime;
}

void SetDateFormats(std::string shortDate, std::string longTime) {
    std::lock_guard lock(State().mutex);
    State().shortDate = std::move(shortDate);
    State().longTime = std::move(longTime);
}

void UseFileListDateFormats() {
    SetDateFormats(kFileListShortDate, kFileListLongTime);
}

std::string DateTimeText(const base::DateTime& when, const base::FormatSettings& settings) {
    std::string text = base::FormatDateTime(ShortDateFormat(), when, settings);
    if (when.hour != 0 || when.minute != 0 || when.second != 0 || when.millisecond != 0)
        text += ' ' + base::FormatDateTime(LongTimeFormat(), when, settings);
    return text;
}

std::optional<base::DateTime> ParseDateTimeText(std::string_view text, const base::FormatSettings& settings) {
    const std::string date = ShortDateFormat();
    if (auto whole = base::ParseDateTime(text, date + " " + LongTimeFormat(), settings))
        return whole;
    return base::ParseDateTime(text, date, settings);
}

}  // namespace fs
