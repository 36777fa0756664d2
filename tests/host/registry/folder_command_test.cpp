#include <gtest/gtest.h>

#include "fakes.h"
#include "registry/folder_command.h"

namespace {

using platform::RegistryRoot;

TEST(FolderShellCommands, TheThreeEntriesGoAndTheirNeighboursStay) {
    fakes::FakeRegistry registry;
    fakes::FakeKey& classes = registry.Root(RegistryRoot::ClassesRoot);
    classes.Key("Folder\\shell\\Usage Pie Chart\\command").SetString("", "x.exe %1");
    classes.Key("Directory\\shell\\UsagePieChart\\command").SetString("", "x.exe %1");
    classes.Key("Drive\\shell\\UsagePieChart\\command\\deeper");
    classes.Key("Folder\\shell\\open\\command").SetString("", "explorer.exe");
    classes.Key("Directory\\shell\\UsagePieChartOther");

    registry::RemoveFolderShellCommands(registry);

    EXPECT_EQ(registry.Open(RegistryRoot::ClassesRoot, "Folder\\shell\\Usage Pie Chart"), nullptr);
    EXPECT_EQ(registry.Open(RegistryRoot::ClassesRoot, "Directory\\shell\\UsagePieChart"), nullptr);
    EXPECT_EQ(registry.Open(RegistryRoot::ClassesRoot, "Drive\\shell\\UsagePieChart"), nullptr);
    EXPECT_NE(registry.Open(RegistryRoot::ClassesRoot, "Folder\\shell\\open\\command"), nullptr);
    EXPECT_NE(registry.Open(RegistryRoot::ClassesRoot, "Directory\\shell\\UsagePieChartOther"), nullptr);
    EXPECT_NE(registry.Open(RegistryRoot::ClassesRoot, "Drive\\shell"), nullptr);
}

TEST(FolderShellCommands, NothingToRemoveChangesNothing) {
    fakes::FakeRegistry registry;
    registry.Root(RegistryRoot::ClassesRoot).Key("Folder\\shell\\open");
    registry::RemoveFolderShellCommands(registry);
    EXPECT_NE(registry.Open(RegistryRoot::ClassesRoot, "Folder\\shell\\open"), nullptr);
    EXPECT_EQ(registry.Open(RegistryRoot::ClassesRoot, "Directory"), nullptr);
}

}  // namespace
