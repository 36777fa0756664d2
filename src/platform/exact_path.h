#pragma once

#include <string>
#include <string_view>

namespace platform {

// How the last dots and blanks of a name are taken. The system's classic path rules drop them ("a." and
// "a " name "a"); the extended \\?\ form keeps every name as it is.
enum class NameForm { Exact, Classic };

// True when path only has a meaning against a current directory ("x.txt", "C:x.txt", "\x.txt").
bool NeedsCurrentDirectory(std::string_view path);

// The extended-length form of path (\\?\C:\..., \\?\UNC\server\share\...) that the file functions take
// without any rewriting of their own: "/" become "\", empty and "." names go, ".." takes away the name before
// it (never the drive or the share), and a relative path is taken against currentDirectory, which may itself
// be in either form (nothing for one with no plain form, such as a volume name). A path already in the
// \\?\ or \\.\ form is kept as given. No trailing backslash except on a drive root ("\\?\C:\", which
// without it would name the volume). Empty in, empty out.
std::string ExtendedPath(std::string_view path, std::string_view currentDirectory, NameForm form = NameForm::Exact);

// The form a user reads of an extended path: "\\?\C:\x" is "C:\x", "\\?\UNC\server\share\x" is
// "\\server\share\x"; any other text is returned as it is.
std::string PlainPath(std::string_view path);

// The form in which to make fullPath (a full path in either form) the current directory: the plain one,
// which is what the system and other programs expect to read back, when it names the same folder (no name
// that the classic rules would change) and is at most maxLength UTF-16 units long with its closing
// backslash; else the extended one.
std::string CurrentDirectoryForm(std::string_view fullPath, size_t maxLength);

// The root of an absolute path as a user writes it: "C:\" or "\\server\share\"; empty for a relative path
// and for a server without a share.
std::string PlainRoot(std::string_view path);

// The full, plain form of path ("\Temp" and "Temp" taken against currentDirectory, "." and ".." resolved);
// path itself when it has no full form (no usable current directory).
std::string AbsolutePlainPath(std::string_view path, std::string_view currentDirectory);

}  // namespace platform
