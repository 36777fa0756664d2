#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/format.h"
#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "registry/reg.h"
#include "registry/registry_scan.h"

namespace registry {

// The root and the absolute key path (with its leading backslash) of a key cell made by the scan.
struct KeyCell {
    platform::RegistryRoot root;
    std::string rootName;
    std::string path;
};
// Nothing when the text before the first ":" is none of the three root names.
std::optional<KeyCell> SplitKeyCell(std::string_view cell);

// "Number of invalid references: 12", Finnish "Virheellisiä viittauksia: 12kpl".
std::string CountText(size_t count);

// Where the backup before a removal goes.
struct BackupTarget {
    std::string programFolder;  // with or without a trailing backslash
    base::DateTime now;         // local time, for the file name
    // Writes the whole file or reports false; WriteFileReplacing when empty.
    std::function<bool(const std::string& path, const std::string& bytes)> write;
    // Whether a file of that name exists already; PathExists when empty.
    std::function<bool(const std::string& path)> exists;
};

// A backup target whose file is looked for and written by the platform's own file access, which reaches
// every path exactly as given (long paths, names ending with a dot or a blank).
BackupTarget PlatformBackupTarget(std::string programFolder,
                                  const base::DateTime& now,
                                  platform::FileStore& store,
                                  const platform::FileSystem& files);

struct RemovalResult {
    // The backup could not be written: nothing was deleted and warning says so.
    bool backupFailed = false;
    std::string warning;
    std::string backupPath;  // the backup written; empty when no value needed saving
    // Indices into the given rows, ascending. Removed rows leave the grid: their value was deleted or was
    // already gone. Kept rows stay: their value changed since the scan or could not be deleted.
    std::vector<size_t> removedRows;
    std::vector<size_t> keptRows;
    // Why the kept rows stayed.
    size_t keptChanged = 0;    // the value is not the text the scan found
    size_t keptFailed = 0;     // the system refused to delete it
    size_t keptUnsavable = 0;  // its name cannot be written to the backup file
};

// Removes the values of the given rows (never a key): first every value still there is saved to a backup
// file in the program's folder, then deleted. Throws base::Error "Error opening registry key " + path when
// a row's key cannot be opened; before the backup is written nothing has been deleted.
RemovalResult RemoveRows(Reg& reg, const std::vector<ResultRow>& rows, const BackupTarget& target);

// The message that tells how many rows a removal kept and why, in the interface language; empty when it
// kept none.
std::string KeptRowsText(const RemovalResult& result);

}  // namespace registry
