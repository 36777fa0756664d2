#include "usage/chart_file.h"

#include <cctype>

namespace usage {

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
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

}  // namespace usage
