#include "platform/image_version_block.h"

#include <vector>

namespace platform {
namespace {

constexpr uint32_t kVersionType = 16;
constexpr uint32_t kVersionName = 1;
constexpr uint32_t kHighBit = 0x80000000u;
// A version block is a few kilobytes; anything far larger is a damaged file, not a block to copy.
constexpr uint32_t kBlockLimit = 1u << 20;

uint32_t Little(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// Reads little-endian numbers from a file, remembering a failed read.
class Reader {
  public:
    explicit Reader(const ByteSource& file) : file_(&file) {}
    uint32_t U16(uint64_t offset) { return Number(offset, 2); }
    uint32_t U32(uint64_t offset) { return Number(offset, 4); }
    bool Bytes(uint64_t offset, size_t size, std::string& bytes) {
        ok_ = ok_ && file_->Read(offset, size, bytes);
        return ok_;
    }
    bool ok() const { return ok_; }

  private:
    uint32_t Number(uint64_t offset, size_t width) {
        std::string bytes;
        return Bytes(offset, width, bytes) ? Little(bytes, 0, width) : 0;
    }

    const ByteSource* file_;
    bool ok_ = true;
};

struct Section {
    uint32_t address = 0;  // where it lies in memory (relative to the image)
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;  // where it lies in the file
};

// The sections of the image and the resource directory's address; nothing for a file that is no image.
struct Image {
    std::vector<Section> sections;
    uint32_t resources = 0;
    uint32_t resourcesSize = 0;
};

std::optional<Image> ReadImage(Reader& reader) {
    if (reader.U16(0) != 0x5A4D)  // "MZ"
        return std::nullopt;
    const uint64_t header = reader.U32(0x3C);
    if (!reader.ok() || reader.U32(header) != 0x00004550)  // "PE\0\0"
        return std::nullopt;
    const uint32_t sectionCount = reader.U16(header + 6);
    const uint32_t optionalSize = reader.U16(header + 20);
    const uint64_t optional = header + 24;
    const uint32_t magic = reader.U16(optional);
    if (magic != 0x10B && magic != 0x20B)
        return std::nullopt;
    const uint64_t directories = optional + (magic == 0x10B ? 96 : 112);
    const uint32_t directoryCount = reader.U32(directories - 4);
    if (!reader.ok() || directoryCount <= 2 || directories + 3 * 8 > optional + optionalSize)
        return std::nullopt;
    Image image;
    image.resources = reader.U32(directories + 2 * 8);
    image.resourcesSize = reader.U32(directories + 2 * 8 + 4);
    for (uint32_t i = 0; i < sectionCount && i < 96; ++i) {
        const uint64_t entry = optional + optionalSize + uint64_t{40} * i;
        image.sections.push_back({reader.U32(entry + 12), reader.U32(entry + 16), reader.U32(entry + 20)});
    }
    if (!reader.ok() || image.resources == 0)
        return std::nullopt;
    return image;
}

// The file offset of size bytes at an address of the image, when a section holds all of them.
std::optional<uint64_t> FileOffset(const Image& image, uint32_t address, uint32_t size) {
    for (const Section& section : image.sections) {
        if (address >= section.address && uint64_t{address} - section.address + size <= section.rawSize)
            return uint64_t{section.rawOffset} + (address - section.address);
    }
    return std::nullopt;
}

// The entry of a resource directory with the given number, or with any number (the first) for 0.
std::optional<uint32_t> EntryOf(Reader& reader, uint64_t root, uint32_t rootSize, uint32_t directory, uint32_t id) {
    if (uint64_t{directory} + 16 > rootSize)
        return std::nullopt;
    const uint32_t named = reader.U16(root + directory + 12);
    const uint32_t numbered = reader.U16(root + directory + 14);
    for (uint32_t i = named; i < named + numbered; ++i) {
        const uint64_t entry = uint64_t{directory} + 16 + uint64_t{8} * i;
        if (entry + 8 > rootSize || !reader.ok())
            return std::nullopt;
        if (id == 0 || reader.U32(root + entry) == id)
            return reader.U32(root + entry + 4);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> VersionBlockOfImage(const ByteSource& file) {
    Reader reader(file);
    const auto image = ReadImage(reader);
    if (!image)
        return std::nullopt;
    const auto root = FileOffset(*image, image->resources, 16);
    if (!root)
        return std::nullopt;
    const uint32_t rootSize = image->resourcesSize;
    // Type, then name, then language: the first two lead to directories, the last to the data entry.
    uint32_t at = 0;
    for (const uint32_t id : {kVersionType, kVersionName, 0u}) {
        const auto entry = EntryOf(reader, *root, rootSize, at, id);
        if (!entry || ((*entry & kHighBit) != 0) != (id != 0))
            return std::nullopt;
        at = *entry & ~kHighBit;
    }
    if (uint64_t{at} + 16 > rootSize)
        return std::nullopt;
    const uint32_t address = reader.U32(*root + at);
    const uint32_t size = reader.U32(*root + at + 4);
    if (!reader.ok() || size == 0 || size > kBlockLimit)
        return std::nullopt;
    const auto offset = FileOffset(*image, address, size);
    std::string block;
    if (!offset || !reader.Bytes(*offset, size, block))
        return std::nullopt;
    return block;
}

}  // namespace platform
