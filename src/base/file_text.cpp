#include "base/file_text.h"

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

}  // namespace

bool StartsWithUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

TextEncoding EncodingOf(std::string_view fileBytes) {
    return StartsWithUtf8Bom(fileBytes) ? TextEncoding::Utf8Bom : TextEncoding::Ansi;
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
    // Every ANSI code page keeps ASCII as it is, so plain lines need no trip through the system.
    if (IsAscii(bytes))
        return std::string(bytes);
    if (encoding == TextEncoding::Utf8Bom)
        return ValidUtf8(bytes);
    return codec.Decode(bytes);
}

std::optional<std::string> EncodeText(std::string_view utf8, TextEncoding encoding, const AnsiCodec& codec) {
    if (IsAscii(utf8))
        return std::string(utf8);
    if (encoding == TextEncoding::Utf8Bom)
        return ValidUtf8(utf8);
    return codec.Encode(utf8);
}

FileText DecodeFileText(std::string_view fileBytes, const AnsiCodec& codec) {
    FileText result;
    result.encoding = EncodingOf(fileBytes);
    if (result.encoding == TextEncoding::Utf8Bom)
        fileBytes.remove_prefix(kUtf8Bom.size());
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
    }
    if (chosen)
        *chosen = TextEncoding::Utf8Bom;
    return std::string(kUtf8Bom) + ValidUtf8(utf8);
}

}  // namespace base
