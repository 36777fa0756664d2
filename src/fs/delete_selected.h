#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_ops.h"

namespace fs {

enum class DeleteMethod { RecycleBin, Permanent };

enum class DeleteResult {
    Gone,        // no file at the path afterwards: deleted now, or not there any more before
    StillThere,  // the operation ran and the file is still there
    Failed,      // the system refused, or the file could not be handed over at all; reason says why
};

struct DeleteOutcome {
    std::string path;
    DeleteResult result = DeleteResult::Failed;
    platform::SystemReason reason;  // the system's code and words, or code 0 and a text of ours
};

// Deletes the files at paths (full paths, in the order given) to the recycle bin, in one shell operation, or
// for good, one by one. A file the recycle bin would not take (no bin on its drive, too large) is not handed
// to the shell, which would delete it for good: it is Failed with the reason, for the user to choose. Folders are never
// deleted: a folder found at a path counts as its file being gone. A file is reported Gone only when the existence
// check afterwards finds no file there. onEach, when set, hears each outcome as soon as it is known (between two
// permanent deletions, so a window can ask the user before the next one). Returns the outcomes in the order of paths.
std::vector<DeleteOutcome> DeleteSelected(const platform::FileOps& ops,
                                          const std::vector<std::string>& paths,
                                          DeleteMethod method,
                                          const std::function<void(const DeleteOutcome&)>& onEach = {});

// The recycle bin left these files where they were: one line per file with the reason.
std::string LeftInPlaceText(const std::vector<DeleteOutcome>& outcomes);

// Whether the shell's recycle operation names exactly this file: a drive or network path of at most maxLength
// UTF-16 units, none of whose names is empty, "." or "..", ends in a dot or a blank, or holds a wildcard (the
// shell would tidy such a name into another file's, or expand it).
bool ShellCanNameExactly(std::string_view path, size_t maxLength);

// The length of a UTF-8 text in UTF-16 units.
size_t Utf16Length(std::string_view utf8);

}  // namespace fs
