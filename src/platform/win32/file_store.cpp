#include "platform/file_store.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/unicode.h"

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
        Handle file(CreateFileW(win32::LongPath(path).c_str(), GENERIC_READ,
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
        const std::wstring target = win32::LongPath(path);
        // Windows refuses to replace a read-only file; the move below would not under every system.
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
            return false;
        // The new file replaces the old one whole, so it takes over the old one's hidden and system marks.
        DWORD kept = FILE_ATTRIBUTE_NORMAL;
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
            kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        const std::wstring temporary = win32::LongPath(TemporaryPathBeside(path));
        Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, kept, nullptr));
        if (!file.valid())
            return false;
        const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) != 0;
        if (!file.Close() || !written ||
            !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        return true;
    }
};

}  // namespace

FileStore& SystemFileStore() {
    static SystemStore store;
    return store;
}

}  // namespace platform
