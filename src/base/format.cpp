#include "base/format.h"

#include <cctype>
#include <cmath>
#include <vector>

namespace base {
namespace {

enum class Field { Year, Month, Day, DayName, Hour, Minute, Second, AmPm, DateSeparator, TimeSeparator, Literal };

struct Token {
    Field field;
    int width = 0;      // letters in the pattern: 2 for "mm", 4 for "yyyy"
    std::string text;   // literal text, or the am/pm pattern as written
};

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[pos + i]) != Upper(prefix[i]))
            return false;
    }
    return true;
}

size_t AmPmLength(std::string_view pattern, size_t pos) {
    for (const std::string_view am : {"am/pm", "a/p", "ampm"}) {
        if (StartsWithNoCase(pattern, pos, am))
            return am.size();
    }
    return 0;
}

std::vector<Token> Tokenize(std::string_view pattern) {
    std::vector<Token> tokens;
    char lastLetter = 0;
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        if (c == '"' || c == '\'') {
            const size_t close = pattern.find(c, pos + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            tokens.push_back({Field::Literal, 0, std::string(pattern.substr(pos + 1, end - pos - 1))});
            pos = end == pattern.size() ? end : end + 1;
            continue;
        }
        if (c == '/' || c == ':') {
            tokens.push_back({c == '/' ? Field::DateSeparator : Field::TimeSeparator});
            ++pos;
            continue;
        }
        if (const size_t length = AmPmLength(pattern, pos); length > 0) {
            tokens.push_back({Field::AmPm, 0, std::string(pattern.substr(pos, length))});
            pos += length;
            continue;
        }
        {
            const char letter = Upper(c);
            size_t count = 1;
            while (pos + count < pattern.size() && Upper(pattern[pos + count]) == letter)
                ++count;
            const int width = static_cast<int>(count);
            switch (letter) {
                case 'Y': tokens.push_back({Field::Year, width <= 2 ? 2 : 4}); break;
                case 'M':
                    // "m" right after an hour is minutes, as in "hh:mm".
                    tokens.push_back({lastLetter == 'H' && width <= 2 ? Field::Minute : Field::Month, width});
                    break;
                case 'N': tokens.push_back({Field::Minute, width > 2 ? 2 : width}); break;
                case 'D': tokens.push_back({width <= 2 ? Field::Day : Field::DayName, width}); break;
                case 'H': tokens.push_back({Field::Hour, width > 2 ? 2 : width}); break;
                case 'S': tokens.push_back({Field::Second, width > 2 ? 2 : width}); break;
                default: tokens.push_back({Field::Literal, 0, std::string(pattern.substr(pos, count))}); break;
            }
            if (letter >= 'A' && letter <= 'Z')
                lastLetter = letter;
            pos += count;
        }
    }
    return tokens;
}

bool HasAmPm(const std::vector<Token>& tokens) {
    for (const auto& token : tokens) {
        if (token.field == Field::AmPm)
            return true;
    }
    return false;
}

std::string Number(int value, int width) {
    std::string digits = std::to_string(value);
    while (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), '0');
    return digits;
}

// Day of the week, 0 = Sunday (Sakamoto's method).
int Weekday(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[(month + 11) % 12] + day) % 7;
}

std::string AmPmText(const Token& token, bool pm, const FormatSettings& settings) {
    const std::string& written = token.text;
    if (written.size() == 4)  // "ampm": the system's own texts
        return pm ? settings.pmText : settings.amText;
    if (written.size() == 3)  // "a/p"
        return std::string(1, pm ? written[2] : written[0]);
    return pm ? written.substr(3, 2) : written.substr(0, 2);  // "am/pm" in the case it is written
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, const DateTime& when, const FormatSettings& settings) {
    const auto tokens = Tokenize(pattern);
    const bool twelveHour = HasAmPm(tokens);
    static const char* const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kLongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                "Thursday", "Friday", "Saturday"};
    std::string result;
    for (const auto& token : tokens) {
        switch (token.field) {
            case Field::Year: result += token.width == 2 ? Number(when.year % 100, 2) : Number(when.year, 4); break;
            case Field::Month:
                if (token.width <= 2)
                    result += Number(when.month, token.width);
                else
                    result += (token.width == 3 ? settings.shortMonthNames : settings.longMonthNames)
                        .at(static_cast<size_t>(when.month - 1));
                break;
            case Field::Day: result += Number(when.day, token.width); break;
            case Field::DayName: {
                const int weekday = Weekday(when.year, when.month, when.day);
                result += token.width == 3 ? kDayNames[weekday] : kLongDayNames[weekday];
                break;
            }
            case Field::Hour: {
                int hour = when.hour;
                if (twelveHour) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                result += Number(hour, token.width);
                break;
            }
            case Field::Minute: result += Number(when.minute, token.width); break;
            case Field::Second: result += Number(when.second, token.width); break;
            case Field::AmPm: result += AmPmText(token, when.hour >= 12, settings); break;
            case Field::DateSeparator: result += settings.dateSeparator; break;
            case Field::TimeSeparator: result += settings.timeSeparator; break;
            case Field::Literal: result += token.text; break;
        }
    }
    return result;
}

