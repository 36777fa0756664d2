#include "support/win/test_drives.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/win32/unicode.h"

namespace testing_support {
namespace {

// The mount manager's request for defining a drive, as Wine's own configuration tool sends it.
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

void DefineDrive(char letter, ULONG type, const std::string& unixPath) {
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        throw std::runtime_error("no mount manager (not running under Wine?)");
    std::vector<char> buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
    auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->size = static_cast<ULONG>(buffer.size());
    request->type = type;
    request->letter = static_cast<WCHAR>(letter - 'A' + 'a');
    // No mount point removes the drive.
    request->mountPointOffset = unixPath.empty() ? 0 : static_cast<USHORT>(sizeof(UnixDriveRequest));
    std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixPath.c_str(), unixPath.size());
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    nullptr, 0, nullptr, nullptr);
    CloseHandle(manager);
    if (!ok)
        throw std::runtime_error("the mount manager refused drive " + std::string(1, letter));
}

// Every test program of a run shares the prefix's letters, and ctest runs two at once: a letter seen free
// by both would be defined twice, each drive then showing the other's folder or vanishing with the other's
// test. A letter is claimed by creating a named object for it, which only one process can create; the
// claim lasts until the drive is removed.
HANDLE ClaimLetter(char letter) {
    const std::wstring name = L"VireoTestDriveLetter" + std::wstring(1, static_cast<wchar_t>(letter));
    HANDLE claim = CreateMutexW(nullptr, FALSE, name.c_str());
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        return nullptr;
    }
    return claim;
}

// Wine keeps a removed drive's bit in GetLogicalDrives for the rest of the prefix's life, so after a few
// test programs every letter would look taken; the root's own type says whether the letter is in use.
char FreeLetter(HANDLE& claim) {
    for (char letter = 'Y'; letter >= 'D'; --letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        if (GetDriveTypeW(root) != DRIVE_NO_ROOT_DIR)
            continue;
        claim = ClaimLetter(letter);
        if (claim)
            return letter;
    }
    throw std::runtime_error("no free drive letter");
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        throw std::runtime_error("not running under Wine");
    char* unixPath = convert(platform::win32::Widen(windowsPath).c_str());
    if (!unixPath)
        throw std::runtime_error("no Linux path for " + windowsPath);
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

TestDrive::TestDrive(DriveType type, const std::string& folder, char letter) {
    HANDLE claim = nullptr;
    if (letter) {
        claim = ClaimLetter(letter);
        if (!claim)
            throw std::runtime_error("drive letter " + std::string(1, letter) + " is in use by another test");
    }
    letter_ = letter ? letter : FreeLetter(claim);
    claim_ = claim;
    try {
        std::string unixPath = UnixPathOf(folder);
        while (unixPath.size() > 1 && unixPath.back() == '/')
            unixPath.pop_back();
        DefineDrive(letter_, static_cast<ULONG>(type), unixPath);
    } catch (...) {
        CloseHandle(claim);
        throw;
    }
}

TestDrive::~TestDrive() {
    try {
        DefineDrive(letter_, DRIVE_NO_ROOT_DIR, "");  // the type that tells the mount manager to remove it
    } catch (const std::exception&) {
        // The prefix is thrown away after the run anyway.
    }
    CloseHandle(static_cast<HANDLE>(claim_));  // only once the letter is free again
}

}  // namespace testing_support
