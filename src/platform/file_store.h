#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class ReadStatus {
    Read,
    Missing,  // neither the file nor perhaps its folder exists
    Failed,   // it exists but cannot be read (locked, no access, a folder, larger than the limit)
};

// Whole-file access for the program's own small files (settings, lists). UTF-8 paths.
class FileStore {
  public:
    virtual ~FileStore() = default;

    // All the file's bytes; on anything but Read, bytes is left empty.
    virtual ReadStatus ReadAll(const std::string& path, std::string& bytes, uint64_t limit) const = 0;

    // Replaces the file's content (creating the file). The bytes go to a temporary file beside it, which
    // then takes the file's place keeping its security, attributes and creation time, so that nobody ever
    // sees it half written. A file that has other names (hard or symbolic links), or beside which no
    // temporary file can be made, is written where it is instead. A read-only file is not changed. False
    // when the file was not changed; no temporary file is left behind either way.
    virtual bool ReplaceAll(const std::string& path, std::string_view bytes) = 0;
};

// The real file system.
FileStore& SystemFileStore();

}  // namespace platform
