#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/file_system.h"

namespace platform {

// What a file says about itself now: its size, its last-write time (100 ns steps since 1601 UTC) and which
// file it is.
struct FileFacts {
    uint64_t size = 0;
    int64_t writeTime = 0;
    FileId id;
};

// A file open for plain reads (others may read it too); closed when the object goes.
class ReadableFile {
  public:
    virtual ~ReadableFile() = default;

    // The facts read from the open file at opening.
    virtual const FileFacts& Facts() const = 0;
    // Reads up to buffer.size() bytes from offset: the count read (fewer at the end of the file, 0 past it),
    // or nothing when the read fails.
    virtual std::optional<size_t> Read(uint64_t offset, std::span<unsigned char> buffer) = 0;
};

// Opens files for reading, UTF-8 paths, no length limit.
class FileReader {
  public:
    virtual ~FileReader() = default;

    // Opens an existing file for reading; nullptr when it cannot be (missing, a folder, locked against
    // reading by another program).
    virtual std::unique_ptr<ReadableFile> Open(std::string_view path) const = 0;
    // The same for a file whose id the caller read in a listing: while the file at path is still that file,
    // its identity is the listed one, which spares asking the system for the volume of every file opened.
    virtual std::unique_ptr<ReadableFile> OpenListed(std::string_view path, const FileId& listed) const {
        (void)listed;
        return Open(path);
    }
    // The facts of a file without reading it, so also of a file locked against reading; nothing when it
    // does not exist.
    virtual std::optional<FileFacts> Describe(std::string_view path) const = 0;
};

// The machine's files (Win32 implementation).
const FileReader& SystemFileReader();

}  // namespace platform
