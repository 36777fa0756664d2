#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"
#include "platform/file_system.h"

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

// The system the window runs on: family 1 is Windows 95/98, family 2 the NT line.
struct SystemVersion {
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
};

bool IsSupportedSystem(const SystemVersion& version);

}  // namespace unnecessary
