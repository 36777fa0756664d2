#include "platform/volume_info.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

// The DOS call interface of the 95/98 family's VWIN32 device.
constexpr DWORD kVwin32DosIoctl = 1;
constexpr DWORD kCarryFlag = 1;

struct DosRegisters {
    DWORD ebx, edx, ecx, eax, edi, esi, flags;
};
static_assert(sizeof(DosRegisters) == 28);

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

class Win32VolumeInfo final : public VolumeInfo {
  public:
    std::optional<ClusterGeometry> Geometry(std::string_view root) const override {
        DWORD sectorsPerCluster = 0;
        DWORD bytesPerSector = 0;
        DWORD freeClusters = 0;
        DWORD totalClusters = 0;
        if (!GetDiskFreeSpaceW(win32::Widen(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters))
            return std::nullopt;
        return ClusterGeometry{bytesPerSector, sectorsPerCluster};
    }

    std::optional<FreeSpace> FreeBytes(std::string_view root) const override {
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        ULARGE_INTEGER totalFree;
        if (!GetDiskFreeSpaceExW(win32::Widen(root).c_str(), &available, &total, &totalFree))
            return std::nullopt;
        return FreeSpace{available.QuadPart, totalFree.QuadPart};
    }

    bool CompressesFiles(std::string_view root) const override {
        DWORD flags = 0;
        return GetVolumeInformationW(win32::Widen(root).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
               (flags & FILE_FILE_COMPRESSION) != 0;
    }

    std::optional<uint64_t> CompressedSize(std::string_view path) const override {
        DWORD high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = GetCompressedFileSizeW(win32::ExactPath(path).c_str(), &high);
        // All ones in the low half is also a real size; only the error code tells them apart.
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
            return std::nullopt;
        return (static_cast<uint64_t>(high) << 32) | low;
    }

    bool IsWindows9xFamily() const override { return (GetVersion() & 0x80000000u) != 0; }

    std::optional<uint64_t> ParameterBlockClusterSize(std::string_view root) const override {
        if (root.empty() || !IsWindows9xFamily())
            return std::nullopt;
        HANDLE opened = CreateFileW(L"\\\\.\\VWIN32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return std::nullopt;
        const UniqueHandle device(opened);
        // Device parameters: special functions at 0, the BIOS parameter block from offset 7.
        unsigned char parameters[256] = {};
        DosRegisters registers = {};
        registers.ebx = static_cast<DWORD>((root[0] & ~0x20) - 'A' + 1);
        // The 95/98 family runs 32-bit programs only, where an address fits the register.
        registers.edx = static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameters));
        registers.ecx = 0x0860;  // disk category, get device parameters
        registers.eax = 0x440D;  // generic block-device request
        registers.flags = kCarryFlag;
        DWORD returned = 0;
        if (!DeviceIoControl(device.get(), kVwin32DosIoctl, &registers, sizeof(registers), &registers,
                             sizeof(registers), &returned, nullptr) ||
            (registers.flags & kCarryFlag) != 0)
            return std::nullopt;
        uint16_t bytesPerSector = 0;
        std::memcpy(&bytesPerSector, parameters + 7, sizeof(bytesPerSector));
        return static_cast<uint64_t>(bytesPerSector) * parameters[9];
    }
};

}  // namespace

const VolumeInfo& SystemVolumeInfo() {
    static const Win32VolumeInfo instance;
    return instance;
}

}  // namespace platform
