#include "fs/file_rows.h"

#include <cmath>
#include <cstdio>

#include "fs/date_formats.h"
#include "platform/file_system.h"

namespace fs {
namespace {

// Days since 0001-01-01 with the time of day as the fraction.
double SerialOf(const base::DateTime& t) {
    int y = t.year;
    const int m = t.month;
    y -= m <= 2 ? 1 : 0;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const double days = static_cast<double>(era) * 146097 + doe;
    return days + (t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0) / 86400.0;
}

}  // namespace

std::string AttributeText(uint32_t attributes) {
    std::string text = "    ";
    if (attributes & platform::attr::kReadOnly)
        text[0] = 'R';
    if (attributes & platform::attr::kHidden)
        text[1] = 'H';
    if (attributes & platform::attr::kSystem)
        text[2] = 'S';
    if (attributes & platform::attr::kArchive)
        text[3] = 'A';
    return text;
}

std::string SizeText(uint64_t size) {
    return std::to_string(size);
}

std::string ModifiedText(const std::optional<base::DateTime>& local, const base::FormatSettings& settings) {
    return local ? DateTimeText(*local, settings) : std::string();
}

std::string VersionStringBlock(const platform::VersionTranslation& translation, std::string_view name) {
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%.4x%.4x", static_cast<unsigned>(translation.language),
                  static_cast<unsigned>(translation.codePage));
    return std::string("\\StringFileInfo\\") + digits + "\\" + std::string(name);
}

std::string FileVersionText(const platform::VersionResource* resource, std::string_view name) {
    if (!resource)
        return {};
    const auto translations = resource->Translations();
    if (translations.empty())
        return {};
    return resource->StringValue(VersionStringBlock(translations.front(), name)).value_or(std::string());
}

void SortOrder::Click(int clicked) {
    if (clicked == column) {
        ascending = !ascending;
    } else {
        column = clicked;
        ascending = true;
    }
}

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'a' && u <= 'z') ? u - 32 : u;
    };
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int d = static_cast<int>(upper(a[i])) - static_cast<int>(upper(b[i]));
        if (d != 0)
            return d < 0 ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int64_t SizeOfText(std::string_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    if (pos == text.size())
        return 0;
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9')
            return 0;
        const uint64_t next = value * 10 + static_cast<uint64_t>(c - '0');
        if (next / 10 != value || next > static_cast<uint64_t>(INT64_MAX))
            return 0;  // too big for a size: not a number
        value = next;
    }
    return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

int CompareRows(const RowTexts& a, const RowTexts& b, const SortOrder& order, const RowCompareContext& context) {
    int result = 0;
    const int column = order.column;
    if (column < 0 || column >= kFileColumnCount)
        return 0;
    try {
        switch (column) {
            case kNameColumn:
                result = CompareNamesIgnoringCase(a[column], b[column]);
                break;
            case kSizeColumn: {
                const int64_t sizeA = SizeOfText(a[column]);
                const int64_t sizeB = SizeOfText(b[column]);
                result = sizeA < sizeB ? -1 : (sizeA > sizeB ? 1 : 0);
                break;
            }
            case kModifiedColumn: {
                const auto readBack = [&](const std::string& text) {
                    return SerialOf(ParseDateTimeText(text, context.settings).value_or(context.now));
                };
                // Days apart, in steps of 1/100000 day: times less than a second apart count as equal.
                const double steps = std::round((readBack(a[column]) - readBack(b[column])) * 100000.0);
                result = steps < 0 ? -1 : (steps > 0 ? 1 : 0);
                break;
            }
            default:
                result = context.textOrder ? context.textOrder(a[column], b[column])
                                           : base::CompareIgnoringAsciiCase(a[column], b[column]);
                result = result < 0 ? -1 : (result > 0 ? 1 : 0);
                break;
        }
    } catch (...) {
        result = 0;
    }
    return order.ascending ? result : -result;
}

}  // namespace fs
