#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The logic speaks UTF-8; every Win32 call takes UTF-16. Invalid UTF-8 bytes become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A path for the W file functions: the \\?\ form once it is too long for the classic limit.
std::wstring LongPath(std::string_view utf8Path);

}  // namespace platform::win32
