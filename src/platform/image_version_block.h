#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Random access to a file's bytes.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Exactly size bytes from offset; false when the file has fewer or cannot be read.
    virtual bool Read(uint64_t offset, size_t size, std::string& bytes) const = 0;
};

// The version information block of a Windows program or library (its version resource of number 1, in
// the first language it has), read straight from the file's bytes, every offset checked against the
// file. Nothing when the file is no such program or has no version information.
std::optional<std::string> VersionBlockOfImage(const ByteSource& file);

}  // namespace platform
