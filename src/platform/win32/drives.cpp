#include "platform/drives.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {

uint32_t LogicalDriveMask() {
    return GetLogicalDrives() & 0x03FFFFFFu;
}

DriveKind KindOfDrive(std::string_view root) {
    const UINT type = GetDriveTypeW(win32::Widen(root).c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveKind>(type) : DriveKind::Unknown;
}

}  // namespace platform
