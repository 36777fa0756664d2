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

inline std::string OptionsIniPath() {
    return ProgramFolder() + std::string(kOptionsIniName);
}

}  // namespace platform
