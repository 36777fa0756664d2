#include "base/file_text.h"

#include <cstdint>

#include "base/utf8.h"

namespace base {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the well-formed UTF-8 sequence at pos, or 0 when the byte there does not start one.
size_t SequenceLength(std::string_view bytes, size_t pos) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(pos);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        if (lead == 0xF4)
            high = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    if (at(pos + 1) < low || at(pos + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (at(pos + i) < 0x80 || at(pos + i) > 0xBF)
            return 0;
    }
    return length;
}

// An unpaired surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](size_t i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<uint32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const size_t count = bytes.size() / 2;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < count; ++i) {
        const uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            out += kReplacement;
        } else {
            AppendUtf8(out, code);
        }
    }
    if (bytes.size() % 2 != 0)
        out += kReplacement;
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    const std::string valid = ValidUtf8(utf8);
    std::string out;
    out.reserve(valid.size() * 2);
    const auto put = [&](uint32_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (size_t pos = 0; pos < valid.size();) {
        const auto lead = static_cast<unsigned char>(valid[pos]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < length; ++i)
            code = (code << 6) | (static_cast<unsigned char>(valid[pos + i]) & 0x3F);
        pos += length;
        if (code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return out;
}

}  // namespace

bool StartsWithUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

TextEncoding EncodingOf(std::string_view fileBytes) {
    if (StartsWithUtf8Bom(fileBytes))
        return TextEncoding::Utf8Bom;
    if (fileBytes.substr(0, 2) == "\xFF\xFE")
        return TextEncoding::Utf16LeBom;
    if (fileBytes.substr(0, 2) == "\xFE\xFF")
        return TextEncoding::Utf16BeBom;
    return TextEncoding::Ansi;
}

std::string_view MarkOf(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return kUtf8Bom;
        case TextEncoding::Utf16LeBom:
            return "\xFF\xFE";
        case TextEncoding::Utf16BeBom:
            return "\xFE\xFF";
        case TextEncoding::Ansi:
            break;
    }
    return {};
}

bool IsUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom;
}

bool IsAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string ValidUtf8(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t length = SequenceLength(bytes, pos);
        if (length == 0) {
            result += kReplacement;
            ++pos;
        } else {
            result.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return result;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodec& codec) {
    if (IsUtf16(encoding))
        return Utf16ToUtf8(bytes, encoding == TextEncoding::Utf16BeBom);
    // Every ANSI code page keeps ASCII as it is, so plain lines need no trip through the system.
    if (IsAscii(bytes))
        return std::string(bytes);
    if (encoding == TextEncoding::Utf8Bom)
        return ValidUtf8(bytes);
    return codec.Decode(bytes);
}

std::optional<std::string> EncodeText(std::string_view utf8, TextEncoding encoding, const AnsiCodec& codec) {
    if (IsUtf16(encoding))
        return Utf8ToUtf16(utf8, encoding == TextEncoding::Utf16BeBom);
    if (IsAscii(utf8))
        return std::string(utf8);
    if (encoding == TextEncoding::Utf8Bom)
        return ValidUtf8(utf8);
    return codec.Encode(utf8);
}

FileText DecodeFileText(std::string_view fileBytes, const AnsiCodec& codec) {
    FileText result;
    result.encoding = EncodingOf(fileBytes);
    fileBytes.remove_prefix(MarkOf(result.encoding).size());
    result.text = DecodeText(fileBytes, result.encoding, codec);
    return result;
}

std::string EncodeFileText(std::string_view utf8, const AnsiCodec& codec, TextEncoding current, TextEncoding* chosen) {
    if (current == TextEncoding::Ansi) {
        if (auto ansi = EncodeText(utf8, TextEncoding::Ansi, codec)) {
            if (chosen)
                *chosen = TextEncoding::Ansi;
            return *std::move(ansi);
        }
        current = TextEncoding::Utf8Bom;
    }
    if (chosen)
        *chosen = current;
    std::string bytes(MarkOf(current));
    bytes += *EncodeText(utf8, current, codec);
    return bytes;
}

}  // namespace base
