#include "platform/image_version_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

class StringBytes : public platform::ByteSource {
  public:
    explicit StringBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Read(uint64_t offset, size_t size, std::string& bytes) const override {
        if (offset > bytes_.size() || size > bytes_.size() - offset)
            return false;
        bytes = bytes_.substr(static_cast<size_t>(offset), size);
        return true;
    }

  private:
    std::string bytes_;
};

void Put(std::string& file, size_t at, uint32_t value, size_t width) {
    if (file.size() < at + width)
        file.resize(at + width, '\0');
    for (size_t i = 0; i < width; ++i)
        file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A program file as a linker lays it out: headers, one section at address 0x1000 from file offset
// 0x200 holding the resource tree type -> name -> language -> data, and the block after it.
struct ImageLayout {
    bool wide = true;  // 64-bit headers
    uint32_t type = 16;
    uint32_t name = 1;
    uint32_t blockSizeShown = 0;  // what the data entry claims; 0 for the true size
    std::string block = std::string("\x5C\x00\x34\x00\x00\x00", 6) + "VS_VERSION_INFO-block";
};

std::string Image(const ImageLayout& layout) {
    std::string file(0x200, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    Put(file, 0x3C, 0x40, 4);
    Put(file, 0x40, 0x00004550, 4);
    Put(file, 0x44, layout.wide ? 0x8664 : 0x14C, 2);
    Put(file, 0x46, 1, 2);  // one section
    const uint32_t optionalSize = layout.wide ? 240 : 224;
    Put(file, 0x54, optionalSize, 2);
    const size_t optional = 0x58;
    Put(file, optional, layout.wide ? 0x20B : 0x10B, 2);
    const size_t directories = optional + (layout.wide ? 112 : 96);
    Put(file, directories - 4, 16, 4);
    const uint32_t blockAt = 0x58;
    const uint32_t resourceSize = blockAt + static_cast<uint32_t>(layout.block.size());
    Put(file, directories + 16, 0x1000, 4);
    Put(file, directories + 20, resourceSize, 4);
    const size_t section = optional + optionalSize;
    Put(file, section + 8, resourceSize, 4);
    Put(file, section + 12, 0x1000, 4);
    Put(file, section + 16, resourceSize, 4);
    Put(file, section + 20, 0x200, 4);

    const size_t root = 0x200;
    Put(file, root + 14, 1, 2);
    Put(file, root + 16, layout.type, 4);
    Put(file, root + 20, 0x80000018, 4);
    Put(file, root + 0x18 + 14, 1, 2);
    Put(file, root + 0x18 + 16, layout.name, 4);
    Put(file, root + 0x18 + 20, 0x80000030, 4);
    Put(file, root + 0x30 + 14, 1, 2);
    Put(file, root + 0x30 + 16, 0x409, 4);
    Put(file, root + 0x30 + 20, 0x48, 4);
    Put(file, root + 0x48, 0x1000 + blockAt, 4);
    Put(file, root + 0x4C,
        layout.blockSizeShown != 0 ? layout.blockSizeShown : static_cast<uint32_t>(layout.block.size()), 4);
    file.resize(root + blockAt);
    return file + layout.block;
}

std::optional<std::string> BlockOf(const std::string& file) {
    return platform::VersionBlockOfImage(StringBytes(file));
}

TEST(ImageVersionBlock, FoundInBothHeaderWidths) {
    ImageLayout layout;
    EXPECT_EQ(BlockOf(Image(layout)), layout.block);
    layout.wide = false;
    EXPECT_EQ(BlockOf(Image(layout)), layout.block);
}

TEST(ImageVersionBlock, NothingWithoutAVersionResourceOfNumberOne) {
    ImageLayout layout;
    layout.type = 3;  // icons only
    EXPECT_EQ(BlockOf(Image(layout)), std::nullopt);
    layout = ImageLayout();
    layout.name = 2;
    EXPECT_EQ(BlockOf(Image(layout)), std::nullopt);
    EXPECT_EQ(BlockOf("MZ but nothing more"), std::nullopt);
    EXPECT_EQ(BlockOf(""), std::nullopt);
    std::string notAProgram = Image(ImageLayout());
    notAProgram[0] = 'Z';
    EXPECT_EQ(BlockOf(notAProgram), std::nullopt);
}

TEST(ImageVersionBlock, DamagedFilesGiveNothingAndNeverReadPastTheirEnd) {
    const ImageLayout good;
    const std::string file = Image(good);
    // Cut anywhere: the block is whole or not given at all.
    for (size_t size = 0; size < file.size(); ++size)
        EXPECT_EQ(BlockOf(file.substr(0, size)), std::nullopt) << size;

    // A data entry that claims more than its section holds.
    ImageLayout claimed;
    claimed.blockSizeShown = 0x10000;
    EXPECT_EQ(BlockOf(Image(claimed)), std::nullopt);

    // Header and directory offsets that point far away.
    std::string wild = file;
    Put(wild, 0x3C, 0xFFFFFFF0, 4);
    EXPECT_EQ(BlockOf(wild), std::nullopt);
    wild = file;
    Put(wild, 0x200 + 20, 0x8FFFFFF0, 4);  // the type's directory beyond the resources
    EXPECT_EQ(BlockOf(wild), std::nullopt);
    wild = file;
    Put(wild, 0x200 + 14, 0xFFFF, 2);  // more entries than there are, none of them the version
    Put(wild, 0x200 + 16, 3, 4);
    EXPECT_EQ(BlockOf(wild), std::nullopt);
    wild = file;
    Put(wild, 0x200 + 0x30 + 20, 0x80000048, 4);  // a directory where the data entry should be
    EXPECT_EQ(BlockOf(wild), std::nullopt);
}

}  // namespace
