#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class RegistryRoot { CurrentUser, Users, LocalMachine, ClassesRoot, CurrentConfig };

// Value types as the registry stores them.
namespace registry_type {
constexpr uint32_t kNone = 0;
constexpr uint32_t kString = 1;
constexpr uint32_t kExpandString = 2;
constexpr uint32_t kBinary = 3;
constexpr uint32_t kDword = 4;
constexpr uint32_t kMultiString = 7;
constexpr uint32_t kQword = 11;
}  // namespace registry_type

struct RegistryKeyInfo {
    uint32_t subkeyCount = 0;
    uint32_t valueCount = 0;
    uint64_t lastWriteTime = 0;  // 100 ns ticks since 1601-01-01, UTC, as stored
};

// A value as listed: its name, its type and, for REG_SZ and REG_EXPAND_SZ values only, its data.
struct RegistryValue {
    std::string name;  // empty for the key's default value
    uint32_t type = registry_type::kNone;
    std::string textBytes;
};

// A value's type and its data exactly as stored (string data is UTF-16 LE, with whatever NULs it holds).
struct RegistryData {
    uint32_t type = registry_type::kNone;
    std::string bytes;
};

enum class RegistryDeletion { Deleted, NotFound, Failed };

// One open key; closed when the object goes.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    virtual std::optional<RegistryKeyInfo> Info() const = 0;
    // Names in the registry's enumeration order; a key that cannot be listed gives what was read so far.
    virtual std::vector<std::string> SubkeyNames() const = 0;
    // The data of the text values comes with the listing: one call per value instead of two.
    virtual std::vector<RegistryValue> Values() const = 0;
    // Nothing when the value does not exist or cannot be read.
    virtual std::optional<uint32_t> TypeOf(std::string_view valueName) const = 0;
    virtual std::optional<RegistryData> Read(std::string_view valueName) const = 0;
    virtual RegistryDeletion DeleteValue(std::string_view valueName) = 0;
};

// Opens keys with full access and never creates one. Paths are key names joined by "\" without a leading
// backslash; an empty path opens the root (or the base key) itself. Nothing when the key cannot be opened.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path) = 0;
    virtual std::unique_ptr<RegistryKey> Open(const RegistryKey& base, std::string_view path) = 0;
    // Deletes the key with everything below it; NotFound when there is no such key.
    virtual RegistryDeletion DeleteTree(RegistryRoot root, std::string_view path) = 0;
};

// The machine's registry.
Registry& SystemRegistry();

}  // namespace platform
