#include "platform/registry.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

HKEY RootHandle(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::Users:
            return HKEY_USERS;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

bool IsPredefined(HKEY key) {
    return key == HKEY_CURRENT_USER || key == HKEY_USERS || key == HKEY_LOCAL_MACHINE || key == HKEY_CLASSES_ROOT ||
           key == HKEY_CURRENT_CONFIG;
}

class Win32Key final : public RegistryKey {
  public:
    explicit Win32Key(HKEY handle) : handle_(handle) {}
    ~Win32Key() override {
        // Opening a root with an empty path hands back the predefined handle itself, which is not ours.
        if (!IsPredefined(handle_))
            RegCloseKey(handle_);
    }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    HKEY Handle() const { return handle_; }

    std::optional<RegistryKeyInfo> Info() const override {
        DWORD subkeys = 0;
        DWORD values = 0;
        FILETIME written{};
        if (RegQueryInfoKeyW(handle_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, &written) != ERROR_SUCCESS)
            return std::nullopt;
        RegistryKeyInfo info;
        info.subkeyCount = subkeys;
        info.valueCount = values;
        info.lastWriteTime = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
        return info;
    }

    std::vector<std::string> SubkeyNames() const override {
        std::vector<std::string> names;
        DWORD count = 0;
        DWORD longest = 0;
        RegQueryInfoKeyW(handle_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
        names.reserve(count);
        std::wstring buffer(static_cast<size_t>(longest) + 1, L'\0');
        for (DWORD index = 0;;) {
            DWORD length = static_cast<DWORD>(buffer.size());
            const LONG result =
                RegEnumKeyExW(handle_, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA && buffer.size() < 32768) {
                // A key added since the count was taken may have a longer name.
                buffer.resize(buffer.size() * 2 + 256);
                continue;
            }
            if (result != ERROR_SUCCESS)
                break;
            names.push_back(win32::Narrow(std::wstring_view(buffer.data(), length)));
            ++index;
        }
        return names;
    }

    std::vector<RegistryValueName> Values() const override {
        std::vector<RegistryValueName> values;
        DWORD count = 0;
        DWORD longest = 0;
        RegQueryInfoKeyW(handle_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr,
                         nullptr, nullptr);
        values.reserve(count);
        std::wstring buffer(static_cast<size_t>(longest) + 1, L'\0');
        for (DWORD index = 0;;) {
            DWORD length = static_cast<DWORD>(buffer.size());
            DWORD type = REG_NONE;
            const LONG result = RegEnumValueW(handle_, index, buffer.data(), &length, nullptr, &type, nullptr, nullptr);
            if (result == ERROR_MORE_DATA && buffer.size() < 65536) {
                buffer.resize(buffer.size() * 2 + 256);
                continue;
            }
            if (result != ERROR_SUCCESS)
                break;
            values.push_back({win32::Narrow(std::wstring_view(buffer.data(), length)), type});
            ++index;
        }
        return values;
    }

    std::optional<uint32_t> TypeOf(std::string_view valueName) const override {
        DWORD type = REG_NONE;
        const std::wstring name = win32::Widen(valueName);
        if (RegQueryValueExW(handle_, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        return type;
    }

    std::optional<RegistryData> Read(std::string_view valueName) const override {
        const std::wstring name = win32::Widen(valueName);
        RegistryData data;
        data.bytes.resize(512);
        // The value may grow between the size query and the read; try again with the size it has then.
        for (int attempt = 0; attempt < 8; ++attempt) {
            DWORD type = REG_NONE;
            DWORD size = static_cast<DWORD>(data.bytes.size());
            const LONG result = RegQueryValueExW(handle_, name.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(data.bytes.data()), &size);
            if (result == ERROR_SUCCESS) {
                data.type = type;
                data.bytes.resize(size);
                return data;
            }
            if (result != ERROR_MORE_DATA)
                return std::nullopt;
            data.bytes.resize(static_cast<size_t>(size) + 2);
        }
        return std::nullopt;
    }

    RegistryDeletion DeleteValue(std::string_view valueName) override {
        const std::wstring name = win32::Widen(valueName);
        const LONG result = RegDeleteValueW(handle_, name.c_str());
        if (result == ERROR_SUCCESS)
            return RegistryDeletion::Deleted;
        return result == ERROR_FILE_NOT_FOUND ? RegistryDeletion::NotFound : RegistryDeletion::Failed;
    }

  private:
    HKEY handle_;
};

std::unique_ptr<RegistryKey> OpenBelow(HKEY base, std::string_view path) {
    HKEY opened = nullptr;
    const std::wstring subkey = win32::Widen(path);
    if (RegOpenKeyExW(base, subkey.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(opened);
}

class Win32Registry final : public Registry {
  public:
    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path) override {
        return OpenBelow(RootHandle(root), path);
    }
    std::unique_ptr<RegistryKey> Open(const RegistryKey& base, std::string_view path) override {
        return OpenBelow(static_cast<const Win32Key&>(base).Handle(), path);
    }
};

}  // namespace

Registry& SystemRegistry() {
    static Win32Registry registry;
    return registry;
}

}  // namespace platform
