#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The logic speaks UTF-8 (extended to carry the lone surrogates a Windows name may hold, platform/wtf8.h);
// every Win32 call takes UTF-16. Names round-trip exactly; bytes that are no UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace platform::win32
