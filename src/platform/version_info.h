#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct VersionTranslation {
    uint16_t language = 0;
    uint16_t codePage = 0;
};

// The version information block of one file.
class VersionResource {
  public:
    virtual ~VersionResource() = default;
    // The entries of "\VarFileInfo\Translation", in stored order; empty when the block is missing.
    virtual std::vector<VersionTranslation> Translations() const = 0;
    // A string value, e.g. "\StringFileInfo\040904b0\FileVersion"; nothing when missing.
    virtual std::optional<std::string> StringValue(std::string_view subBlock) const = 0;
};

// Nothing when the file has no version information (or cannot be read). Paths of any length.
std::unique_ptr<VersionResource> ReadVersionResource(std::string_view path);
// The same read from the program file's own bytes, without the system's reader (which loads the file as
// a library); for paths too long for that reader.
std::unique_ptr<VersionResource> ReadVersionResourceOfImage(std::string_view path);

}  // namespace platform
