#pragma once

#include <string>

namespace testing_support {

// A Linux symbolic link at linkPath pointing at target (both Windows paths), made by /bin/ln as a user's
// tools make them; Wine shows it as a reparse point. False when the link could not be made.
bool MakeSymbolicLink(const std::string& target, const std::string& linkPath);
// A second name for an existing file, made by Linux's ln. False when it could not be made.
bool MakeHardLink(const std::string& existing, const std::string& linkPath);

}  // namespace testing_support
