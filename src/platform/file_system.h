#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/format.h"
#include "base/sorted_list.h"

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

// Reparse tags whose folders are other names for folders elsewhere (never entered by a walk).
namespace reparse {
constexpr uint32_t kNameSurrogateBit = 0x20000000;
constexpr uint32_t kMountPoint = 0xA0000003;  // junctions and volume mount points
constexpr uint32_t kSymlink = 0xA000000C;
}  // namespace reparse

// Which file an entry is, whatever path reached it: two paths name one file when both parts match (hard
// links, link aliases, SUBST drives, one folder under two letters). Unknown when the system gives no id.
struct FileId {
    uint64_t volumeSerial = 0;
    uint64_t low = 0;  // the 64-bit file index, or the low half of a 128-bit id
    uint64_t high = 0;
    bool known = false;

    friend bool operator==(const FileId& a, const FileId& b) {
        return a.known && b.known && a.volumeSerial == b.volumeSerial && a.low == b.low && a.high == b.high;
    }
};

// One entry of a folder listing. writeTime counts 100 ns steps since 1601-01-01 UTC. allocatedSize is what
// the file takes on disk (0 when the system does not say); reparseTag is set for reparse points only.
struct DirEntry {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t allocatedSize = 0;
    int64_t writeTime = 0;
    uint32_t reparseTag = 0;
    FileId id;
};

// A reparse point that is another name for something elsewhere (junction, symbolic link, mount point): a
// walk does not enter it. A reparse point whose tag the system does not give is taken as one, so a link
// back to an ancestor can never make a walk endless; other reparse folders (cloud placeholders) are
// ordinary folders.
inline bool IsNameSurrogate(const DirEntry& entry) {
    return (entry.attributes & attr::kReparsePoint) &&
           (entry.reparseTag == 0 || (entry.reparseTag & reparse::kNameSurrogateBit));
}

// Directory listing and lookups, UTF-8 paths, no length limit.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Calls fn for every entry of folder (with or without a trailing backslash) other than "." and "..", in
    // the order the system lists them. The entry is reused between calls. False when the folder cannot be
    // listed (missing, no access); fn is then never called.
    virtual bool ForEachEntry(std::string_view folder, const std::function<void(const DirEntry&)>& fn) const = 0;

    // The same listing, for a folder whose own entry the caller already has (from its parent's listing or a
    // lookup), as a walk does. Where the folder is still the one that entry describes, its volume is taken
    // from the entry rather than asked of the system again, which is slow on some systems.
    virtual bool ForEachEntryOfListedFolder(std::string_view folder,
                                            const DirEntry& folderEntry,
                                            const std::function<void(const DirEntry&)>& fn) const {
        (void)folderEntry;
        return ForEachEntry(folder, fn);
    }

    // The entry for path itself (file or folder, every attribute, the same facts as a listing gives), or
    // nothing when it does not exist. A folder path may end with a backslash.
    virtual std::optional<DirEntry> FindEntry(std::string_view path) const = 0;

    // The process's current directory.
    virtual std::string CurrentDirectory() const = 0;

    // The order in which the platform shows names: the locale's comparison ignoring case on Windows.
    virtual base::TextOrder NameOrder() const { return base::CompareIgnoringAsciiCase; }
};

// The machine's file system (Win32 implementation).
const FileSystem& SystemFileSystem();

// A file time as local date and time (daylight saving time of that date); nothing for a time the system
// cannot convert.
std::optional<base::DateTime> LocalDateTimeOf(int64_t fileTime);

}  // namespace platform
