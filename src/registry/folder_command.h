#pragma once

#include "platform/registry.h"

namespace registry {

// Takes the space-usage entries off the Explorer context menus of folders, folders in the tree and drives.
// Nothing in the program makes them; missing ones are passed over.
void RemoveFolderShellCommands(platform::Registry& registry);

}  // namespace registry
