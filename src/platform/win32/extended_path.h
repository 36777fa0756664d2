#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The process's current directory (UTF-8, plain form, no trailing backslash except on a root); empty when
// unknown.
std::string CurrentDirectoryText();

// The \\?\ form of a UTF-8 path for the W file functions, names exactly as given: "a." and "a " are
// themselves, never "a". Relative paths are taken against the current directory.
std::wstring ExactPath(std::string_view utf8Path);
// The same, with each name's last dots and blanks dropped as the classic path rules do: for texts written
// for those rules (registry references), so that a text names what any program opening it would reach.
std::wstring ClassicPath(std::string_view utf8Path);

}  // namespace platform::win32
