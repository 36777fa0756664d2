#include <gtest/gtest.h>

#include <cstdint>

#include "usage/chart_file.h"

using namespace usage;

namespace {

uint32_t ReadLittleEndian(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

TEST(ChartFile, FormatComesFromTheNamesExtensionInAnyCase) {
    EXPECT_EQ(ChartFormatOfName("C:\\charts\\usage.BMP"), ChartFileFormat::Bitmap);
    EXPECT_EQ(ChartFormatOfName("usage.Bmp"), ChartFileFormat::Bitmap);
    EXPECT_EQ(ChartFormatOfName("C:\\a.b\\usage.wmf"), ChartFileFormat::Metafile);
    EXPECT_EQ(ChartFormatOfName("usage.EMF"), ChartFileFormat::EnhancedMetafile);
    EXPECT_EQ(ChartFormatOfName("usage.bmp.gif"), std::nullopt);
    EXPECT_EQ(ChartFormatOfName("usage.gif"), std::nullopt);
    EXPECT_EQ(ChartFormatOfName("usage"), std::nullopt);
    EXPECT_EQ(ChartFormatOfName("C:\\folder.bmp\\usage"), std::nullopt);
    EXPECT_EQ(ChartFormatOfName("usage."), std::nullopt);
    EXPECT_EQ(ChartFormatOfName("usage.bmpx"), std::nullopt);
    EXPECT_EQ(ChartFormatOfName(""), std::nullopt);
}

TEST(ChartFile, DefaultExtensionFollowsTheFileType) {
    EXPECT_EQ(ChartDefaultExtension(1), "bmp");
    EXPECT_EQ(ChartDefaultExtension(2), "emf");
    EXPECT_EQ(ChartDefaultExtension(3), "wmf");
    EXPECT_EQ(ChartDefaultExtension(4), "bmp");
    EXPECT_EQ(ChartDefaultExtension(0), "bmp");
}

TEST(ChartFile, BitmapFileHasItsHeadersAndPaddedRows) {
    // 3 x 2 pixels: rows of 9 bytes padded to 12.
    const std::string rows(24, '\x7f');
    const std::string file = BitmapFileBytes(3, 2, rows);
    ASSERT_EQ(file.size(), 14u + 40u + 24u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(ReadLittleEndian(file, 2, 4), file.size());
    EXPECT_EQ(ReadLittleEndian(file, 10, 4), 54u);
    EXPECT_EQ(ReadLittleEndian(file, 14, 4), 40u);
    EXPECT_EQ(ReadLittleEndian(file, 18, 4), 3u);
    EXPECT_EQ(ReadLittleEndian(file, 22, 4), 2u);
    EXPECT_EQ(ReadLittleEndian(file, 26, 2), 1u);
    EXPECT_EQ(ReadLittleEndian(file, 28, 2), 24u);
    EXPECT_EQ(ReadLittleEndian(file, 34, 4), 24u);
    EXPECT_EQ(file.substr(54), rows);
    // Rows given short are filled with black rather than read past their end.
    EXPECT_EQ(BitmapFileBytes(3, 2, "ab").substr(54), std::string("ab") + std::string(22, '\0'));
}

TEST(ChartFile, PlaceableMetafileHeaderWithKeyBoundsAndChecksum) {
    const std::string file = PlaceableMetafileBytes("META", 400, 300, 96);
    ASSERT_EQ(file.size(), 22u + 4u);
    EXPECT_EQ(ReadLittleEndian(file, 0, 4), 0x9AC6CDD7u);
    EXPECT_EQ(ReadLittleEndian(file, 4, 2), 0u);
    EXPECT_EQ(ReadLittleEndian(file, 6, 2), 0u);
    EXPECT_EQ(ReadLittleEndian(file, 8, 2), 0u);
    EXPECT_EQ(ReadLittleEndian(file, 10, 2), 400u);
    EXPECT_EQ(ReadLittleEndian(file, 12, 2), 300u);
    EXPECT_EQ(ReadLittleEndian(file, 14, 2), 96u);
    EXPECT_EQ(ReadLittleEndian(file, 16, 4), 0u);
    uint16_t checksum = 0;
    for (size_t at = 0; at < 20; at += 2)
        checksum ^= static_cast<uint16_t>(ReadLittleEndian(file, at, 2));
    EXPECT_EQ(ReadLittleEndian(file, 20, 2), checksum);
    EXPECT_EQ(file.substr(22), "META");
}

TEST(ChartFile, PlaceableMetafileReadsBackWhatWasWritten) {
    const std::string file = PlaceableMetafileBytes("metafile records", 340, 370, 96);
    const auto parts = ReadPlaceableMetafile(file);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->metafile, "metafile records");
    EXPECT_EQ(parts->width, 340);
    EXPECT_EQ(parts->height, 370);
    EXPECT_EQ(parts->unitsPerInch, 96);

    // A plain metafile, a cut header, a picture without area and one without units are no placeable files.
    EXPECT_FALSE(ReadPlaceableMetafile("\x01\x00\x09\x00\x00\x03 plain metafile records").has_value());
    EXPECT_FALSE(ReadPlaceableMetafile(file.substr(0, 21)).has_value());
    EXPECT_FALSE(ReadPlaceableMetafile(file.substr(0, 22)).has_value());
    EXPECT_FALSE(ReadPlaceableMetafile(PlaceableMetafileBytes("records", 0, 370, 96)).has_value());
    EXPECT_FALSE(ReadPlaceableMetafile(PlaceableMetafileBytes("records", 340, 370, 0)).has_value());
}

TEST(ChartFile, PicturesAreShrunkToFitTheirBoxCentredAndNeverEnlarged) {
    // Twice as wide as the box: halved, centred down the box.
    const PicturePlace wide = FitPicture(400, 100, 200, 200);
    EXPECT_EQ(wide.width, 200);
    EXPECT_EQ(wide.height, 50);
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.top, 75);
    // Too tall: the height decides.
    const PicturePlace tall = FitPicture(340, 370, 150, 100);
    EXPECT_EQ(tall.height, 100);
    EXPECT_EQ(tall.width, 91);
    EXPECT_EQ(tall.left, 29);
    EXPECT_EQ(tall.top, 0);
    // A small picture keeps its size, in the middle.
    const PicturePlace small = FitPicture(20, 10, 200, 100);
    EXPECT_EQ(small.width, 20);
    EXPECT_EQ(small.height, 10);
    EXPECT_EQ(small.left, 90);
    EXPECT_EQ(small.top, 45);
    // A sliver keeps one pixel; nothing without area.
    EXPECT_EQ(FitPicture(10000, 1, 100, 100).height, 1);
    EXPECT_EQ(FitPicture(0, 10, 100, 100).width, 0);
    EXPECT_EQ(FitPicture(10, 10, 0, 100).width, 0);
}
