#include "platform/version_info.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/image_version_block.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

class Win32VersionResource final : public VersionResource {
  public:
    explicit Win32VersionResource(std::vector<unsigned char> data) : data_(std::move(data)) {}

    std::vector<VersionTranslation> Translations() const override {
        std::vector<VersionTranslation> result;
        const auto bytes = Query(L"\\VarFileInfo\\Translation", 1);
        for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
            result.push_back({static_cast<uint16_t>(bytes[i] | (bytes[i + 1] << 8)),
                              static_cast<uint16_t>(bytes[i + 2] | (bytes[i + 3] << 8))});
        }
        return result;
    }

    std::optional<std::string> StringValue(std::string_view subBlock) const override {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), win32::Widen(subBlock).c_str(), &value, &length) || !value)
            return std::nullopt;
        // length counts characters and may include the terminating zero, or not.
        const auto bytes = Within(value, size_t{length} * sizeof(wchar_t));
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        const size_t zero = text.find(L'\0');
        if (zero != std::wstring::npos)
            text.resize(zero);
        return win32::Narrow(text);
    }

  private:
    // A damaged block can give a length that runs past its end: only what lies inside the block is read.
    std::basic_string_view<unsigned char> Within(const void* value, size_t size) const {
        const auto* start = static_cast<const unsigned char*>(value);
        const unsigned char* end = data_.data() + data_.size();
        if (start < data_.data() || start >= end)
            return {};
        return {start, std::min(size, static_cast<size_t>(end - start))};
    }

    std::basic_string_view<unsigned char> Query(const wchar_t* subBlock, size_t unit) const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), subBlock, &value, &length) || !value)
            return {};
        return Within(value, size_t{length} * unit);
    }

    // VerQueryValueW is handed a block that it may write into; the vector is ours alone.
    mutable std::vector<unsigned char> data_;
};

class FileBytes final : public ByteSource {
  public:
    explicit FileBytes(HANDLE file) : file_(file) {}
    bool Read(uint64_t offset, size_t size, std::string& bytes) const override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        bytes.assign(size, '\0');
        DWORD got = 0;
        return size <= MAXDWORD && SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) &&
               ::ReadFile(file_, bytes.data(), static_cast<DWORD>(size), &got, nullptr) && got == size;
    }

  private:
    HANDLE file_;
};

std::unique_ptr<VersionResource> FromBlock(std::string_view block) {
    // Twice the size, as the system's copy has: room that the query functions may use.
    std::vector<unsigned char> data(block.size() * 2 + 4, 0);
    std::memcpy(data.data(), block.data(), block.size());
    return std::make_unique<Win32VersionResource>(std::move(data));
}

}  // namespace

std::unique_ptr<VersionResource> ReadVersionResourceOfImage(std::string_view path) {
    const HANDLE file = CreateFileW(win32::ExactPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    const auto block = VersionBlockOfImage(FileBytes(file));
    CloseHandle(file);
    return block ? FromBlock(*block) : nullptr;
}

std::unique_ptr<VersionResource> ReadVersionResource(std::string_view path) {
    const std::wstring file = win32::ExactPath(path);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    std::vector<unsigned char> data(size);
    if (size != 0 && GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return std::make_unique<Win32VersionResource>(std::move(data));
    // The system's reader loads the file as a library, which a long path in the exact form may not reach.
    return ReadVersionResourceOfImage(path);
}

}  // namespace platform
