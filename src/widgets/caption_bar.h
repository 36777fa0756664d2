#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace widgets {

// Paints a top-level window's caption as the program's gradient bar: 64 colour steps from navy to blue
// with white text while the window is active, grey to silver with silver text while it is not; the
// application's name in bold, the rest of the caption regular, 8-point sans-serif at the window's DPI.
// The system still draws the frame and the caption buttons; the bar is painted over the rest of the
// caption. Installing twice is harmless; the bar goes with the window.
void InstallCaptionBar(HWND topLevelWindow, std::wstring_view applicationName = L"Vireo");
bool HasCaptionBar(HWND window);

// Step 0..63 of the bar's gradient, left to right.
COLORREF CaptionBarColor(bool active, int step);

// How a caption is shown: the bold part and the regular part after it. A caption that starts with the
// application's name shows that name bold; any other is shown after the name, as "Vireo - Options".
struct CaptionParts {
    std::wstring bold;
    std::wstring regular;
};
CaptionParts SplitCaption(std::wstring_view caption, std::wstring_view applicationName);

// Where the bar lies in window coordinates, as found from the system's own hit testing; empty when the
// window shows no caption.
struct CaptionBarLayout {
    RECT bar{};         // the caption's whole band, between the frame's edges
    RECT icon{};        // the system menu's icon, empty when there is none
    RECT buttons[4]{};  // the caption buttons the system draws (close, maximise, minimise, help)
    int buttonCount = 0;
};
CaptionBarLayout MeasureCaptionBar(HWND window);

}  // namespace widgets
