#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The operating system's family and version: family 1 is Windows 95/98, family 2 the NT line.
struct SystemVersion {
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
};

// The version of the system the program runs on.
SystemVersion RunningSystemVersion();

// The arguments of a command line after the program's own name, split as the system splits them.
std::vector<std::string> ArgumentsOf(std::wstring_view commandLine);

// The program's own command-line arguments, without its name.
std::vector<std::string> ProgramArguments();

}  // namespace platform
