#include "base/comma_text.h"

namespace base {
namespace {

bool IsBlankOrControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= ' ';
}

bool NeedsQuotes(std::string_view item) {
    for (const char c : item) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || c == '"' || c == ',')
            return true;
    }
    return false;
}

// Reads a quoted item starting at the opening quote; a missing closing quote takes the rest of the text.
std::string ReadQuoted(std::string_view text, size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != '"') {
            item += c;
        } else if (pos < text.size() && text[pos] == '"') {
            item += '"';
            ++pos;
        } else {
            break;
        }
    }
    return item;
}

}  // namespace

std::string QuotedItem(std::string_view item) {
    std::string result = "\"";
    for (const char c : item) {
        if (c == '"')
            result += '"';
        result += c;
    }
    result += '"';
    return result;
}

std::string ToCommaText(const std::vector<std::string>& items) {
    if (items.size() == 1 && items.front().empty())
        return "\"\"";
    std::string result;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            result += ',';
        result += NeedsQuotes(items[i]) ? QuotedItem(items[i]) : items[i];
    }
    return result;
}

std::vector<std::string> FromCommaText(std::string_view text) {
    // A NUL ends the text, as it would in the system's own string handling.
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && IsBlankOrControl(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            items.push_back(ReadQuoted(text, pos));
        } else {
            const size_t start = pos;
            while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != ',')
                ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

}  // namespace base
