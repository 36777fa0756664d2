#include "duplicates/text_case.h"

namespace duplicates {
namespace {

// The two-byte UTF-8 letters U+00C0..U+00FE: lower case is upper case + 0x20, except × and ÷.
constexpr unsigned char kLatinLead = 0xC3;

std::string ChangeCase(std::string_view text, bool toLower) {
    std::string result(text);
    for (size_t i = 0; i < result.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(result[i]);
        if (c < 0x80) {
            if (toLower && c >= 'A' && c <= 'Z')
                result[i] = static_cast<char>(c + 32);
            else if (!toLower && c >= 'a' && c <= 'z')
                result[i] = static_cast<char>(c - 32);
            continue;
        }
        if (c != kLatinLead || i + 1 >= result.size())
            continue;
        const unsigned char next = static_cast<unsigned char>(result[i + 1]);
        // U+00C0..U+00DE are 0x80..0x9E after the lead byte, U+00E0..U+00FE are 0xA0..0xBE.
        if (toLower && next >= 0x80 && next <= 0x9E && next != 0x97)
            result[i + 1] = static_cast<char>(next + 0x20);
        else if (!toLower && next >= 0xA0 && next <= 0xBE && next != 0xB7)
            result[i + 1] = static_cast<char>(next - 0x20);
        ++i;
    }
    return result;
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerCase(std::string_view text) {
    return ChangeCase(text, true);
}

std::string UpperCase(std::string_view text) {
    return ChangeCase(text, false);
}

}  // namespace duplicates
