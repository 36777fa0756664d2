#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/system.h"

namespace unnecessary {

// The items of one "-keep=" or "-delete=" list. The list arrives as one argument with its quotes already
// taken off by the system, so a blank in it is part of a path: items are separated by commas, or by blanks
// only where the next item plainly starts a new full path ("X:\", "\\server\share\") or a quoted item. An
// item in double quotes may hold commas (a doubled quote stands for one). Blanks around an item go; empty
// items are dropped.
struct SpecItems {
    std::vector<std::string> items;
    std::vector<std::string> cutOff;  // items that do not end within the length limit, as far as given
};

// The longest list a switch takes. An item the limit cuts is left out whole, so a cut pattern can never
// name other files than the one given.
constexpr size_t kMaxSpecLength = 999;
SpecItems SplitSpecList(std::string_view list);

// The switches of an unattended run. Arguments as the program received them, without its own name.
struct CommandLine {
    std::optional<std::string> folder;  // argument 1, never a switch
    bool AutoDelete = false;
    SpecItems keep;    // every "-keep=" list's items, lower-cased
    SpecItems remove;  // every "-delete=" list's items, the same
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// True when the switches ask for an unattended run: a deletion, or files to keep or to delete.
bool IsUnattendedRun(const CommandLine& line);

// One file an item named: its full path (the item's folder part and the name as stored) and its identity.
struct SpecFile {
    std::string path;
    platform::FileId id;
};

struct SpecExpansion {
    std::vector<SpecFile> files;
    std::vector<std::string> unmatched;  // items that named no existing file
};

// The files that the items (full paths, wildcards allowed in the name) name. Folders, "." and ".." are
// never taken; an item that is not a full path ("X:\..." or "\\server\share\...") names nothing. A name
// without wildcards that no listed name matches is also looked up as written (an 8.3 alias names its file).
SpecExpansion ExpandSpecList(const std::vector<std::string>& items, const platform::FileSystem& fileSystem);

using platform::SystemVersion;

// Windows 95/98, or the NT line from version 4.
bool IsSupportedSystem(const SystemVersion& version);

}  // namespace unnecessary
