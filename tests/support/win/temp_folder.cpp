#include "support/win/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

using platform::win32::ExactPath;
using platform::win32::Narrow;
using platform::win32::Widen;

namespace testing_support {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    path_ =
        Narrow(base) + "vireo-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + "\\";
    RemoveTree(path_);
    MakeFolder(path_);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void MakeFolder(const std::string& path) {
    std::string partial;
    for (size_t i = 0; i < path.size(); ++i) {
        partial += path[i];
        if ((path[i] == '\\' || i + 1 == path.size()) && partial.size() > 3)
            CreateDirectoryW(ExactPath(partial).c_str(), nullptr);
    }
}

void WriteFile(const std::string& path, const std::string& bytes) {
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeFolder(path.substr(0, slash + 1));
    HANDLE file =
        CreateFileW(ExactPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

bool ReadFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(ExactPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(ExactPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    const DWORD attributes = GetFileAttributesW(ExactPath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(ExactPath(folder).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    // A link is removed itself; what it points at is not ours.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(ExactPath(folder + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..")
                    RemoveTree(folder + "\\" + Narrow(name));
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(ExactPath(folder).c_str());
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(ExactPath(folder).c_str());
    } else {
        DeleteFileW(ExactPath(folder).c_str());
    }
}

}  // namespace testing_support
