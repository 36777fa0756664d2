#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "disk_view.h"
#include "platform/ansi_codec.h"
#include "platform/program_folder.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "settings/keys.h"
#include "settings/settings_file.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
namespace keys = settings::keys;
using platform::win32::ExactPath;
using platform::win32::Narrow;
using settings::SettingsFile;
using settings_test::Content;
using settings_test::NamesIn;

namespace {

std::string WriteError(SettingsFile& ini) {
    try {
        ini.WriteFlag(keys::kLanguage, false);
    } catch (const base::Error& error) {
        return error.what();
    }
    return "no error";
}

const std::string kBefore = "[General]\r\nLanguage/Kieli=1\r\n; kept\r\n";

TEST(SettingsFileOnDisk, ReadOnlyFileIsNotWritten) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, kBefore);
    ASSERT_TRUE(SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    SettingsFile ini(path);
    EXPECT_EQ(WriteError(ini), "Unable to write to " + path);
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage));
    SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Content(path), kBefore);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Options.ini"});
}

TEST(SettingsFileOnDisk, MissingFolderGivesDefaultsAndAnError) {
    TempFolder folder;
    const std::string path = folder / "gone\\Options.ini";
    SettingsFile ini(path);
    EXPECT_EQ(ini.ReadText(keys::kFileMask), "*.*");
    EXPECT_EQ(WriteError(ini), "Unable to write to " + path);
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

TEST(SettingsFileOnDisk, LockedFileIsNeitherReadNorReplaced) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, kBefore);
    HANDLE lock = CreateFileW(ExactPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SettingsFile ini(path);
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage.section, keys::kLanguage.name, false));
    EXPECT_EQ(WriteError(ini), "Unable to write to " + path);
    CloseHandle(lock);
    EXPECT_EQ(Content(path), kBefore);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Options.ini"});
}

TEST(SettingsFileOnDisk, WritesCreateAndReplaceTheFileLeavingNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    SettingsFile ini(path);
    ini.WriteFlag(keys::kLanguage, false);
    ini.WriteFlag(keys::kBytes, true);
    ini.WriteText(keys::kDirectoryMask, "\\Temp");
    ini.WriteFlag(keys::kLanguage, true);
    EXPECT_EQ(Content(path),
              "[General]\r\nLanguage/Kieli=1\r\n\r\n[Chart]\r\nBytes=1\r\n\r\n"
              "[Backups, temps deleter]\r\nDirectoryMask=\\Temp\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Options.ini"});
    EXPECT_EQ(SettingsFile(path).ReadText(keys::kDirectoryMask), "\\Temp");
}

TEST(SettingsFileOnDisk, HiddenFileStaysHidden) {
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, kBefore);
    ASSERT_TRUE(SetFileAttributesW(ExactPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    SettingsFile ini(path);
    ini.WriteFlag(keys::kLanguage, false);
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage));
    EXPECT_NE(GetFileAttributesW(ExactPath(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Options.ini"});
}

TEST(SettingsFileOnDisk, NonAnsiPathAndValueRoundTrip) {
    TempFolder folder;
    // "Käyttäjä 日本" in the folder name; the value holds characters no ANSI code page has together.
    const std::string sub = folder / "K\xC3\xA4ytt\xC3\xA4j\xC3\xA4 \xE6\x97\xA5\xE6\x9C\xAC\\";
    MakeFolder(sub);
    const std::string path = sub + "Options.ini";
    const std::string value = "\\\xE6\x97\xA5\xE6\x9C\xAC \xD0\x96 \xC3\xA4";
    SettingsFile ini(path);
    ini.WriteText(keys::kDirectoryMask, value);
    EXPECT_EQ(ini.ReadText(keys::kDirectoryMask), value);
    EXPECT_EQ(Content(path), "\xEF\xBB\xBF[Backups, temps deleter]\r\nDirectoryMask=" + value + "\r\n");
    EXPECT_EQ(NamesIn(sub), std::vector<std::string>{"Options.ini"});
}

TEST(SettingsFileOnDisk, AnsiFileStaysAnsi) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs the Western European code page";
    TempFolder folder;
    const std::string path = folder / "Options.ini";
    WriteFile(path, "[Duplicate file]\r\nFoldersToIgnore=T\xE4m\xE4\r\n");
    SettingsFile ini(path);
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "T\xC3\xA4m\xC3\xA4");
    ini.WriteText(keys::kFileMask, "*.\xC3\xA9");
    EXPECT_EQ(Content(path), "[Duplicate file]\r\nFoldersToIgnore=T\xE4m\xE4\r\nFileMask=*.\xE9\r\n");

    const base::AnsiCodec& codec = platform::SystemAnsiCodec();
    EXPECT_EQ(codec.Encode("\xE2\x82\xAC"), std::optional<std::string>("\x80"));
    // No best-fit look-alike: a Cyrillic letter or a Greek alpha is not "held" by code page 1252.
    EXPECT_EQ(codec.Encode("\xD0\x96"), std::nullopt);
    EXPECT_EQ(codec.Encode("\xCE\xB1"), std::nullopt);
    EXPECT_EQ(codec.Decode("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
}

TEST(SettingsFileOnDisk, LongPathsWork) {
    TempFolder folder;
    std::string deep = folder.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    MakeFolder(deep);
    const std::string path = deep + "Options.ini";
    SettingsFile ini(path);
    ini.WriteFlag(keys::kCount, true);
    EXPECT_TRUE(SettingsFile(path).ReadFlag(keys::kCount));
    EXPECT_EQ(NamesIn(deep), std::vector<std::string>{"Options.ini"});
}

TEST(ProgramFolder, IsTheExecutablesFolderWhateverTheCurrentFolder) {
    TempFolder folder;
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(ExactPath(folder.Path()).c_str());
    const std::string programFolder = platform::ProgramFolder();
    SetCurrentDirectoryW(current);

    ASSERT_FALSE(programFolder.empty());
    EXPECT_EQ(programFolder.back(), '\\');
    EXPECT_TRUE(FileExists(programFolder + "win_settings.exe")) << programFolder;
    EXPECT_EQ(platform::OptionsIniPath(), programFolder + "Options.ini");

    platform::SetProgramFolderForTests(folder.Path().substr(0, folder.Path().size() - 1));
    EXPECT_EQ(platform::ProgramFolder(), folder.Path());
    EXPECT_EQ(platform::OptionsIniPath(), folder.Path() + "Options.ini");
    platform::SetProgramFolderForTests("");
    EXPECT_EQ(platform::ProgramFolder(), programFolder);
}

}  // namespace
