#include "platform/wtf8.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

template <typename Unit>
void AppendUnits(std::basic_string<Unit>& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<Unit>(c);
    } else {
        c -= 0x10000;
        out += static_cast<Unit>(0xD800 | (c >> 10));
        out += static_cast<Unit>(0xDC00 | (c & 0x3FF));
    }
}

bool IsLead(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsTrail(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point starting at text[at] and its length in bytes; 0 when the bytes there are not one.
// Surrogates encoded alone are taken: they are how a lone unit is carried.
size_t Decode(std::string_view text, size_t at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)))
        return 0;  // overlong forms and code points past U+10FFFF
    return length;
}

template <typename Unit>
std::string ToWtf8(std::basic_string_view<Unit> units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = static_cast<char32_t>(units[i]);
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (IsLead(unit) && i + 1 < units.size() && IsTrail(units[i + 1])) {
            AppendCodePoint(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendCodePoint(out, unit);  // a lone surrogate too, as its own three bytes
        }
    }
    return out;
}

template <typename Unit>
std::basic_string<Unit> FromWtf8(std::string_view text) {
    std::basic_string<Unit> out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        const size_t length = Decode(text, i, c);
        if (length == 0) {
            out += static_cast<Unit>(kReplacement);
            ++i;
            continue;
        }
        AppendUnits(out, c);
        i += length;
    }
    return out;
}

}  // namespace

std::string Utf16ToWtf8(std::u16string_view units) {
    return ToWtf8(units);
}

std::string Utf16ToWtf8(std::wstring_view units) {
    return ToWtf8(units);
}

std::u16string Wtf8ToUtf16(std::string_view text) {
    return FromWtf8<char16_t>(text);
}

std::wstring Wtf8ToWide(std::string_view text) {
    return FromWtf8<wchar_t>(text);
}

}  // namespace platform
