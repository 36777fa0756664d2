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
        // Key names have at most 255 characters, so no size query is needed before listing; a longer one
        // (which no open could reach anyway) is passed over.
        thread_local std::wstring name(1024, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            const LONG result = RegEnumKeyExW(handle_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA)
                continue;
            if (result != ERROR_SUCCESS)
                break;
            names.push_back(win32::Narrow(std::wstring_view(name.data(), length)));
        }
        return names;
    }

    std::vector<RegistryValue> Values() const override {
        std::vector<RegistryValue> values;
        // Value names have at most 16383 characters.
        thread_local std::wstring name(16384, L'\0');
        thread_local std::string data(4096, '\0');
        for (DWORD index = 0;;) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD type = REG_NONE;
            DWORD size = static_cast<DWORD>(data.size());
            const LONG result = RegEnumValueW(handle_, index, name.data(), &nameLength, nullptr, &type,
                                              reinterpret_cast<BYTE*>(data.data()), &size);
            if (result == ERROR_MORE_DATA && size > data.size() && size < (1u << 30)) {
                data.resize(size);
                continue;
            }
            if (result != ERROR_SUCCESS)
                break;
            RegistryValue value;
            value.name = win32::Narrow(std::wstring_view(name.data(), nameLength));
            value.type = type;
            if (type == REG_SZ || type == REG_EXPAND_SZ)
                value.textBytes.assign(data.data(), size);
            values.push_back(std::move(value));
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
    RegistryDeletion DeleteTree(RegistryRoot root, std::string_view path) override {
        const LONG result = RegDeleteTreeW(RootHandle(root), win32::Widen(path).c_str());
        if (result == ERROR_SUCCESS)
            return RegistryDeletion::Deleted;
        return result == ERROR_FILE_NOT_FOUND ? RegistryDeletion::NotFound : RegistryDeletion::Failed;
    }
};

}  // namespace

Registry& SystemRegistry() {
    static Win32Registry registry;
    return registry;
}

}  // namespace platform
