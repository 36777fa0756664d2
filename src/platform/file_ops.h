#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What the system said when it refused: its code and its own words for it (empty code: no failure).
struct SystemReason {
    uint32_t code = 0;
    std::string text;
};

// What is at a path now. Unknown: the system could not tell (access denied, drive not ready); reason says why.
enum class PathKind { Missing, File, Folder, Unknown };

struct PathState {
    PathKind kind = PathKind::Unknown;
    SystemReason reason;
};

// The answer of one shell recycle operation over several files.
struct RecycleReport {
    bool ran = false;      // the shell was asked at all (false for an empty list)
    uint32_t result = 0;   // the shell's return code, 0 when it reports success
    bool aborted = false;  // the shell or the user stopped part of the operation
    std::string resultText;
};

// Whether the recycle bin would take a file, or the shell would delete it for good instead.
enum class RecycleBinAnswer {
    Takes,
    NoBin,      // its drive has none: a network, removable, CD or RAM drive
    TurnedOff,  // the bin of its drive is set to delete files at once
    TooLarge,   // larger than the bin of its drive holds
};

// Deleting files and telling whether a file is still there. UTF-8 full paths.
class FileOps {
  public:
    virtual ~FileOps() = default;

    // Moves every path to the recycle bin in one shell operation, without asking and without the shell's own
    // error boxes. The paths must be files; the caller checks each one afterwards.
    virtual RecycleReport Recycle(const std::vector<std::string>& paths) const = 0;

    // Deletes one file for good (never a folder). An empty reason on success.
    virtual SystemReason DeleteForGood(std::string_view path) const = 0;

    virtual PathState StateOf(std::string_view path) const = 0;

    // Whether Recycle would move the file at path to a recycle bin.
    virtual RecycleBinAnswer RecycleBinFor(std::string_view path) const = 0;

    // The longest path, in UTF-16 units, that Recycle can hand to the shell (it takes no \\?\ form).
    virtual size_t MaxRecyclePath() const = 0;
};

// The machine's (Win32 implementation).
const FileOps& SystemFileOps();

}  // namespace platform
