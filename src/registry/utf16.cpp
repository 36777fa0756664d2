#include "registry/utf16.h"

#include "platform/wtf8.h"

namespace registry {

std::string Utf16ToUtf8(std::u16string_view text) {
    return platform::Utf16ToWtf8(text);
}

std::u16string Utf8ToUtf16(std::string_view text) {
    return platform::Wtf8ToUtf16(text);
}

std::u16string UnitsOf(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return units;
}

std::string BytesOf(std::u16string_view units) {
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

std::string RegistryText(std::string_view bytes) {
    std::u16string units = UnitsOf(bytes);
    if (const size_t nul = units.find(u'\0'); nul != std::u16string::npos)
        units.resize(nul);
    return Utf16ToUtf8(units);
}

}  // namespace registry
