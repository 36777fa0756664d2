#include "settings/mask_list.h"

#include <utility>

#include "base/comma_text.h"
#include "settings/settings_file.h"

namespace settings {

base::SortedStringList MaskListFromText(std::string_view text, base::TextOrder order) {
    base::SortedStringList list(std::move(order), base::Repeats::Drop);
    list.AddAll(base::FromCommaText(text));
    return list;
}

base::SortedStringList ReadMaskList(const SettingsFile& file, const TextKey& key, base::TextOrder order) {
    return MaskListFromText(file.ReadText(key), std::move(order));
}

}  // namespace settings
