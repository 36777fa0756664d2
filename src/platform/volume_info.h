#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

struct ClusterGeometry {
    uint64_t bytesPerSector = 0;
    uint64_t sectorsPerCluster = 0;
};

struct FreeSpace {
    uint64_t availableToUser = 0;  // what this user may still write (quotas applied)
    uint64_t totalFree = 0;
};

// Facts about the volume holding a drive root ("C:\"), and compressed file sizes. UTF-8 paths.
class VolumeInfo {
  public:
    virtual ~VolumeInfo() = default;

    // Sector and cluster sizes; nothing when the system cannot tell.
    virtual std::optional<ClusterGeometry> Geometry(std::string_view root) const = 0;
    // Free bytes; nothing when the system cannot tell.
    virtual std::optional<FreeSpace> FreeBytes(std::string_view root) const = 0;
    // True when the volume can compress files.
    virtual bool CompressesFiles(std::string_view root) const = 0;
    // The bytes a compressed file takes; nothing when the system cannot tell.
    virtual std::optional<uint64_t> CompressedSize(std::string_view path) const = 0;

    // True on the Windows 95/98 family, where the cluster size comes from the disk's parameter block.
    virtual bool IsWindows9xFamily() const = 0;
    // Bytes per sector times sectors per cluster from the disk's parameter block (95/98 family only).
    virtual std::optional<uint64_t> ParameterBlockClusterSize(std::string_view root) const = 0;
};

// The machine's volumes (Win32 implementation).
const VolumeInfo& SystemVolumeInfo();

}  // namespace platform
