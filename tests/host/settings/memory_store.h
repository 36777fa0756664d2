#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "base/file_text.h"
#include "platform/file_store.h"

namespace settings_test {

// Files held in memory, with switches for the failures a real disk can give.
class MemoryStore : public platform::FileStore {
  public:
    platform::ReadStatus ReadAll(const std::string& path, std::string& bytes, uint64_t limit) const override {
        bytes.clear();
        const auto file = files.find(path);
        if (file == files.end())
            return platform::ReadStatus::Missing;
        if (unreadable.count(path) != 0 || file->second.size() > limit)
            return platform::ReadStatus::Failed;
        bytes = file->second;
        return platform::ReadStatus::Read;
    }

    bool ReplaceAll(const std::string& path, std::string_view bytes) override {
        if (readOnly.count(path) != 0)
            return false;
        files[path] = std::string(bytes);
        ++writes;
        return true;
    }

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    std::set<std::string> readOnly;
    int writes = 0;
};

// Latin-1 as the ANSI code page: every byte is the code point of the same number, nothing above U+00FF.
class Latin1Codec : public base::AnsiCodec {
  public:
    std::string Decode(std::string_view ansi) const override {
        std::string utf8;
        for (const char c : ansi) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                utf8 += c;
            } else {
                utf8 += static_cast<char>(0xC0 | (byte >> 6));
                utf8 += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return utf8;
    }

    std::optional<std::string> Encode(std::string_view utf8) const override {
        std::string ansi;
        for (size_t i = 0; i < utf8.size(); ++i) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            if (byte < 0x80) {
                ansi += utf8[i];
            } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
                ansi += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        return ansi;
    }
};

}  // namespace settings_test
