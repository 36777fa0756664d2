#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk_view.h"
#include "platform/program_folder.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "settings/keys.h"
#include "settings/settings_file.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
using platform::win32::ExactPath;
using settings_test::NamesIn;

namespace {

// A program folder and an APPDATA of the test's own, put back afterwards.
class SettingsFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t saved[32768] = {};
        hadAppData_ = GetEnvironmentVariableW(L"APPDATA", saved, 32768) > 0;
        savedAppData_ = saved;
        SetEnvironmentVariableW(L"APPDATA",
                                platform::win32::Widen(appData_.Path().substr(0, appData_.Path().size() - 1)).c_str());
        platform::SetProgramFolderForTests(program_.Path());
    }
    void TearDown() override {
        platform::SetProgramFolderForTests("");
        SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? savedAppData_.c_str() : nullptr);
    }
    std::string UserFolder() const { return appData_ / "Vireo\\"; }

    TempFolder program_;
    TempFolder appData_;

  private:
    bool hadAppData_ = false;
    std::wstring savedAppData_;
};

TEST_F(SettingsFolderTest, WritableProgramFolderHoldsTheSettingsAndIsLeftAsItWas) {
    EXPECT_EQ(platform::SettingsFolder(), program_.Path());
    EXPECT_EQ(platform::OptionsIniPath(), program_ / "Options.ini");
    // The look whether the folder may be written leaves no file behind, and makes no per-user folder.
    EXPECT_TRUE(NamesIn(program_.Path()).empty());
    EXPECT_TRUE(NamesIn(appData_.Path()).empty());

    // A locked Options.ini is no reason to move: its writes fail as locked files do.
    WriteFile(program_ / "Options.ini", "[General]\r\n");
    HANDLE lock =
        CreateFileW(ExactPath(program_ / "Options.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform::SettingsFolder(), program_.Path());
    CloseHandle(lock);
    EXPECT_TRUE(NamesIn(appData_.Path()).empty());
}

TEST_F(SettingsFolderTest, PerUserOptionsAreReadAndWrittenWhereverTheProgramIs) {
    WriteFile(program_ / "Options.ini", "[General]\r\nLanguage/Kieli=1\r\n");
    WriteFile(UserFolder() + "Options.ini", "[General]\r\nLanguage/Kieli=0\r\n");
    EXPECT_EQ(platform::SettingsFolder(), UserFolder());
    settings::SettingsFile ini(platform::OptionsIniPath());
    EXPECT_FALSE(ini.ReadFlag(settings::keys::kLanguage));
    ini.WriteFlag(settings::keys::kCount, true);
    EXPECT_TRUE(settings::SettingsFile(UserFolder() + "Options.ini").ReadFlag(settings::keys::kCount));
    EXPECT_FALSE(settings::SettingsFile(program_ / "Options.ini").ReadFlag(settings::keys::kCount, false));
}

TEST_F(SettingsFolderTest, ProgramFolderEndingInADotOrDeeperThanTheOldLimitKeepsItsOwnSettings) {
    std::string deep = program_.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    WriteFile(program_ / "Vireo\\Options.ini", "[General]\r\nLanguage/Kieli=0\r\n");  // not the program's
    for (const std::string& folder : {program_ / "Vireo.\\", deep}) {
        WriteFile(folder + "Options.ini", "[General]\r\nLanguage/Kieli=1\r\n");
        platform::SetProgramFolderForTests(folder);
        EXPECT_EQ(platform::SettingsFolder(), folder);
        settings::SettingsFile ini(platform::OptionsIniPath());
        EXPECT_TRUE(ini.ReadFlag(settings::keys::kLanguage)) << folder;
        ini.WriteFlag(settings::keys::kCount, true);
        EXPECT_TRUE(settings::SettingsFile(folder + "Options.ini").ReadFlag(settings::keys::kCount, false)) << folder;
    }
    EXPECT_FALSE(settings::SettingsFile(program_ / "Vireo\\Options.ini").ReadFlag(settings::keys::kCount, false));
    EXPECT_TRUE(NamesIn(appData_.Path()).empty());
}

TEST_F(SettingsFolderTest, FolderTheSystemRefusesSendsTheSettingsToAppData) {
    // The file system of the kernel's objects: even root may make no file in it, and Wine reports the
    // refusal as a denied access, as Windows does for Program Files without elevation.
    const std::string refused = "\\\\?\\unix\\sys\\";
    const std::wstring probe = ExactPath(refused + "vireo-test-probe");
    HANDLE made = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (made != INVALID_HANDLE_VALUE) {
        CloseHandle(made);
        GTEST_SKIP() << "/sys takes new files here: no folder the system refuses";
    }
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    platform::SetProgramFolderForTests(refused);

    EXPECT_EQ(platform::SettingsFolder(), UserFolder());
    EXPECT_EQ(NamesIn(appData_.Path()), std::vector<std::string>{"Vireo"});
    // The first-run choice is kept: written there, and found there at the next start.
    settings::SettingsFile(platform::OptionsIniPath()).WriteFlag(settings::keys::kLanguage, false);
    EXPECT_EQ(NamesIn(UserFolder()), std::vector<std::string>{"Options.ini"});
    EXPECT_EQ(platform::OptionsIniPath(), UserFolder() + "Options.ini");
    EXPECT_EQ(settings::SettingsFile(platform::OptionsIniPath()).ReadText(settings::keys::kLanguageText), "0");
}

}  // namespace
