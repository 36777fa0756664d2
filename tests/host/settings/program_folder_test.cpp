#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

TEST(ProgramFolderPath, ModulePathCutAfterItsLastBackslash) {
    EXPECT_EQ(platform::FolderOfModulePath("C:\\Program Files\\Vireo\\vireo.exe"), "C:\\Program Files\\Vireo\\");
    EXPECT_EQ(platform::FolderOfModulePath("\\\\server\\share\\vireo.exe"), "\\\\server\\share\\");
    EXPECT_EQ(platform::FolderOfModulePath("\\\\?\\C:\\very\\long\\vireo.exe"), "\\\\?\\C:\\very\\long\\");
    // Wine's name for a program on no drive letter becomes a path the file functions take.
    EXPECT_EQ(platform::FolderOfModulePath("unix\\work\\build\\vireo.exe"), "\\\\?\\unix\\work\\build\\");
    EXPECT_EQ(platform::FolderOfModulePath("vireo.exe"), "");
    EXPECT_EQ(platform::WithTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(platform::WithTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
}

namespace {

const std::string kProgram = "C:\\Program Files\\Vireo\\";
const std::string kUser = "C:\\Users\\Liisa\\AppData\\Roaming\\Vireo\\";

// A disk where the program's folder may or may not be written and the per-user folder may or may not
// hold the settings yet.
class FakeProbe : public platform::SettingsFolderProbe {
  public:
    bool Holds(const std::string& folder, std::string_view name) const override {
        return name == "Options.ini" && held.count(folder) != 0;
    }
    bool MayWriteIn(const std::string& folder) const override { return folder != unwritable; }
    bool MakeUserFolder(const std::string& userFolder, const std::string& programFolder) const override {
        made.push_back(userFolder + " from " + programFolder);
        return canMake;
    }

    std::set<std::string> held;
    std::string unwritable;
    bool canMake = true;
    mutable std::vector<std::string> made;
};

TEST(SettingsFolderChoice, ProgramFolderWhileTheProgramMayWriteThere) {
    FakeProbe probe;
    probe.held.insert(kProgram);
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, kUser, probe), kProgram);
    EXPECT_TRUE(probe.made.empty());
    // Without an APPDATA folder there is nowhere else to go.
    probe.unwritable = kProgram;
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, "", probe), kProgram);
    EXPECT_TRUE(probe.made.empty());
}

TEST(SettingsFolderChoice, UnwritableProgramFolderMovesTheSettingsToTheUserFolder) {
    FakeProbe probe;
    probe.unwritable = kProgram;
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, kUser, probe), kUser);
    // Made, with the program folder's settings carried over, before anything is written there.
    EXPECT_EQ(probe.made, std::vector<std::string>{kUser + " from " + kProgram});

    // A user folder that cannot be made leaves the program folder: its writes fail as they would have.
    probe.made.clear();
    probe.canMake = false;
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, kUser, probe), kProgram);
}

TEST(SettingsFolderChoice, UserFolderHoldingOptionsIsReadWhateverTheProgramFolder) {
    FakeProbe probe;
    probe.held.insert(kUser);
    probe.held.insert(kProgram);
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, kUser, probe), kUser);
    probe.unwritable = kProgram;
    EXPECT_EQ(platform::ChooseSettingsFolder(kProgram, kUser, probe), kUser);
    EXPECT_TRUE(probe.made.empty());
}

TEST(SettingsFolderChoice, UserFolderIsVireoInsideAppData) {
    EXPECT_EQ(platform::UserSettingsFolder("C:\\Users\\Liisa\\AppData\\Roaming"), kUser);
    EXPECT_EQ(platform::UserSettingsFolder("C:\\Users\\Liisa\\AppData\\Roaming\\"), kUser);
    EXPECT_EQ(platform::UserSettingsFolder(""), "");
}

}  // namespace
