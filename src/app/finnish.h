#pragma once

#include <span>

#include "widgets/window.h"

namespace app {

// The main window's Finnish captions and hints.
std::span<const widgets::TextSpec> MainWindowFinnishTexts();

// Sets the Finnish texts of every window, in the program's order: the main window, the about box, the
// registry cleaner, the space usage window, the options window, the unnecessary-files window and the
// duplicate files window.
void ApplyFinnishTexts();

}  // namespace app
