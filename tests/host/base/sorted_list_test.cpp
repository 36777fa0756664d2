#include "base/sorted_list.h"

#include <gtest/gtest.h>

using base::Repeats;
using base::SortedStringList;

namespace {
SortedStringList MakeList(Repeats repeats) {
    return SortedStringList(base::CompareIgnoringAsciiCase, repeats);
}
}  // namespace

TEST(SortedStringList, DropsRepeatsIgnoringCaseKeepingTheFirst) {
    auto masks = MakeList(Repeats::Drop);
    masks.AddAll({"*.TMP", "*.tmp", "*.bak"});
    EXPECT_EQ(masks.Texts(), (std::vector<std::string>{"*.bak", "*.TMP"}));
    EXPECT_EQ(masks.Add("*.BAK"), -1);
    EXPECT_EQ(masks.Count(), 2);
}

TEST(SortedStringList, KeptRepeatGoesBeforeTheEqualOnes) {
    auto list = MakeList(Repeats::Keep);
    list.Add("b", 1);
    list.Add("a", 2);
    list.Add("B", 3);
    list.Add("c", 4);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(0), "a");
    EXPECT_EQ(list[1].number, 3);
    EXPECT_EQ(list[2].number, 1);
    EXPECT_EQ(list.Text(3), "c");
}

TEST(SortedStringList, FindGivesFirstEqualOrInsertionPlace) {
    auto list = MakeList(Repeats::Keep);
    list.AddAll({"x", "m", "m", "a"});
    int index = -1;
    EXPECT_TRUE(list.Find("M", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("n", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf("zz"), -1);
    list.Delete(1);
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"a", "m", "x"}));
}

TEST(SortedStringList, CarriesObjects) {
    auto list = MakeList(Repeats::Keep);
    list.Add("two", 2, std::string("payload"));
    list.Add("one", 1);
    EXPECT_EQ(std::any_cast<std::string>(list[1].object), "payload");
    EXPECT_FALSE(list[0].object.has_value());
}

TEST(SortedStringList, PrefixSortsFirst) {
    EXPECT_LT(base::CompareIgnoringAsciiCase("abc", "ABCD"), 0);
    EXPECT_EQ(base::CompareIgnoringAsciiCase("Readme.TXT", "readme.txt"), 0);
    EXPECT_GT(base::CompareIgnoringAsciiCase("b", "A"), 0);
}
