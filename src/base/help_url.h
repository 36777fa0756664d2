#pragma once

#include <string>
#include <string_view>

namespace base {

// The file URL that opens a help file at one topic's anchor: "file:///C:/Program%20Files/Vireo/VireoE.htm#topic101".
// Backslashes become slashes; blanks, non-ASCII bytes (as UTF-8) and every character that would end or
// change the path part ('#', '?', '%', ...) are percent-encoded. A "\\?\" long-path prefix is dropped and a
// "\\server\share" path becomes "file://server/share/...". A topic of 0 or less gives no anchor.
std::string HelpTopicUrl(std::string_view helpFile, int topic);

// The anchor name of a topic inside the help files: "topic101".
std::string HelpTopicAnchor(int topic);

}  // namespace base
