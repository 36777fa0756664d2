#include "unnecessary/junk_masks.h"

namespace unnecessary {

bool IsWildcardOnly(std::string_view mask) {
    return !mask.empty() && mask.find_first_not_of("*?.") == std::string_view::npos;
}

std::vector<std::string> DropWildcardOnlyMasks(base::SortedStringList& masks) {
    std::vector<std::string> dropped;
    for (int i = 0; i < masks.Count();) {
        const std::string text = masks[i].text;
        if (IsWildcardOnly(text)) {
            dropped.push_back(text);
            masks.Delete(i);
        } else {
            ++i;
        }
    }
    return dropped;
}

}  // namespace unnecessary
