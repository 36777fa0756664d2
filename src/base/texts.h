#pragma once

#include <string>
#include <string_view>

namespace base {

// True when the Finnish texts are in use; decided once, at the main window's first show.
bool FinnishUI();
void SetFinnishUI(bool finnish);

// A text built at run time, in the interface language.
std::string Tx(std::string_view english, std::string_view finnish);

}  // namespace base
