#include "platform/file_reader.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/extended_path.h"
#include "platform/win32/file_identity.h"

namespace platform {
namespace {

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

std::optional<FileFacts> FactsOf(HANDLE handle, const FileId* listed) {
    FILE_BASIC_INFO basic;
    FILE_STANDARD_INFO standard;
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof(basic)) ||
        !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof(standard)))
        return std::nullopt;
    FileFacts facts;
    facts.size = static_cast<uint64_t>(standard.EndOfFile.QuadPart);
    facts.writeTime = basic.LastWriteTime.QuadPart;
    facts.id = listed ? win32::IdentityOf(handle, *listed) : win32::IdentityOf(handle);
    return facts;
}

class Win32ReadableFile final : public ReadableFile {
  public:
    Win32ReadableFile(HANDLE handle, const FileFacts& facts) : handle_(handle), facts_(facts) {}

    const FileFacts& Facts() const override { return facts_; }

    std::optional<size_t> Read(uint64_t offset, std::span<unsigned char> buffer) override {
        size_t total = 0;
        while (total < buffer.size()) {
            // The offset travels with each read, so no seek is needed between the files of a run.
            OVERLAPPED at{};
            const uint64_t position = offset + total;
            at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            const DWORD want = static_cast<DWORD>(std::min<size_t>(buffer.size() - total, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle_.Get(), buffer.data() + total, want, &got, &at)) {
                if (GetLastError() == ERROR_HANDLE_EOF)
                    break;
                return std::nullopt;
            }
            if (got == 0)
                break;
            total += got;
        }
        return total;
    }

  private:
    Handle handle_;
    FileFacts facts_;
};

class Win32FileReader final : public FileReader {
  public:
    std::unique_ptr<ReadableFile> Open(std::string_view path) const override { return OpenFile(path, nullptr); }

    std::unique_ptr<ReadableFile> OpenListed(std::string_view path, const FileId& listed) const override {
        return OpenFile(path, &listed);
    }

    std::optional<FileFacts> Describe(std::string_view path) const override {
        // No data access asked for, so a file another program keeps locked can still be described.
        Handle handle(CreateFileW(win32::ExactPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!handle.Valid())
            return std::nullopt;
        return FactsOf(handle.Get(), nullptr);
    }

  private:
    static std::unique_ptr<ReadableFile> OpenFile(std::string_view path, const FileId* listed) {
        // Plain reads rather than a mapping: a mapping costs far more to set up than the few reads most
        // candidates need.
        HANDLE handle = CreateFileW(win32::ExactPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        const auto facts = FactsOf(handle, listed);
        if (!facts) {
            CloseHandle(handle);
            return nullptr;
        }
        return std::make_unique<Win32ReadableFile>(handle, *facts);
    }
};

}  // namespace

const FileReader& SystemFileReader() {
    static const Win32FileReader instance;
    return instance;
}

}  // namespace platform
