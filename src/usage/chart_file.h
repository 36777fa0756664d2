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

// A placeable .wmf file taken apart: the metafile's own bytes, the picture's size in logical units and
// the units per inch.
struct PlaceableMetafile {
    std::string_view metafile;
    int width = 0;
    int height = 0;
    int unitsPerInch = 0;
};

// Nothing when the bytes do not start with a placeable header describing a picture of some size.
std::optional<PlaceableMetafile> ReadPlaceableMetafile(std::string_view file);

// Where a picture is drawn in a box: whole, centred, shrunk to fit with its proportions kept, never
// enlarged; nothing is drawn (an empty place) for a picture or box without area.
struct PicturePlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
PicturePlace FitPicture(int width, int height, int boxWidth, int boxHeight);

}  // namespace usage
