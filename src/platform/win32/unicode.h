#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The logic speaks UTF-8 (extended to carry the lone surrogates a Windows name may hold, platform/wtf8.h);
// every Win32 call takes UTF-16. Names round-trip exactly; bytes that are no UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A path for the W file functions: as given while short enough for the classic rules, the \\?\ form of
// what those rules make of it once longer. Exact names everywhere: ExactPath (extended_path.h).
std::wstring LongPath(std::string_view utf8Path);

}  // namespace platform::win32
