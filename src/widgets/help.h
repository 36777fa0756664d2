#pragma once

#include <functional>
#include <string>

namespace widgets {

// Opens a web address, a "mailto:" address or a file URL with the system's default handler for it
// (the default verb, SW_SHOW). Returns false when the shell could not start anything.
bool ShellOpen(const std::string& target);

// Opens the help file at a topic's anchor in the default browser. A missing file is the browser's to
// report: nothing is checked here.
void OpenHelpTopic(const std::string& helpFile, int topic);

// What OpenHelpTopic hands its URL to: the browser unless a test has put something else in its place.
using HelpOpener = std::function<void(const std::string& url)>;
void SetHelpOpener(HelpOpener opener);  // an empty one restores the browser

}  // namespace widgets
