#include "platform/file_system.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "platform/locale.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/handles.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

using win32::FileHandle;
using win32::FindHandle;

int64_t FileTimeValue(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

uint64_t SizeValue(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

bool IsDotOrDotDot(std::wstring_view name) {
    return name == L"." || name == L"..";
}

// The volume serial and file id of an open file or folder. The 128-bit form first, so ids agree with a
// listing that gives 128-bit ids; both forms give the same 64-bit id on NTFS and under Wine.
FileId IdentityOf(HANDLE handle) {
    FileId id;
    FILE_ID_INFO wide;
    if (GetFileInformationByHandleEx(handle, FileIdInfo, &wide, sizeof(wide))) {
        id.volumeSerial = wide.VolumeSerialNumber;
        std::memcpy(&id.low, wide.FileId.Identifier, 8);
        std::memcpy(&id.high, wide.FileId.Identifier + 8, 8);
        id.known = true;
        return id;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(handle, &info)) {
        id.volumeSerial = info.dwVolumeSerialNumber;
        id.low = SizeValue(info.nFileIndexHigh, info.nFileIndexLow);
        id.known = true;
    }
    return id;
}

// One listing of an open folder by the extended directory query, which gives ids, allocation and reparse
// tags in the same pass as names. False when the file system does not answer that query at all.
class DirectoryQuery {
  public:
    static constexpr DWORD kBufferSize = 64 * 1024;  // the most a network redirector takes in one call

    DirectoryQuery(HANDLE folder, uint64_t volumeSerial)
        : folder_(folder), volumeSerial_(volumeSerial), buffer_(std::make_unique<unsigned char[]>(kBufferSize)) {}

    // Tries the 128-bit id form, then the 64-bit one. Nothing when neither is known to the file system.
    std::optional<bool> Run(const std::function<void(const DirEntry&)>& fn) {
        if (auto result = Read<FILE_ID_EXTD_DIR_INFO>(FileIdExtdDirectoryRestartInfo, FileIdExtdDirectoryInfo, fn))
            return result;
        return Read<FILE_ID_BOTH_DIR_INFO>(FileIdBothDirectoryRestartInfo, FileIdBothDirectoryInfo, fn);
    }

  private:
    static bool Unsupported(DWORD error) {
        return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_LEVEL ||
               error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED;
    }

    template <typename Info>
    std::optional<bool> Read(FILE_INFO_BY_HANDLE_CLASS first,
                             FILE_INFO_BY_HANDLE_CLASS next,
                             const std::function<void(const DirEntry&)>& fn) {
        bool restart = true;
        for (;;) {
            if (!GetFileInformationByHandleEx(folder_, restart ? first : next, buffer_.get(), kBufferSize)) {
                const DWORD error = GetLastError();
                if (error == ERROR_NO_MORE_FILES || (restart && error == ERROR_FILE_NOT_FOUND))
                    return true;
                if (restart && Unsupported(error))
                    return std::nullopt;
                return !restart;  // a listing cut short keeps what it gave
            }
            restart = false;
            const unsigned char* at = buffer_.get();
            for (;;) {
                const auto* info = reinterpret_cast<const Info*>(at);
                Report(*info, fn);
                if (info->NextEntryOffset == 0)
                    break;
                at += info->NextEntryOffset;
            }
        }
    }

    void Report(const FILE_ID_EXTD_DIR_INFO& info, const std::function<void(const DirEntry&)>& fn) {
        if (!Fill(info, info.ReparsePointTag))
            return;
        std::memcpy(&entry_.id.low, info.FileId.Identifier, 8);
        std::memcpy(&entry_.id.high, info.FileId.Identifier + 8, 8);
        fn(entry_);
    }

    void Report(const FILE_ID_BOTH_DIR_INFO& info, const std::function<void(const DirEntry&)>& fn) {
        // For a reparse point the extended-attribute size field carries its tag.
        if (!Fill(info, info.EaSize))
            return;
        entry_.id.low = static_cast<uint64_t>(info.FileId.QuadPart);
        entry_.id.high = 0;
        fn(entry_);
    }

    template <typename Info>
    bool Fill(const Info& info, DWORD tag) {
        const std::wstring_view name(info.FileName, info.FileNameLength / sizeof(wchar_t));
        if (IsDotOrDotDot(name))
            return false;
        entry_.name = win32::Narrow(name);
        entry_.attributes = info.FileAttributes;
        entry_.size = static_cast<uint64_t>(info.EndOfFile.QuadPart);
        entry_.allocatedSize = static_cast<uint64_t>(info.AllocationSize.QuadPart);
        entry_.writeTime = info.LastWriteTime.QuadPart;
        entry_.reparseTag = (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? tag : 0;
        entry_.id.volumeSerial = volumeSerial_;
        entry_.id.known = true;
        return true;
    }

    HANDLE folder_;
    uint64_t volumeSerial_;
    std::unique_ptr<unsigned char[]> buffer_;
    DirEntry entry_;
};

// The classic search, for file systems without the extended query: no ids, no allocation.
bool SearchListing(std::wstring pattern, const std::function<void(const DirEntry&)>& fn) {
    if (pattern.empty())
        return false;
    if (pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (!find.Valid())
        return false;
    DirEntry entry;
    do {
        if (IsDotOrDotDot(data.cFileName))
            continue;
        entry.name = win32::Narrow(data.cFileName);
        entry.attributes = data.dwFileAttributes;
        entry.size = SizeValue(data.nFileSizeHigh, data.nFileSizeLow);
        entry.writeTime = FileTimeValue(data.ftLastWriteTime);
        entry.reparseTag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
        fn(entry);
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

// The facts only an open handle gives: identity, allocation, the reparse tag.
void AddHandleFacts(const std::wstring& path, DirEntry& entry) {
    const FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid())
        return;
    entry.id = IdentityOf(file.Get());
    FILE_STANDARD_INFO standard;
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &standard, sizeof(standard)))
        entry.allocatedSize = static_cast<uint64_t>(standard.AllocationSize.QuadPart);
    FILE_ATTRIBUTE_TAG_INFO tag;
    if ((entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        GetFileInformationByHandleEx(file.Get(), FileAttributeTagInfo, &tag, sizeof(tag)))
        entry.reparseTag = tag.ReparseTag;
}

class Win32FileSystem final : public FileSystem {
  public:
    bool ForEachEntry(std::string_view folder, const std::function<void(const DirEntry&)>& fn) const override {
        const std::wstring path = win32::ExactPath(folder);
        if (path.empty())
            return false;
        const FileHandle handle(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (handle.Valid()) {
            DirectoryQuery query(handle.Get(), IdentityOf(handle.Get()).volumeSerial);
            if (const auto listed = query.Run(fn))
                return *listed;
        }
        return SearchListing(path, fn);
    }

    std::optional<DirEntry> FindEntry(std::string_view path) const override {
        // A lookup by attributes rather than a search, so a name is never taken as a wildcard pattern and
        // a drive root can be described too; it also reports a link as a link where an open would follow it.
        const std::wstring exact = win32::ExactPath(path);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (exact.empty() || !GetFileAttributesExW(exact.c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        DirEntry entry;
        // A root ("\\?\C:\") has no name of its own.
        if (exact.back() != L'\\')
            entry.name = win32::Narrow(std::wstring_view(exact).substr(exact.find_last_of(L'\\') + 1));
        entry.attributes = data.dwFileAttributes;
        entry.size = SizeValue(data.nFileSizeHigh, data.nFileSizeLow);
        entry.writeTime = FileTimeValue(data.ftLastWriteTime);
        AddHandleFacts(exact, entry);
        return entry;
    }

    std::string CurrentDirectory() const override { return win32::CurrentDirectoryText(); }

    base::TextOrder NameOrder() const override { return LocaleTextOrder(); }
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