std::optional<DateTime> ParseDateTime(std::string_view text, std::string_view pattern, const FormatSettings& settings) {
    const auto tokens = Tokenize(pattern);
    DateTime result;
    result.year = 0;
    result.month = 1;
    result.day = 1;
    bool pm = false;
    bool sawAmPm = false;
    size_t pos = 0;
    const auto readNumber = [&](int maxDigits, int& out) {
        const size_t start = pos;
        int value = 0;
        while (pos < text.size() && static_cast<int>(pos - start) < maxDigits &&
               std::isdigit(static_cast<unsigned char>(text[pos]))) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        out = value;
        return pos > start;
    };
    const auto readExact = [&](std::string_view expected) {
        if (!StartsWithNoCase(text, pos, expected))
            return false;
        pos += expected.size();
        return true;
    };
    for (const auto& token : tokens) {
        bool ok = true;
        switch (token.field) {
            case Field::Year:
                ok = readNumber(4, result.year);
                if (ok && token.width == 2)
                    result.year += result.year < 50 ? 2000 : 1900;
                break;
            case Field::Month:
                if (token.width <= 2) {
                    ok = readNumber(2, result.month);
                } else {
                    const auto& names = token.width == 3 ? settings.shortMonthNames : settings.longMonthNames;
                    ok = false;
                    for (size_t i = 0; i < names.size() && !ok; ++i) {
                        if (readExact(names[i])) {
                            result.month = static_cast<int>(i) + 1;
                            ok = true;
                        }
                    }
                }
                break;
            case Field::Day: ok = readNumber(2, result.day); break;
            case Field::DayName:
                while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos])))
                    ++pos;
                break;
            case Field::Hour: ok = readNumber(2, result.hour); break;
            case Field::Minute: ok = readNumber(2, result.minute); break;
            case Field::Second: ok = readNumber(2, result.second); break;
            case Field::AmPm: {
                const std::string pmText = AmPmText(token, true, settings);
                const std::string amText = AmPmText(token, false, settings);
                sawAmPm = true;
                if (readExact(pmText))
                    pm = true;
                else
                    ok = readExact(amText);
                break;
            }
            case Field::DateSeparator: ok = readExact(std::string(1, settings.dateSeparator)); break;
            case Field::TimeSeparator: ok = readExact(std::string(1, settings.timeSeparator)); break;
            case Field::Literal: ok = readExact(token.text); break;
        }
        if (!ok)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    if (sawAmPm) {
        if (result.hour < 1 || result.hour > 12)
            return std::nullopt;
        result.hour = result.hour % 12 + (pm ? 12 : 0);
    }
    if (result.month < 1 || result.month > 12 || result.day < 1 || result.day > 31 || result.hour > 23 ||
        result.minute > 59 || result.second > 59)
        return std::nullopt;
    return result;
}

std::string FormatWholeNumber(int64_t value, const FormatSettings& settings) {
    const bool negative = value < 0;
    // Through unsigned so that the most negative value has a magnitude too.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::string result;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += settings.thousandSeparator;
        result += digits[i];
    }
    return negative ? "-" + result : result;
}

std::string FormatWholeNumber(double value, const FormatSettings& settings) {
    if (!std::isfinite(value))
        return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
    const double rounded = std::round(value);
    if (std::fabs(rounded) >= 9.2e18)
        return FormatWholeNumber(static_cast<int64_t>(rounded > 0 ? INT64_MAX : INT64_MIN), settings);
    return FormatWholeNumber(static_cast<int64_t>(rounded), settings);
}

}  // namespace base
