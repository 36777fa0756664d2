#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_text.h"
#include "platform/ansi_codec.h"
#include "platform/file_store.h"
#include "settings/keys.h"

namespace settings {

// At most this many characters of a value reach the program, as through the profile reader's buffer.
inline constexpr size_t kValueCharacterLimit = 2047;
// A settings file larger than this is not one: it reads as missing and is never overwritten.
inline constexpr uint64_t kSettingsFileByteLimit = 16u * 1024 * 1024;

// A settings value as a 32-bit signed integer: decimal, or hexadecimal after "$", "0x" or "0X"; an
// optional sign. Nothing when the text is no integer or out of range.
std::optional<int32_t> ToInteger(std::string_view text);

// The accessor of Options.ini. Nothing is cached: every read looks at the file as it is now, and every
// write reaches the file before it returns.
class SettingsFile {
  public:
    explicit SettingsFile(std::string fullPath)
        : SettingsFile(std::move(fullPath), platform::SystemFileStore(), platform::SystemAnsiCodec()) {}
    SettingsFile(std::string fullPath, platform::FileStore& store, const base::AnsiCodec& codec);

    const std::string& Path() const { return path_; }

    // The default when the file, the section or the key is missing (or the file cannot be read).
    std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The default when the value is missing or no integer.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // An integer value; not zero is true. The default when the value is missing or no integer.
    bool ReadFlag(std::string_view section, std::string_view key, bool fallback) const;

    // Throws base::Error("Unable to write to " + full path) when the file cannot be written; the file is
    // then left as it was.
    void WriteText(std::string_view section, std::string_view key, std::string_view text);
    void WriteFlag(std::string_view section, std::string_view key, bool value);

    // The same through the key table, with the table's default or another one.
    std::string ReadText(const TextKey& key, std::string_view fallback) const {
        return ReadText(key.section, key.name, fallback);
    }
    int32_t ReadInteger(const IntegerKey& key, int32_t fallback) const {
        return ReadInteger(key.section, key.name, fallback);
    }
    bool ReadFlag(const FlagKey& key, bool fallback) const { return ReadFlag(key.section, key.name, fallback); }
    std::string ReadText(const TextKey& key) const { return ReadText(key.section, key.name, key.fallback); }
    int32_t ReadInteger(const IntegerKey& key) const { return ReadInteger(key.section, key.name, key.fallback); }
    bool ReadFlag(const FlagKey& key) const { return ReadFlag(key.section, key.name, key.fallback); }
    void WriteText(const TextKey& key, std::string_view text) { WriteText(key.section, key.name, text); }
    void WriteFlag(const FlagKey& key, bool value) { WriteFlag(key.section, key.name, value); }

  private:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    std::string path_;
    platform::FileStore* store_;
    const base::AnsiCodec* codec_;
};

}  // namespace settings
