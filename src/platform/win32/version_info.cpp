#include "platform/version_info.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

class Win32VersionResource final : public VersionResource {
  public:
    explicit Win32VersionResource(std::vector<unsigned char> data) : data_(std::move(data)) {}

    std::vector<VersionTranslation> Translations() const override {
        void* value = nullptr;
        UINT length = 0;
        std::vector<VersionTranslation> result;
        if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length) || !value)
            return result;
        const auto* words = static_cast<const WORD*>(value);
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2)
            result.push_back({words[i], words[i + 1]});
        return result;
    }

    std::optional<std::string> StringValue(std::string_view subBlock) const override {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), win32::Widen(subBlock).c_str(), &value, &length) || !value)
            return std::nullopt;
        // length counts characters and may include the terminating zero, or not.
        std::wstring_view text(static_cast<const wchar_t*>(value), length);
        const size_t zero = text.find(L'\0');
        if (zero != std::wstring_view::npos)
            text = text.substr(0, zero);
        return win32::Narrow(text);
    }

  private:
    // VerQueryValueW is handed a block that it may write into; the vector is ours alone.
    mutable std::vector<unsigned char> data_;
};

}  // namespace

std::unique_ptr<VersionResource> ReadVersionResource(std::string_view path) {
    const std::wstring file = win32::Widen(path);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0)
        return nullptr;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return nullptr;
    return std::make_unique<Win32VersionResource>(std::move(data));
}

}  // namespace platform
