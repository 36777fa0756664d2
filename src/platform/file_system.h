#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/format.h"

namespace platform {

// File attribute bits as the system reports them.
namespace attr {
constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kHidden = 0x2;
constexpr uint32_t kSystem = 0x4;
constexpr uint32_t kVolumeLabel = 0x8;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kReparsePoint = 0x400;
}  // namespace attr

// One entry of a folder listing. writeTime counts 100 ns steps since 1601-01-01 UTC.
struct DirEntry {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    int64_t writeTime = 0;
};

// Directory listing and lookups, UTF-8 paths, no length limit.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Calls fn for every entry of folder (with or without a trailing backslash) other than "." and "..", in
    // the order the system lists them. The entry is reused between calls. False when the folder cannot be
    // listed (missing, no access); fn is then never called.
    virtual bool ForEachEntry(std::string_view folder, const std::function<void(const DirEntry&)>& fn) const = 0;

    // The entry for path itself (file or folder, every attribute), or nothing when it does not exist.
    virtual std::optional<DirEntry> FindEntry(std::string_view path) const = 0;

    // The process's current directory.
    virtual std::string CurrentDirectory() const = 0;
};

// The machine's file system (Win32 implementation).
const FileSystem& SystemFileSystem();

// A file time as local date and time (daylight saving time of that date); nothing for a time the system
// cannot convert.
std::optional<base::DateTime> LocalDateTimeOf(int64_t fileTime);

}  // namespace platform
