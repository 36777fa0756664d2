#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The shell's type name of a file ("Text Document"), or nothing when the shell gives none. With
// attributes given, the shell judges by the name alone and the file need not be reachable.
std::optional<std::string> ShellTypeName(std::string_view path);
std::optional<std::string> ShellTypeNameByName(std::string_view name, uint32_t attributes);

}  // namespace platform
