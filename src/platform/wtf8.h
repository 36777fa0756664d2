#pragma once

#include <string>
#include <string_view>

namespace platform {

// Names on Windows are sequences of 16-bit units that need not be valid UTF-16: a surrogate may stand
// alone (possible on NTFS and in the registry). The logic holds them as UTF-8 extended to carry such a
// unit as its own three bytes (ED A0 80 to ED BF BF), so every name read comes back to the system exactly
// as it was, and no lone unit is ever turned into U+FFFD, which could be the name of another, existing
// entry. Bytes that are neither (a damaged settings line, say) become U+FFFD.
std::string Utf16ToWtf8(std::u16string_view units);
std::u16string Wtf8ToUtf16(std::string_view text);
// The same for the system's wide strings (16-bit units on Windows).
std::string Utf16ToWtf8(std::wstring_view units);
std::wstring Wtf8ToWide(std::string_view text);

}  // namespace platform
