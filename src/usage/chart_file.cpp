#include "usage/chart_file.h"

#include <algorithm>
#include <cctype>

namespace usage {

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint16_t Word(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                             << 8);
}

std::string LowerExtension(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    const size_t separator = path.find_last_of("\\/:");
    if (dot == std::string_view::npos || (separator != std::string_view::npos && separator > dot))
        return {};
    std::string extension(path.substr(dot));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace

std::optional<ChartFileFormat> ChartFormatOfName(std::string_view path) {
    const std::string extension = LowerExtension(path);
    if (extension == ".bmp")
        return ChartFileFormat::Bitmap;
    if (extension == ".wmf")
        return ChartFileFormat::Metafile;
    if (extension == ".emf")
        return ChartFileFormat::EnhancedMetafile;
    return std::nullopt;
}

std::string ChartDefaultExtension(int fileType) {
    switch (fileType) {
        case 2:
            return "emf";
        case 3:
            return "wmf";
        default:
            return "bmp";
    }
}

std::string BitmapFileBytes(int width, int height, std::string_view bottomUpRows) {
    constexpr uint32_t kFileHeaderSize = 14;
    constexpr uint32_t kInfoHeaderSize = 40;
    constexpr uint32_t kPixelsPerMetre = 3780;  // 96 per inch
    const auto rowSize = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
    std::string bytes = "BM";
    PutLittleEndian(bytes, kFileHeaderSize + kInfoHeaderSize + imageSize, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, kFileHeaderSize + kInfoHeaderSize, 4);
    PutLittleEndian(bytes, kInfoHeaderSize, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(height), 4);
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // uncompressed
    PutLittleEndian(bytes, imageSize, 4);
    PutLittleEndian(bytes, kPixelsPerMetre, 4);
    PutLittleEndian(bytes, kPixelsPerMetre, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    std::string rows(bottomUpRows.substr(0, imageSize));
    rows.resize(imageSize, '\0');
    return bytes + rows;
}

std::string PlaceableMetafileBytes(std::string_view metafile, int width, int height, int unitsPerInch) {
    const uint16_t words[10] = {0xCDD7,
                                0x9AC6,  // the key, 0x9AC6CDD7
                                0,       // handle, always 0 on disk
                                0,
                                0,  // left, top
                                static_cast<uint16_t>(width),
                                static_cast<uint16_t>(height),
                                static_cast<uint16_t>(unitsPerInch),
                                0,
                                0};  // reserved double word
    uint16_t checksum = 0;
    std::string bytes;
    for (uint16_t word : words) {
        checksum ^= word;
        PutLittleEndian(bytes, word, 2);
    }
    PutLittleEndian(bytes, checksum, 2);
    bytes.append(metafile);
    return bytes;
}

std::optional<PlaceableMetafile> ReadPlaceableMetafile(std::string_view file) {
    constexpr size_t kHeaderSize = 22;
    if (file.size() <= kHeaderSize || Word(file, 0) != 0xCDD7 || Word(file, 2) != 0x9AC6)
        return std::nullopt;
    // The bounding box is in signed 16-bit logical units.
    const auto at = [&file](size_t offset) { return static_cast<int16_t>(Word(file, offset)); };
    PlaceableMetafile parts;
    parts.metafile = file.substr(kHeaderSize);
    parts.width = at(10) - at(6);
    parts.height = at(12) - at(8);
    parts.unitsPerInch = Word(file, 14);
    if (parts.width <= 0 || parts.height <= 0 || parts.unitsPerInch == 0)
        return std::nullopt;
    return parts;
}

PicturePlace FitPicture(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    const double scale =
        std::min({1.0, static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height});
    PicturePlace place;
    place.width = std::max(1, static_cast<int>(width * scale));
    place.height = std::max(1, static_cast<int>(height * scale));
    place.left = (boxWidth - place.width) / 2;
    place.top = (boxHeight - place.height) / 2;
    return place;
}

}  // namespace usage
