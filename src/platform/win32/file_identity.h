#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/file_system.h"

namespace platform::win32 {

// The volume serial and file id of an open file or folder, in the form the listings give them, so that
// ids from listings, lookups and opened files compare.
FileId IdentityOf(HANDLE handle);
// The volume serial alone; nothing when the system does not say.
std::optional<uint64_t> VolumeSerialOf(HANDLE handle);

// The same for a file whose id the caller read in a listing: when the open file still carries that file id,
// its volume is the listed one and is not asked of the system again (the volume query costs far more than
// the rest under Wine).
FileId IdentityOf(HANDLE handle, const FileId& listed);

}  // namespace platform::win32
