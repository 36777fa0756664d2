#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/keyed_order.h"
#include "platform/locale.h"
#include "platform/win32/unicode.h"

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

int SystemCompare(const std::string& a, const std::string& b) {
    const std::wstring wa = platform::win32::Widen(a);
    const std::wstring wb = platform::win32::Widen(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) -
           CSTR_EQUAL;
}

// Names that put a sort key to the test: case-only differences, letters outside ASCII, digits, the signs a
// word sort passes over (hyphen, apostrophe), other punctuation, ligatures, full-width forms, a lone
// surrogate, folder paths' trailing backslash and a name longer than any first guess of a key's size.
std::vector<std::string> TrickyNames() {
    std::vector<std::string> names = {"",
                                      "a",
                                      "A",
                                      "a.",
                                      "a b",
                                      "a-b",
                                      "ab",
                                      "a'b",
                                      "a_b",
                                      "a.b",
                                      "a~b",
                                      "a$b",
                                      "a1",
                                      "a10",
                                      "a2",
                                      "A2",
                                      "a02",
                                      "-",
                                      "--",
                                      "'",
                                      "~",
                                      "$",
                                      "ä",
                                      "Ä",
                                      "å",
                                      "ö",
                                      "Ö",
                                      "o",
                                      "z",
                                      "b",
                                      "co-op",
                                      "coop",
                                      "co op",
                                      "Co-Op",
                                      "café",
                                      "cafe",
                                      "CAFÉ",
                                      "résumé",
                                      "resume",
                                      "Straße",
                                      "strasse",
                                      "STRASSE",
                                      "ß",
                                      "ǆ",
                                      "Ǆ",
                                      "dž",
                                      "ﬁle",
                                      "file",
                                      "Ω",
                                      "ω",
                                      "Ж",
                                      "ж",
                                      "日本",
                                      "本",
                                      "1",
                                      "01",
                                      "１",
                                      "2",
                                      "10",
                                      "a\\",
                                      "a b\\",
                                      "a-b\\",
                                      "ab\\",
                                      "\xED\xA0\x80",
                                      "x\xED\xB0\x80y",
                                      "Copy of new.txt",
                                      "räksy9850.dat",
                                      "readme.txt",
                                      "README.TXT",
                                      std::string(300, 'q') + "-" + std::string(300, 'Q'),
                                      std::string(301, 'q')};
    return names;
}

}  // namespace

// A name's sort key, then the comparison for equal keys, orders any two names as the comparison alone
// does; keys ignore case as the comparison does.
TEST(LocaleOrder, SortKeysOrderAsTheSystemComparison) {
    const base::TextOrder order = platform::LocaleTextOrder();
    const platform::KeyedTextOrder* keyed = platform::SortKeysOf(order);
    ASSERT_NE(keyed, nullptr);
    const std::vector<std::string> names = TrickyNames();
    std::vector<std::string> keys(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(keyed->makeKey(names[i], keys[i])) << names[i];
    int equalKeysOrderedByComparison = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = 0; j < names.size(); ++j) {
            const int system = Sign(SystemCompare(names[i], names[j]));
            EXPECT_EQ(Sign(order(names[i], names[j])), system) << names[i] << " / " << names[j];
            const int byKey = Sign(keys[i].compare(keys[j]));
            if (byKey != 0)
                EXPECT_EQ(byKey, system) << names[i] << " / " << names[j];
            else if (system != 0)
                ++equalKeysOrderedByComparison;
        }
    }
    EXPECT_EQ(equalKeysOrderedByComparison, 0) << "keys that tell less than the comparison";
    EXPECT_EQ(keys[1], keys[2]);  // "a" and "A"

    // The sort the walks use gives the comparison's order.
    std::vector<std::string_view> views(names.begin(), names.end());
    std::vector<size_t> indexes;
    platform::KeyedSort sort(*keyed);
    ASSERT_TRUE(sort.Order(views, indexes));
    std::vector<std::string> byKeys;
    for (const size_t index : indexes)
        byKeys.push_back(names[index]);
    std::vector<std::string> bySystem = names;
    std::stable_sort(bySystem.begin(), bySystem.end(),
                     [](const std::string& a, const std::string& b) { return SystemCompare(a, b) < 0; });
    EXPECT_EQ(byKeys, bySystem);
}
