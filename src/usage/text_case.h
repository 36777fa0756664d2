#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace usage {

// The text in lower case: ASCII, the Latin-1 and Latin Extended-A letters, Greek and Cyrillic capitals
// (the letters of the file names a user meets); other characters pass unchanged. UTF-8 in and out.
std::string LowerCase(std::string_view text);

// Length in the system's characters (UTF-16 units), as path lengths are counted.
size_t SystemCharacterCount(std::string_view text);

}  // namespace usage
