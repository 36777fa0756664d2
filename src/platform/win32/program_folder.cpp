#include "platform/program_folder.h"

#include <windows.h>

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

}  // namespace

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
