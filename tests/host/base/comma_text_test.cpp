#include "base/comma_text.h"

#include <gtest/gtest.h>

using base::FromCommaText;
using base::ToCommaText;
using Items = std::vector<std::string>;

TEST(CommaText, Writing) {
    EXPECT_EQ(ToCommaText({}), "");
    EXPECT_EQ(ToCommaText({""}), "\"\"");
    EXPECT_EQ(ToCommaText({"*.tmp", "*.bak"}), "*.tmp,*.bak");
    EXPECT_EQ(ToCommaText({"a", "", "b"}), "a,,b");
    EXPECT_EQ(ToCommaText({"", ""}), ",");
    EXPECT_EQ(ToCommaText({"Program Files", "x,y", "say \"hi\"", "tab\there"}),
              "\"Program Files\",\"x,y\",\"say \"\"hi\"\"\",\"tab\there\"");
    EXPECT_EQ(ToCommaText({"\xC3\xA4iti"}), "\xC3\xA4iti");  // bytes above 127 need no quotes
}

TEST(CommaText, ReadingSeparatorsAndEmptyItems) {
    EXPECT_EQ(FromCommaText(""), Items{});
    EXPECT_EQ(FromCommaText("   \t "), Items{});
    EXPECT_EQ(FromCommaText("\"\""), Items{""});
    EXPECT_EQ(FromCommaText("*.tmp,*.bak"), (Items{"*.tmp", "*.bak"}));
    EXPECT_EQ(FromCommaText("*.tmp *.bak"), (Items{"*.tmp", "*.bak"}));
    EXPECT_EQ(FromCommaText("  a ,  b"), (Items{"a", "b"}));
    EXPECT_EQ(FromCommaText("a,,b"), (Items{"a", "", "b"}));
    EXPECT_EQ(FromCommaText(",a"), (Items{"", "a"}));
    EXPECT_EQ(FromCommaText("a,"), Items{"a"});
    EXPECT_EQ(FromCommaText("a , , b"), (Items{"a", "", "b"}));
}

TEST(CommaText, ReadingQuotedItems) {
    EXPECT_EQ(FromCommaText("\"Program Files\",x"), (Items{"Program Files", "x"}));
    EXPECT_EQ(FromCommaText("\"say \"\"hi\"\"\""), Items{"say \"hi\""});
    EXPECT_EQ(FromCommaText("\"a,b\" c"), (Items{"a,b", "c"}));
    EXPECT_EQ(FromCommaText("\"unclosed, text"), Items{"unclosed, text"});
    EXPECT_EQ(FromCommaText("\"a\"b"), (Items{"a", "b"}));
}

TEST(CommaText, RoundTrip) {
    const std::vector<Items> lists = {
        {"\\"}, {"\\Windows", "\\Program Files"}, {"", "x", "y"}, {"\"", ",", " "}, {"C:\\a b\\c,d", "e"}};
    for (const auto& list : lists)
        EXPECT_EQ(FromCommaText(ToCommaText(list)), list) << ToCommaText(list);
}
