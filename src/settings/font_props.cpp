#include "settings/font_props.h"

namespace settings {

bool IsColourValue(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    if ((bits & 0xFF000000u) == 0)
        return true;
    return (bits & 0xFFFFFF00u) == 0x80000000u && (bits & 0xFFu) <= kLastSystemColour;
}

FontProps ReadFontProps(const SettingsFile& file, std::string_view prefix, const FontProps& current) {
    using namespace keys;
    FontProps font = current;
    font.Name = file.ReadText(kFonts, FontKey(prefix, kFontName), current.Name);
    if (font.Name.empty())
        font.Name = current.Name;
    font.Size = file.ReadInteger(kFonts, FontKey(prefix, kFontSize), current.Size);
    if (font.Size < kSmallestFontSize || font.Size > kLargestFontSize)
        font.Size = current.Size;
    font.Color = file.ReadInteger(kFonts, FontKey(prefix, kFontColor), current.Color);
    if (!IsColourValue(font.Color))
        font.Color = current.Color;
    font.Bold = file.ReadFlag(kFonts, FontKey(prefix, kFontBold), current.Bold);
    font.Italic = file.ReadFlag(kFonts, FontKey(prefix, kFontItalic), current.Italic);
    return font;
}

}  // namespace settings
