#include "settings/settings_file.h"

#include "base/error.h"
#include "settings/ini_document.h"

namespace settings {
namespace {

std::optional<uint32_t> Digits(std::string_view text, uint32_t base, uint64_t limit) {
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

}  // namespace

std::optional<int32_t> ToInteger(std::string_view text) {
    std::string converted(text);
    if (converted.size() > 2 && converted[0] == '0' && (converted[1] == 'x' || converted[1] == 'X'))
        converted.replace(0, 2, "$");
    std::string_view rest = converted;
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.front() == '$') {
        // Hexadecimal takes all 32 bits, so $FFFFFFFF is -1.
        const auto bits = Digits(rest.substr(1), 16, 0xFFFFFFFFu);
        if (!bits)
            return std::nullopt;
        const auto value = static_cast<int32_t>(*bits);
        return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(value)) : value;
    }
    const auto magnitude = Digits(rest, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude)
        return std::nullopt;
    return negative ? static_cast<int32_t>(0u - *magnitude) : static_cast<int32_t>(*magnitude);
}

SettingsFile::SettingsFile(std::string fullPath, platform::FileStore& store, const base::AnsiCodec& codec)
    : path_(std::move(fullPath)), store_(&store), codec_(&codec) {}

std::optional<std::string> SettingsFile::Read(std::string_view section, std::string_view key) const {
    std::string bytes;
    if (store_->ReadAll(path_, bytes, kSettingsFileByteLimit) != platform::ReadStatus::Read)
        return std::nullopt;
    auto value = IniDocument::FromBytes(bytes, *codec_).Find(section, key);
    if (value)
        value = std::string(FirstCharacters(*value, kValueCharacterLimit));
    return value;
}

std::string SettingsFile::ReadText(std::string_view section, std::string_view key, std::string_view fallback) const {
    if (auto value = Read(section, key))
        return *std::move(value);
    // The profile reader hands out its default without trailing blanks, and through the same buffer.
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return std::string(FirstCharacters(fallback, kValueCharacterLimit));
}

int32_t SettingsFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
    return ToInteger(ReadText(section, key, "")).value_or(fallback);
}

bool SettingsFile::ReadFlag(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsFile::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    std::string bytes;
    const platform::ReadStatus status = store_->ReadAll(path_, bytes, kSettingsFileByteLimit);
    // A file that exists but cannot be read is not replaced by one holding only this value.
    if (status == platform::ReadStatus::Failed)
        throw base::Error("Unable to write to " + path_);
    IniDocument document = IniDocument::FromBytes(bytes, *codec_);
    document.Set(section, key, text);
    if (!store_->ReplaceAll(path_, document.ToBytes()))
        throw base::Error("Unable to write to " + path_);
}

void SettingsFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
    WriteText(section, key, value ? "1" : "0");
}

}  // namespace settings
