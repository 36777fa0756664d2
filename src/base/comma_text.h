#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace base {

// The one-line form of a list of strings used by the mask and folder fields and several settings.
// One item in double quotes, each inner quote doubled.
std::string QuotedItem(std::string_view item);

std::string ToCommaText(const std::vector<std::string>& items);

// Blanks separate items just as commas do unless an item is quoted; two commas in a row give an empty item.
std::vector<std::string> FromCommaText(std::string_view text);

}  // namespace base
