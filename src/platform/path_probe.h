#pragma once

#include <string_view>

namespace platform {

// What an existence test found. Only Missing says the path is not there; Failed means the test itself could
// not tell (access denied, a sharing violation, a device that is not ready, a link that cannot be resolved).
enum class ProbeOutcome { Exists, Missing, Failed };

enum class ProbeDriveType { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

// Existence tests on UTF-8 paths, for judging whether a text names something on disk.
class PathProbe {
  public:
    virtual ~PathProbe() = default;
    // The attributes query of a file or folder.
    virtual ProbeOutcome Attributes(std::string_view path) const = 0;
    // A directory listing of the path (which may hold wildcards): Exists when an entry matches.
    virtual ProbeOutcome Find(std::string_view path) const = 0;
    // The type of a drive root such as "C:\".
    virtual ProbeDriveType DriveType(std::string_view root) const = 0;
};

const PathProbe& SystemPathProbe();

}  // namespace platform
