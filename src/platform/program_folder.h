#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kOptionsIniName = "Options.ini";

// The path cut after its last backslash (or slash): the folder, with its trailing separator.
std::string FolderOfPath(std::string_view path);
// The program's folder from its module file name. Wine names a program that lies on no drive letter
// "unix\path\prog.exe", which no file function takes; as "\\?\unix\path\" it works.
std::string FolderOfModulePath(std::string_view modulePath);
// The folder with a trailing backslash added when it has none.
std::string WithTrailingBackslash(std::string folder);

// The folder that holds the program's executable, with its trailing backslash. Never the current folder.
std::string ProgramFolder();
// Makes ProgramFolder give another folder (tests keep their files in a temporary folder); an empty
// folder returns to the executable's.
void SetProgramFolderForTests(std::string_view folder);

// The per-user folder for the settings, "<APPDATA>\Vireo\"; empty when there is no APPDATA folder.
std::string UserSettingsFolder(std::string_view appDataFolder);

// What the choice of the settings folder needs to know of the disk.
class SettingsFolderProbe {
  public:
    virtual ~SettingsFolderProbe() = default;
    virtual bool Holds(const std::string& folder, std::string_view name) const = 0;
    // False only when the system refuses the program to write there (no right, a read-only medium).
    virtual bool MayWriteIn(const std::string& folder) const = 0;
    // Makes the per-user folder, and copies the program folder's Options.ini into it when it has none,
    // so that settings kept before carry over. False when the folder cannot be made.
    virtual bool MakeUserFolder(const std::string& userFolder, const std::string& programFolder) const = 0;
};

// The folder of Options.ini and the list files: the per-user folder whenever it holds Options.ini;
// otherwise the program's folder, unless the program may not write there (a program under Program Files
// run without elevation), when the per-user folder is made and used instead.
std::string ChooseSettingsFolder(const std::string& programFolder,
                                 const std::string& userFolder,
                                 const SettingsFolderProbe& probe);

// ChooseSettingsFolder for the running program, with its trailing backslash.
std::string SettingsFolder();

inline std::string OptionsIniPath() {
    return SettingsFolder() + std::string(kOptionsIniName);
}

}  // namespace platform
