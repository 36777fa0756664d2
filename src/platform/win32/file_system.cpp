#include "platform/file_system.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

int64_t FileTimeValue(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

class Win32FileSystem final : public FileSystem {
  public:
    bool ForEachEntry(std::string_view folder, const std::function<void(const DirEntry&)>& fn) const override {
        std::string pattern(folder);
        if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/'))
            pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAW data;
        // The basic level skips the 8.3 alias, which is never used; the large fetch halves the round trips.
        HANDLE find = FindFirstFileExW(win32::LongPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        DirEntry entry;
        do {
            const wchar_t* name = data.cFileName;
            if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)))
                continue;
            entry.name = win32::Narrow(name);
            entry.attributes = data.dwFileAttributes;
            entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            entry.writeTime = FileTimeValue(data.ftLastWriteTime);
            fn(entry);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return true;
    }

    std::optional<DirEntry> FindEntry(std::string_view path) const override {
        // A lookup by attributes rather than a search, so a name is never taken as a wildcard pattern and
        // a drive root can be described too.
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (path.empty() || !GetFileAttributesExW(win32::LongPath(path).c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        DirEntry entry;
        const size_t slash = path.find_last_of("\\/");
        entry.name = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
        entry.attributes = data.dwFileAttributes;
        entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.writeTime = FileTimeValue(data.ftLastWriteTime);
        return entry;
    }

    std::string CurrentDirectory() const override {
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
            if (length == 0)
                return {};
            if (length < buffer.size()) {
                buffer.resize(length);
                return win32::Narrow(buffer);
            }
            buffer.resize(length);
        }
    }
};

}  // namespace

const FileSystem& SystemFileSystem() {
    static const Win32FileSystem instance;
    return instance;
}

std::optional<base::DateTime> LocalDateTimeOf(int64_t fileTime) {
    FILETIME utc;
    utc.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(fileTime) & 0xFFFFFFFFu);
    utc.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(fileTime) >> 32);
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::nullopt;
    base::DateTime result;
    result.year = local.wYear;
    result.month = local.wMonth;
    result.day = local.wDay;
    result.hour = local.wHour;
    result.minute = local.wMinute;
    result.second = local.wSecond;
    result.millisecond = local.wMilliseconds;
    return result;
}

}  // namespace platform
