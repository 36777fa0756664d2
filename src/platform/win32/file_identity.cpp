#include "platform/win32/file_identity.h"

#include <winternl.h>

#include <cstring>
#include <optional>

namespace platform::win32 {
namespace {

// The file's 64-bit index alone, which the system gives without a look at the volume.
std::optional<uint64_t> FileIndexOf(HANDLE handle) {
    struct {
        LARGE_INTEGER index;
    } internal{};
    IO_STATUS_BLOCK status{};
    if (NtQueryInformationFile(handle, &status, &internal, sizeof(internal), FileInternalInformation) != 0)
        return std::nullopt;
    return static_cast<uint64_t>(internal.index.QuadPart);
}

// The 128-bit form first, so ids agree with a listing that gives 128-bit ids; both forms give the same
// 64-bit id on NTFS and under Wine. False when the system answers neither.
bool Query(HANDLE handle, FileId& id) {
    FILE_ID_INFO wide;
    if (GetFileInformationByHandleEx(handle, FileIdInfo, &wide, sizeof(wide))) {
        id.volumeSerial = wide.VolumeSerialNumber;
        std::memcpy(&id.low, wide.FileId.Identifier, 8);
        std::memcpy(&id.high, wide.FileId.Identifier + 8, 8);
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return false;
    id.volumeSerial = info.dwVolumeSerialNumber;
    id.low = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace

FileId IdentityOf(HANDLE handle) {
    FileId id;
    // A file system without ids answers 0: no identity then.
    id.known = Query(handle, id) && (id.low != 0 || id.high != 0);
    return id;
}

std::optional<uint64_t> VolumeSerialOf(HANDLE handle) {
    FileId id;
    if (!Query(handle, id))
        return std::nullopt;
    return id.volumeSerial;
}

FileId IdentityOf(HANDLE handle, const FileId& listed) {
    if (listed.known && listed.high == 0) {
        const auto index = FileIndexOf(handle);
        if (index && *index != 0 && *index == listed.low)
            return listed;
    }
    return IdentityOf(handle);
}

}  // namespace platform::win32
