#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// The system's drive types (the numbers are the system's own).
enum class DriveKind { Unknown = 0, NoRoot = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

// Bit 0 for A: up to bit 25 for Z:, set for every letter in use.
uint32_t LogicalDriveMask();

// The type of the drive whose root ("C:\") is given.
DriveKind KindOfDrive(std::string_view root);

}  // namespace platform
