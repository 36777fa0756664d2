#include "registry/folder_command.h"

#include <string>

namespace registry {

void RemoveFolderShellCommands(platform::Registry& registry) {
    using platform::RegistryRoot;
    registry.DeleteTree(RegistryRoot::ClassesRoot, "Folder\\shell\\Usage Pie Chart\\command");
    registry.DeleteTree(RegistryRoot::ClassesRoot, "Folder\\shell\\Usage Pie Chart");
    for (const std::string kind : {"Directory", "Drive"}) {
        registry.DeleteTree(RegistryRoot::ClassesRoot, kind + "\\shell\\UsagePieChart\\command");
        registry.DeleteTree(RegistryRoot::ClassesRoot, kind + "\\shell\\UsagePieChart");
    }
}

}  // namespace registry
