#include "platform/program_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

std::string& FolderForTests() {
    static std::string folder;
    return folder;
}

std::string ExecutablePath() {
    // The buffer grows until the path fits: a long path is cut silently at the buffer's size.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::Narrow(buffer);
        }
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

// Only a refusal by the system says that the program may not write in a folder; a file that is merely
// locked or a name that is taken does not.
bool Refused(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

class SystemProbe final : public SettingsFolderProbe {
  public:
    bool Holds(const std::string& folder, std::string_view name) const override {
        const DWORD attributes = GetFileAttributesW(win32::ExactPath(folder + std::string(name)).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool MayWriteIn(const std::string& folder) const override {
        const std::wstring options = win32::ExactPath(folder + std::string(kOptionsIniName));
        const DWORD attributes = GetFileAttributesW(options.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // A read-only Options.ini is the user's own choice, kept where it is.
            if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
                return true;
            return Opens(options, OPEN_EXISTING, 0);
        }
        // Opening an existing file for writing changes nothing; a new one is only tried while there is none.
        const std::string probe = folder + "~vireo-" + std::to_string(GetCurrentProcessId()) + ".tmp";
        return Opens(win32::ExactPath(probe), CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
    }

    bool MakeUserFolder(const std::string& userFolder, const std::string& programFolder) const override {
        if (!CreateDirectoryW(win32::ExactPath(userFolder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        const std::string name(kOptionsIniName);
        if (Holds(programFolder, name))
            CopyFileW(win32::ExactPath(programFolder + name).c_str(), win32::ExactPath(userFolder + name).c_str(),
                      TRUE);
        return true;
    }

  private:
    static bool Opens(const std::wstring& path, DWORD disposition, DWORD flags) {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        disposition, flags, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return !Refused(GetLastError());
        CloseHandle(file);
        return true;
    }
};

// %APPDATA%, or the system's roaming application-data folder when the environment has no such name.
std::string AppDataFolder() {
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (length > 1) {
        std::wstring value(length, L'\0');
        const DWORD got = GetEnvironmentVariableW(L"APPDATA", value.data(), length);
        if (got > 0 && got < length) {
            value.resize(got);
            return win32::Narrow(value);
        }
    }
    PWSTR known = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)))
        folder = win32::Narrow(known);
    CoTaskMemFree(known);
    return folder;
}

}  // namespace

std::string SettingsFolder() {
    return ChooseSettingsFolder(ProgramFolder(), UserSettingsFolder(AppDataFolder()), SystemProbe());
}

std::string ProgramFolder() {
    if (!FolderForTests().empty())
        return FolderForTests();
    static const std::string folder = FolderOfModulePath(ExecutablePath());
    return folder;
}

void SetProgramFolderForTests(std::string_view folder) {
    FolderForTests() = WithTrailingBackslash(std::string(folder));
}

}  // namespace platform
