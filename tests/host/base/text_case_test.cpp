#include "base/text_case.h"

#include <gtest/gtest.h>

TEST(TextCase, FinnishGreekAndCyrillicNamesChangeCaseBothWays) {
    EXPECT_EQ(base::LowerCase("C:\\PÄIVÄ\\Öljy Å.TXT"), "c:\\päivä\\öljy å.txt");
    EXPECT_EQ(base::UpperCase("c:\\päivä\\öljy å.txt"), "C:\\PÄIVÄ\\ÖLJY Å.TXT");
    EXPECT_EQ(base::LowerCase("ЖУРНАЛ ΣΟΦΙΑ Ёж"), "журнал σοφια ёж");
    EXPECT_EQ(base::UpperCase("журнал σοφια ёж"), "ЖУРНАЛ ΣΟΦΙΑ ЁЖ");
    EXPECT_EQ(base::UpperCase("ŁÓDŹ ÿ"), "ŁÓDŹ Ÿ");
    EXPECT_EQ(base::LowerCase("ŁÓDŹ Ÿ"), "łódź ÿ");
}

TEST(TextCase, SignsOtherScriptsAndMalformedBytesPassUnchanged) {
    EXPECT_EQ(base::UpperCase("×÷ 日本 ☃"), "×÷ 日本 ☃");
    const std::string malformed = "A\xC3(\xFF";
    EXPECT_EQ(base::LowerCase(malformed), "a\xC3(\xFF");
}

TEST(TextCase, TrimmingAndSystemLength) {
    EXPECT_EQ(base::Trimmed(" \t x y \r\n"), "x y");
    EXPECT_EQ(base::Trimmed(" \x01 "), "");
    EXPECT_EQ(base::SystemCharacterCount("ä☃𝄞"), 4u);  // the last takes two units
}
