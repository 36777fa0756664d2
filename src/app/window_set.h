#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/language_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "duplicates/duplicates_window.h"
#include "registry/registry_window.h"
#include "settings/options_window.h"
#include "unnecessary/backup_window.h"
#include "usage/chart_window.h"
#include "widgets/about_box.h"

namespace app {

// One reference per window class, each set when its window is made and kept until the program ends.
// The splash's goes when the main window is first activated.
extern std::unique_ptr<TOdota> OdotaIkkuna;
extern std::unique_ptr<TPaaIkkuna> PaaIkkuna;
extern std::unique_ptr<registry::TRegistryIkkuna> RegistryIkkuna;
extern std::unique_ptr<settings::TOptionsIkkuna> OptionsIkkuna;
extern std::unique_ptr<widgets::TAboutBox> AboutBox;
extern std::unique_ptr<duplicates::TKaksoisIkkuna> KaksoisIkkuna;
extern std::unique_ptr<unnecessary::TBackupIkkuna> BackupIkkuna;
extern std::unique_ptr<usage::TKaavioIkkuna> KaavioIkkuna;
extern std::unique_ptr<TKieliIkkuna> KieliIkkuna;

// Makes every window once, in the program's fixed order; the first becomes the main window. The
// arguments are the program's own, without its name; the space usage window measures the first at start.
void CreateWindows(const std::vector<std::string>& arguments = {});
// Destroys them in the reverse order; each tool writes its settings back as it goes.
void DestroyWindows();

// Gives a window shown during start-up a taskbar button and an Alt+Tab entry of its own, so the program
// can be found again while the main window is still hidden. Call before the window is shown.
void ShowInTaskbar(HWND window);

// Asks every window's long operation that is still going to stop, so the program can end at once.
void StopEveryRun();
// Whether a window other than the given one is in the middle of its long operation.
bool AnyRunInProgress(const widgets::Window* except);

// Hides and destroys the splash, ignoring any error in doing so.
void DestroySplash() noexcept;

}  // namespace app
