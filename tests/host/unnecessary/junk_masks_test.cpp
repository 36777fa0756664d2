#include <gtest/gtest.h>

#include "base/comma_text.h"
#include "settings/mask_list.h"
#include "unnecessary/junk_masks.h"

using namespace unnecessary;

TEST(JunkMasks, MasksOfWildcardsAloneAreTakenOutOfTheSettings) {
    for (const char* broad : {"*", "*.*", "**", "?*", "*?", "*.?*", "???????*.*", "*.", "."})
        EXPECT_TRUE(IsWildcardOnly(broad)) << broad;
    for (const char* junk : {"*.tmp", "~*.*", "*.~*", "*.?~?", "*.$$$", "backup*.wbk", "a", ""})
        EXPECT_FALSE(IsWildcardOnly(junk)) << junk;

    base::SortedStringList masks = settings::MaskListFromText("*.tmp,*,*.bak,*.*,?*", base::CompareIgnoringAsciiCase);
    const std::vector<std::string> dropped = DropWildcardOnlyMasks(masks);
    EXPECT_EQ(masks.Texts(), (std::vector<std::string>{"*.bak", "*.tmp"}));
    EXPECT_EQ(dropped.size(), 3u);
    EXPECT_TRUE(DropWildcardOnlyMasks(masks).empty());
}
