#include "platform/path_probe.h"

#include <windows.h>

#include <utility>

#include "platform/win32/extended_path.h"
#include "platform/win32/handles.h"
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

ProbeOutcome QueryAttributes(const std::wstring& path) {
    SetLastError(ERROR_SUCCESS);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return ProbeOutcome::Exists;
    return MeansMissing(GetLastError()) ? ProbeOutcome::Missing : ProbeOutcome::Failed;
}

ProbeOutcome QueryListing(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const win32::FindHandle find(
        FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (find.Valid())
        return ProbeOutcome::Exists;
    return MeansMissing(GetLastError()) ? ProbeOutcome::Missing : ProbeOutcome::Failed;
}

// On 64-bit Windows a 32-bit program's System32 is the SysWOW64 folder, so the registrations of 32-bit
// software name System32 for files that live only in SysWOW64. Such a path is missing only when it is
// missing in both.
std::string Wow64Twin(std::string_view path) {
    static const std::pair<std::string, std::string> folders = [] {
        wchar_t system[MAX_PATH + 1] = {};
        wchar_t wow[MAX_PATH + 1] = {};
        const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH + 1);
        const UINT wowLength = GetSystemWow64DirectoryW(wow, MAX_PATH + 1);
        if (systemLength == 0 || systemLength > MAX_PATH || wowLength == 0 || wowLength > MAX_PATH)
            return std::pair<std::string, std::string>{};
        return std::pair<std::string, std::string>{win32::Narrow(std::wstring_view(system, systemLength)),
                                                   win32::Narrow(std::wstring_view(wow, wowLength))};
    }();
    const auto& [system, wow] = folders;
    if (system.empty() || path.size() < system.size())
        return {};
    const std::wstring head = win32::Widen(path.substr(0, system.size()));
    const std::wstring wideSystem = win32::Widen(system);
    if (CompareStringOrdinal(head.c_str(), static_cast<int>(head.size()), wideSystem.c_str(),
                             static_cast<int>(wideSystem.size()), TRUE) != CSTR_EQUAL)
        return {};
    if (path.size() > system.size() && path[system.size()] != '\\')
        return {};
    return wow + std::string(path.substr(system.size()));
}

// Texts are judged as any program opening them would take them: by the classic rules, ".." and all, at
// any length.
ProbeOutcome WithTwin(std::string_view path, ProbeOutcome (*query)(const std::wstring&)) {
    const ProbeOutcome outcome = query(win32::ClassicPath(path));
    if (outcome != ProbeOutcome::Missing)
        return outcome;
    const std::string twin = Wow64Twin(path);
    return twin.empty() ? outcome : query(win32::ClassicPath(twin));
}

class Win32PathProbe final : public PathProbe {
  public:
    ProbeOutcome Attributes(std::string_view path) const override { return WithTwin(path, QueryAttributes); }
    ProbeOutcome Find(std::string_view path) const override { return WithTwin(path, QueryListing); }

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
