#include "platform/file_store.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/extended_path.h"

namespace platform {
namespace {

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// Beside the file, so the final move never crosses volumes; unique within and across processes.
std::string TemporaryPathBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

class SystemStore : public FileStore {
  public:
    ReadStatus ReadAll(const std::string& path, std::string& bytes, uint64_t limit) const override {
        bytes.clear();
        Handle file(CreateFileW(win32::ExactPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing
                                                                                  : ReadStatus::Failed;
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > limit)
            return ReadStatus::Failed;
        std::string content(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        while (done < content.size()) {
            DWORD got = 0;
            const DWORD want =
                static_cast<DWORD>(content.size() - done > (1u << 30) ? (1u << 30) : content.size() - done);
            if (!::ReadFile(file.get(), content.data() + done, want, &got, nullptr))
                return ReadStatus::Failed;
            if (got == 0)
                break;  // shorter than it said: it shrank under us
            done += got;
        }
        content.resize(done);
        bytes = std::move(content);
        return ReadStatus::Read;
    }

    bool ReplaceAll(const std::string& path, std::string_view bytes) override {
        const std::wstring target = win32::ExactPath(path);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        // A read-only file is the user's word that it must not change, as the profile functions take it.
        if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
            return false;
        if (exists && HasOtherNames(target, attributes))
            return WriteInPlace(target, bytes);
        const std::wstring temporary = win32::ExactPath(TemporaryPathBeside(path));
        if (!WriteNewFile(temporary, bytes, KeptAttributes(exists ? attributes : 0)))
            return WriteInPlace(target, bytes);
        if (!exists) {
            if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            DeleteFileW(temporary.c_str());
            return false;
        }
        return ReplaceWith(target, temporary, bytes);
    }

  private:
    // A file that is reached under more names than this one (hard links, a symbolic link) keeps its
    // identity only when written where it is; a replacement would part the names.
    static bool HasOtherNames(const std::wstring& target, DWORD attributes) {
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            return true;
        Handle file(CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        return file.valid() && GetFileInformationByHandle(file.get(), &information) && information.nNumberOfLinks > 1;
    }

    // The hidden and system marks travel with the new content even where the replacement does not
    // carry them over.
    static DWORD KeptAttributes(DWORD attributes) {
        const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        return (kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
    }

    static bool WriteNewFile(const std::wstring& path, std::string_view bytes, DWORD attributes) {
        Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        if (!file.valid())
            return false;
        const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) != 0;
        if (file.Close() && written)
            return true;
        DeleteFileW(path.c_str());
        return false;
    }

    // The file itself is rewritten: its security, attributes, links and identity stay as they are.
    static bool WriteInPlace(const std::wstring& target, std::string_view bytes) {
        Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return false;
        const bool written =
            WriteAll(file.get(), bytes) && SetEndOfFile(file.get()) != 0 && FlushFileBuffers(file.get()) != 0;
        return file.Close() && written;
    }

    // The system's replacement keeps the old file's security descriptor, attributes and creation time.
    static bool ReplaceWith(const std::wstring& target, const std::wstring& temporary, std::string_view bytes) {
        if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
            return true;
        if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            // The old file is gone already and the new content lives only in the temporary file: it is
            // moved into place, or kept rather than lost.
            return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
        }
        DeleteFileW(temporary.c_str());
        // What the system could not carry over (a security descriptor we may not set) does not stop a
        // write that the file itself allows.
        return WriteInPlace(target, bytes);
    }
};

}  // namespace

FileStore& SystemFileStore() {
    static SystemStore store;
    return store;
}

}  // namespace platform
