#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/format.h"

namespace registry {

// One registry value as a backup keeps it: where it lived and its exact data.
struct BackupValue {
    std::string rootName;  // "HKEY_CURRENT_USER", "HKEY_USERS" or "HKEY_LOCAL_MACHINE"
    std::string path;      // key path below the root, without a leading backslash
    std::string name;      // empty for the default value
    uint32_t type = 0;
    std::string bytes;

    bool operator==(const BackupValue&) const = default;
};

// The values as an importable registry file: "Windows Registry Editor Version 5.00", UTF-16 LE with a BOM,
// CR LF line ends. Clean strings are written as text, everything else as hex with its exact bytes.
std::string RegFileBytes(const std::vector<BackupValue>& values);

// Reads back a file RegFileBytes wrote (and the common forms of hand-written ones); nothing when the file
// is not such a file or asks for something a backup never holds, such as deleting keys or values.
std::optional<std::vector<BackupValue>> ParseRegFile(std::string_view bytes);

// "Registry backup 2026-12-09 13.50.12.reg"
std::string BackupFileName(const base::DateTime& when);

// Writes a temporary file beside the target and moves it into place, so a full disk or a crash never leaves
// a half-written file under the real name. False when any step fails; the temporary file is removed then.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);

}  // namespace registry
