#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace registry {

// The registry accessor: a root key, at most one open current key and that key's path. Keys are opened
// with full access and never created.
class Reg {
  public:
    explicit Reg(platform::Registry& registry);

    platform::RegistryRoot RootKey() const { return root_; }
    // Closes the current key.
    void SetRootKey(platform::RegistryRoot root);

    // A path that starts with "\" counts from the root key, any other from the current key (from the root
    // when none is open). On failure the current key and its path stay as they were.
    bool OpenKey(std::string_view path);
    void CloseKey();
    bool HasCurrentKey() const { return current_ != nullptr; }
    // Without a leading backslash; empty for the root itself.
    const std::string& CurrentPath() const { return currentPath_; }

    std::vector<std::string> GetKeyNames() const;
    std::vector<platform::RegistryValue> GetValues() const;
    std::vector<std::string> GetValueNames() const;
    std::optional<uint32_t> GetDataType(std::string_view name) const;
    // The text of a REG_SZ or REG_EXPAND_SZ value (not expanded), read whole and cut at its first NUL;
    // nothing for a missing value or one of another type.
    std::optional<std::string> ReadString(std::string_view name) const;
    std::optional<platform::RegistryData> ReadData(std::string_view name) const;
    bool HasSubKeys() const;
    std::optional<platform::RegistryKeyInfo> GetKeyInfo() const;
    platform::RegistryDeletion DeleteValue(std::string_view name);

  private:
    platform::Registry& registry_;
    platform::RegistryRoot root_ = platform::RegistryRoot::CurrentUser;
    std::unique_ptr<platform::RegistryKey> current_;
    std::string currentPath_;
};

bool IsTextType(uint32_t type);

// A key or value name holding a NUL (the registry allows it) cannot be handed to the system's calls, which
// would cut it there and reach another key or value: such a name is never opened, read or deleted.
bool CanBeReopened(std::string_view name);

}  // namespace registry
