#pragma once

#include <string>

#include "settings/bound_settings.h"

namespace widgets {

// A window's settings written back to the settings file at path as the window is destroyed: every key is
// tried, and a failure goes to the error hook. Never throws.
void WriteSettingsOnDestroy(const settings::BoundSettings& settings, const std::string& path) noexcept;

}  // namespace widgets
