#pragma once

#include <cstdint>
#include <string>

namespace base {

// Appends one code point (up to U+10FFFF; a lone surrogate is encoded as it is) in UTF-8.
void AppendUtf8(std::string& out, uint32_t code);

}  // namespace base
