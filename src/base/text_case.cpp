#include "base/text_case.h"

#include <cstdint>

#include "base/utf8.h"

namespace base {
namespace {

// One code point from text at i (advancing i); a malformed byte is taken as itself.
uint32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return lead;
    }
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return code;
}

uint32_t LowerCodePoint(uint32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c >= 0x100 && c <= 0x137 && c % 2 == 0)  // pairs from A-macron to K-cedilla
        return c + 1;
    if (c >= 0x139 && c <= 0x148 && c % 2 == 1)  // L-acute to N-caron
        return c + 1;
    if (c >= 0x14A && c <= 0x177 && c % 2 == 0)  // Eng to Y-circumflex
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    if ((c == 0x179 || c == 0x17B || c == 0x17D))
        return c + 1;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)  // Greek capitals
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)  // Cyrillic capitals
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

// The inverse of LowerCodePoint over the same letters.
uint32_t UpperCodePoint(uint32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c >= 0x101 && c <= 0x138 && c % 2 == 1 && c != 0x131 && c != 0x138)
        return c - 1;
    if (c >= 0x13A && c <= 0x149 && c % 2 == 0 && c != 0x149)
        return c - 1;
    if (c >= 0x14B && c <= 0x178 && c % 2 == 1 && c != 0x178)
        return c - 1;
    if (c == 0xFF)
        return 0x178;
    if ((c == 0x17A || c == 0x17C || c == 0x17E))
        return c - 1;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 0x20;
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

std::string MapCodePoints(std::string_view text, uint32_t (*map)(uint32_t)) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const uint32_t code = NextCodePoint(text, i);
        const bool malformed = i - start == 1 && code >= 0x80;  // a stray byte stays exactly that byte
        const uint32_t mapped = malformed ? code : map(code);
        if (mapped == code)
            out.append(text.substr(start, i - start));
        else
            AppendUtf8(out, mapped);
    }
    return out;
}

}  // namespace

std::string LowerCase(std::string_view text) {
    return MapCodePoints(text, LowerCodePoint);
}

std::string UpperCase(std::string_view text) {
    return MapCodePoints(text, UpperCodePoint);
}

std::string_view Trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

size_t SystemCharacterCount(std::string_view text) {
    size_t count = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte & 0xC0) != 0x80)
            ++count;
        if ((byte & 0xF8) == 0xF0)  // a character beyond the basic plane takes two units
            ++count;
    }
    return count;
}

}  // namespace base
