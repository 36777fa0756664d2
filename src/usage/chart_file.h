#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace usage {

enum class ChartFileFormat { Bitmap, Metafile, EnhancedMetafile };

// The picture format a chart file name asks for, by its extension in any letter case: ".bmp", ".wmf" or
// ".emf". Nothing for any other extension or none.
std::optional<ChartFileFormat> ChartFormatOfName(std::string_view path);

// The extension (without the dot) the save dialog proposes for its file type, numbered from 1 as in the
// filter: bitmaps, enhanced metafiles, metafiles, all three.
std::string ChartDefaultExtension(int fileType);

// A whole .bmp file around 24-bit pixel rows, bottom row first, each padded to four bytes.
std::string BitmapFileBytes(int width, int height, std::string_view bottomUpRows);

// A .wmf file as other programs expect it: the placeable header (size in logical units, units per inch)
// and then the metafile's own bytes.
std::string PlaceableMetafileBytes(std::string_view metafile, int width, int height, int unitsPerInch);

}  // namespace usage
