#pragma once

#include <string>

namespace app {

inline constexpr char kProductName[] = "Vireo";
inline constexpr char kApplicationTitle[] = "Vireo 1.5 by Lumoworks";

// The help file the main window opens on F1; a bare name until the main window makes it a full path.
const std::string& HelpFile();
void SetHelpFile(std::string path);

// Makes the one TGlobaaliVirheK and hands it every error that escapes a window's handler.
void InstallErrorHook();

// F1 opens the current help file at the active window's topic.
void InstallHelpHandler();

// The whole run: the single-instance guard, the splash, every window, the message loop.
int RunProgram();

}  // namespace app
