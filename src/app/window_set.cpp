#include "app/window_set.h"

#include "widgets/window.h"

namespace app {

std::unique_ptr<TOdota> OdotaIkkuna;
std::unique_ptr<TPaaIkkuna> PaaIkkuna;

void CreateWindows() {
    PaaIkkuna = std::make_unique<TPaaIkkuna>();
    widgets::SetMainWindow(PaaIkkuna.get());
    // The tool windows, the options window, the about box and the language choice follow here, in this
    // order: TRegistryIkkuna, TOptionsIkkuna, TAboutBox, TKaksoisIkkuna, TBackupIkkuna, TKaavioIkkuna,
    // TKieliIkkuna.
}

void DestroyWindows() {
    widgets::SetMainWindow(nullptr);
    PaaIkkuna.reset();
}

void DestroySplash() noexcept {
    try {
        if (OdotaIkkuna) {
            OdotaIkkuna->Hide();
            OdotaIkkuna.reset();
        }
    } catch (...) {
    }
}

}  // namespace app
