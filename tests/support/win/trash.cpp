#include "support/win/trash.h"

#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace testing_support {
namespace {

std::string EnvironmentText(const wchar_t* name) {
    wchar_t value[4096];
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length == 0 || length >= 4096 ? std::string() : Narrow(std::wstring_view(value, length));
}

}  // namespace

std::string TrashFolder() {
    std::string path = EnvironmentText(L"XDG_DATA_HOME");
    if (!path.empty()) {
        path = "\\\\?\\unix" + path;
    } else {
        path = EnvironmentText(L"WINEHOMEDIR") + "/.local/share";  // "\??\unix/home/user"
        if (path.rfind("\\??\\", 0) == 0)
            path.replace(0, 4, "\\\\?\\");
    }
    path += "/Trash/";
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

bool TakeFromTrash(const std::string& name, const std::string& contents) {
    const std::string trashed = TrashFolder() + "files\\" + name;
    std::string bytes;
    const bool found = ReadFile(trashed, bytes) && bytes == contents;
    SetFileAttributesW(Widen(trashed).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Widen(trashed).c_str());
    DeleteFileW(Widen(TrashFolder() + "info\\" + name + ".trashinfo").c_str());
    return found;
}

HeldFile::HeldFile(const std::string& path)
    : handle_(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}

HeldFile::~HeldFile() {
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

}  // namespace testing_support
