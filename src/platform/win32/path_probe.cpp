#include "platform/path_probe.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

// The codes that say the path is not there. Everything else (access denied, sharing violation, not ready,
// a link that cannot be resolved) leaves the question open.
bool MeansMissing(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return true;
        default:
            return false;
    }
}

class Win32PathProbe final : public PathProbe {
  public:
    ProbeOutcome Attributes(std::string_view path) const override {
        const std::wstring wide = win32::LongPath(path);
        SetLastError(ERROR_SUCCESS);
        if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
            return ProbeOutcome::Exists;
        return MeansMissing(GetLastError()) ? ProbeOutcome::Missing : ProbeOutcome::Failed;
    }

    ProbeOutcome Find(std::string_view path) const override {
        const std::wstring wide = win32::LongPath(path);
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileExW(wide.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
        if (find != INVALID_HANDLE_VALUE) {
            FindClose(find);
            return ProbeOutcome::Exists;
        }
        return MeansMissing(GetLastError()) ? ProbeOutcome::Missing : ProbeOutcome::Failed;
    }

    ProbeDriveType DriveType(std::string_view root) const override {
        const std::wstring wide = win32::Widen(root);
        const UINT type = GetDriveTypeW(wide.c_str());
        return type <= DRIVE_RAMDISK ? static_cast<ProbeDriveType>(type) : ProbeDriveType::Unknown;
    }
};

}  // namespace

const PathProbe& SystemPathProbe() {
    static const Win32PathProbe probe;
    return probe;
}

}  // namespace platform
