#include "platform/file_system.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "platform/locale.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/file_identity.h"
#include "platform/win32/handles.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

using win32::FileHandle;
using win32::FindHandle;
using win32::IdentityOf;

int64_t FileTimeValue(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

uint64_t SizeValue(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

bool IsDotOrDotDot(std::wstring_view name) {
    return name == L"." || name == L"..";
}

// One listing of an open folder by the extended directory query, which gives ids, allocation and reparse
// tags in the same pass as names. False when the file system does not answer that query at all.
//
// The volume serial is asked of the system once per folder, and only when the folder has entries; the query
// goes through the volume's driver and costs far more than the listing itself under Wine. A caller that has
// the folder's own entry hands it in: when the folder's "." entry carries the same file id, the folder is
// still the one that entry describes, so it lies on the volume the entry names.
class DirectoryQuery {
  public:
    static constexpr DWORD kBufferSize = 64 * 1024;  // the most a network redirector takes in one call

    DirectoryQuery(HANDLE folder, const DirEntry* folderEntry)
        : folder_(folder), folderEntry_(folderEntry), buffer_(std::make_unique<unsigned char[]>(kBufferSize)) {}

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

    static std::wstring_view NameOf(const FILE_ID_EXTD_DIR_INFO& info) {
        return {info.FileName, info.FileNameLength / sizeof(wchar_t)};
    }
    static std::wstring_view NameOf(const FILE_ID_BOTH_DIR_INFO& info) {
        return {info.FileName, info.FileNameLength / sizeof(wchar_t)};
    }

    static void SetFileId(const FILE_ID_EXTD_DIR_INFO& info, FileId& id) {
        std::memcpy(&id.low, info.FileId.Identifier, 8);
        std::memcpy(&id.high, info.FileId.Identifier + 8, 8);
    }
    static void SetFileId(const FILE_ID_BOTH_DIR_INFO& info, FileId& id) {
        id.low = static_cast<uint64_t>(info.FileId.QuadPart);
        id.high = 0;
    }

    // For a reparse point the extended-attribute size field of the 64-bit form carries its tag.
    static DWORD TagOf(const FILE_ID_EXTD_DIR_INFO& info) { return info.ReparsePointTag; }
    static DWORD TagOf(const FILE_ID_BOTH_DIR_INFO& info) { return info.EaSize; }

    template <typename Info>
    static void ForEachRecord(const unsigned char* at, const std::function<void(const Info&)>& fn) {
        for (;;) {
            const auto& info = *reinterpret_cast<const Info*>(at);
            fn(info);
            if (info.NextEntryOffset == 0)
                return;
            at += info.NextEntryOffset;
        }
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
            if (restart)
                ForEachRecord<Info>(buffer_.get(), [this](const Info& info) {
                    if (NameOf(info) == L".") {
                        SetFileId(info, ownId_);
                        ownId_.known = true;
                    }
                });
            restart = false;
            ForEachRecord<Info>(buffer_.get(), [&](const Info& info) { Report(info, fn); });
        }
    }

    template <typename Info>
    void Report(const Info& info, const std::function<void(const DirEntry&)>& fn) {
        const std::wstring_view name = NameOf(info);
        if (IsDotOrDotDot(name))
            return;
        entry_.name = win32::Narrow(name);
        entry_.attributes = info.FileAttributes;
        entry_.size = static_cast<uint64_t>(info.EndOfFile.QuadPart);
        entry_.allocatedSize = static_cast<uint64_t>(info.AllocationSize.QuadPart);
        entry_.writeTime = info.LastWriteTime.QuadPart;
        entry_.reparseTag = (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? TagOf(info) : 0;
        SetFileId(info, entry_.id);
        const std::optional<uint64_t>& serial = VolumeSerial();
        entry_.id.volumeSerial = serial.value_or(0);
        // A file system without ids answers 0: no identity then.
        entry_.id.known = serial && (entry_.id.low != 0 || entry_.id.high != 0);
        fn(entry_);
    }

    const std::optional<uint64_t>& VolumeSerial() {
        if (!volumeAsked_) {
            volumeAsked_ = true;
            const bool stillTheListedFolder = folderEntry_ && folderEntry_->id.known && ownId_.known &&
                                              folderEntry_->id.low == ownId_.low &&
                                              folderEntry_->id.high == ownId_.high;
            serial_ = stillTheListedFolder ? folderEntry_->id.volumeSerial : win32::VolumeSerialOf(folder_);
        }
        return serial_;
    }

    HANDLE folder_;
    const DirEntry* folderEntry_;
    std::unique_ptr<unsigned char[]> buffer_;
    FileId ownId_;  // the "." entry's id
    bool volumeAsked_ = false;
    std::optional<uint64_t> serial_;  // the folder's volume serial, once asked
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

bool List(std::string_view folder, const DirEntry* folderEntry, const std::function<void(const DirEntry&)>& fn) {
    const std::wstring path = win32::ExactPath(folder);
    if (path.empty())
        return false;
    const FileHandle handle(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.Valid()) {
        DirectoryQuery query(handle.Get(), folderEntry);
        if (const auto listed = query.Run(fn))
            return *listed;
    }
    return SearchListing(path, fn);
}

class Win32FileSystem final : public FileSystem {
  public:
    bool ForEachEntry(std::string_view folder, const std::function<void(const DirEntry&)>& fn) const override {
        return List(folder, nullptr, fn);
    }

    bool ForEachEntryOfListedFolder(std::string_view folder,
                                    const DirEntry& folderEntry,
                                    const std::function<void(const DirEntry&)>& fn) const override {
        return List(folder, &folderEntry, fn);
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
