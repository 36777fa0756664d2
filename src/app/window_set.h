#pragma once

#include <memory>

#include "app/main_window.h"
#include "app/splash_window.h"

namespace app {

// One reference per window class, each set when its window is made and kept until the program ends.
// The splash's goes when the main window is first activated.
extern std::unique_ptr<TOdota> OdotaIkkuna;
extern std::unique_ptr<TPaaIkkuna> PaaIkkuna;

// Makes every window once, in the program's fixed order; the first becomes the main window.
void CreateWindows();
// Destroys them in the reverse order; each tool writes its settings back as it goes.
void DestroyWindows();

// Hides and destroys the splash, ignoring any error in doing so.
void DestroySplash() noexcept;

}  // namespace app
