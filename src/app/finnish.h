#pragma once

#include <span>

#include "widgets/window.h"

namespace app {

// The main window's Finnish captions and hints.
std::span<const widgets::TextSpec> MainWindowFinnishTexts();

// Puts the label that follows a window's status label just right of it, once the status label has its
// Finnish text.
void FollowStatusLabel(widgets::Window& window, const char* statusLabel, const char* follower);

// Sets the Finnish texts of every window, in the program's order: the main window, the about box, the
// registry cleaner, the space usage window, the options window, the unnecessary-files window and the
// duplicate files window.
void ApplyFinnishTexts();

}  // namespace app
