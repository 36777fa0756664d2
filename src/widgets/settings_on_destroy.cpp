#include "widgets/settings_on_destroy.h"

#include "settings/settings_file.h"
#include "widgets/error_hook.h"

namespace widgets {

void WriteSettingsOnDestroy(const settings::BoundSettings& settings, const std::string& path) noexcept {
    try {
        settings::SettingsFile file(path);
        settings.WriteAll(file, [] { ReportEscapedError(); });
    } catch (...) {
        // Only making the accessor can fail here (out of memory); the window goes all the same.
        ReportEscapedError();
    }
}

}  // namespace widgets
