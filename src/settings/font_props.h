#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_file.h"

namespace settings {

// A font as the settings keep it: five keys of the section with the empty name, formed from a prefix.
struct FontProps {
    std::string Name;
    int32_t Size = 8;   // points
    int32_t Color = 0;  // 0x00BBGGRR, or a system colour's index with the top bit set
    bool Bold = false;
    bool Italic = false;

    bool operator==(const FontProps&) const = default;
};

// Smallest and largest font sizes taken from the file, in points; others keep the current size.
inline constexpr int32_t kSmallestFontSize = 1;
inline constexpr int32_t kLargestFontSize = 144;

// The highest system colour index a colour value may name.
inline constexpr uint32_t kLastSystemColour = 30;

// True for 0x00BBGGRR and for 0x800000ii with a system colour index ii.
bool IsColourValue(int32_t value);

// The font's five keys, each with the font's current value as default, so absent keys change nothing.
// An empty name, a size no one could read or a value that is no colour keeps the current one.
FontProps ReadFontProps(const SettingsFile& file, std::string_view prefix, const FontProps& current);

}  // namespace settings
