#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// Letter case of UTF-8 names: ASCII, the Latin-1 and Latin Extended-A letters (so Ä, Ö and Å of Finnish
// names too), Greek and Cyrillic; other characters pass unchanged, as do malformed bytes.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

// Without leading and trailing blanks and control characters.
std::string_view Trimmed(std::string_view text);

// Length in the system's characters (UTF-16 units), as path lengths are counted.
size_t SystemCharacterCount(std::string_view text);

}  // namespace base
