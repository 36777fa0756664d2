#pragma once

#include <string>
#include <vector>

namespace settings_test {

// The names in a folder (UTF-8, with a trailing backslash), sorted, without "." and "..".
std::vector<std::string> NamesIn(const std::string& folder);
// A file's bytes; a failed check of the test when it cannot be read.
std::string Content(const std::string& path);

}  // namespace settings_test
