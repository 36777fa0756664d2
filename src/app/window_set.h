#pragma once

#include <memory>

#include "app/language_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "registry/registry_window.h"
#include "settings/options_window.h"
#include "widgets/about_box.h"

namespace app {

// One reference per window class, each set when its window is made and kept until the program ends.
// The splash's goes when the main window is first activated.
extern std::unique_ptr<TOdota> OdotaIkkuna;
extern std::unique_ptr<TPaaIkkuna> PaaIkkuna;
extern std::unique_ptr<registry::TRegistryIkkuna> RegistryIkkuna;
extern std::unique_ptr<settings::TOptionsIkkuna> OptionsIkkuna;
extern std::unique_ptr<widgets::TAboutBox> AboutBox;
extern std::unique_ptr<TKieliIkkuna> KieliIkkuna;

// Makes every window once, in the program's fixed order; the first becomes the main window.
void CreateWindows();
// Destroys them in the reverse order; each tool writes its settings back as it goes.
void DestroyWindows();

// Gives a window shown during start-up a taskbar button and an Alt+Tab entry of its own, so the program
// can be found again while the main window is still hidden. Call before the window is shown.
void ShowInTaskbar(HWND window);

// Hides and destroys the splash, ignoring any error in doing so.
void DestroySplash() noexcept;

}  // namespace app
