#include "platform/system.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "platform/win32/unicode.h"

namespace platform {

SystemVersion RunningSystemVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return {};
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

std::vector<std::string> ArgumentsOf(std::wstring_view commandLine) {
    // An empty line would give the running program's own name as the only argument.
    if (commandLine.empty())
        return {};
    const std::wstring line(commandLine);
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(line.c_str(), &count), &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(win32::Narrow(argv.get()[i]));
    return arguments;
}

std::vector<std::string> ProgramArguments() {
    return ArgumentsOf(GetCommandLineW());
}

}  // namespace platform
