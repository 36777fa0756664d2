#pragma once

#include <string>
#include <string_view>

namespace duplicates {

// Letter case of UTF-8 text for folder and file names: A to Z and the accented Latin letters (so Ä, Ö and
// Å of Finnish names too); other characters are kept as they are.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

// Without leading and trailing blanks and control characters.
std::string_view Trimmed(std::string_view text);

}  // namespace duplicates
