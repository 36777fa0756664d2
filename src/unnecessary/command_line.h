#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace unnecessary {

// The switches of an unattended run. Arguments as the program received them, without its own name.
struct CommandLine {
    std::optional<std::string> folder;  // argument 1, never a switch
    bool AutoDelete = false;
    std::vector<std::string> keepSpecs;    // each "-keep=" list, lower-cased, at most 999 characters
    std::vector<std::string> deleteSpecs;  // each "-delete=" list, the same
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The longest list a switch takes. A list cut there loses the item the cut falls into, so a cut pattern can
// never name other files than the one given.
constexpr size_t kMaxSpecLength = 999;
std::string CutSpecList(std::string_view list);

// Adds to list the full path of every file that an item of text (a mask list of paths, wildcards allowed in
// the name) matches. Folders, "." and ".." are never added; an item that is not a full path ("X:\..." or
// "\\server\share\...") or that matches nothing adds nothing.
void ExpandSpecList(base::SortedStringList& list, std::string_view text, const platform::FileSystem& fileSystem);

using platform::SystemVersion;

// Windows 95/98, or the NT line from version 4.
bool IsSupportedSystem(const SystemVersion& version);

}  // namespace unnecessary
