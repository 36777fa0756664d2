#pragma once

#include <string>
#include <string_view>

namespace registry {

// Registry texts travel as UTF-16 LE bytes; the program speaks UTF-8, extended so that a lone surrogate
// in a name or text is kept as its own unit and comes back exactly (platform/wtf8.h).
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// The code units of little-endian bytes; an odd last byte is dropped.
std::u16string UnitsOf(std::string_view bytes);
std::string BytesOf(std::u16string_view units);

// A string value's text: the stored units up to the first NUL, also when there is no NUL at all.
std::string RegistryText(std::string_view bytes);

}  // namespace registry
