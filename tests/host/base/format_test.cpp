#include "base/format.h"

#include <gtest/gtest.h>

#include "base/texts.h"

using base::DateTime;
using base::FormatDateTime;
using base::FormatSettings;

TEST(FormatDateTime, PatternsUseTheSystemSeparators) {
    FormatSettings dots;
    dots.dateSeparator = '.';
    dots.timeSeparator = '.';
    const DateTime when{2003, 4, 5, 7, 8, 9};
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", when, {}), "2003/04/05");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", when, dots), "2003.04.05");
    EXPECT_EQ(FormatDateTime("hh:nn", when, dots), "07.08");
    EXPECT_EQ(FormatDateTime("yyyy-mmm-dd", when, {}), "2003-Apr-05");
    EXPECT_EQ(FormatDateTime("d/m/yy h:n:s", when, {}), "5/4/03 7:8:9");
    EXPECT_EQ(FormatDateTime("\"at\" hh 'o''clock'", when, {}), "at 07 oclock");
}

TEST(FormatDateTime, TwelveHourClockWithMinutesAfterHours) {
    const FormatSettings settings;
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy hh:mmAM/PM", {2001, 12, 31, 0, 5}, settings), "12/31/2001 12:05AM");
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy hh:mmAM/PM", {2001, 12, 31, 12, 0}, settings), "12/31/2001 12:00PM");
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy hh:mmAM/PM", {2001, 1, 2, 23, 59}, settings), "01/02/2001 11:59PM");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", {2001, 1, 2, 13, 1}, settings), "1:01 pm");
    EXPECT_EQ(FormatDateTime("hh:nn", {2001, 1, 2, 23, 59}, settings), "23:59");
}

TEST(ParseDateTime, ReadsBackWhatWasWritten) {
    FormatSettings dots;
    dots.dateSeparator = '.';
    const DateTime when{1999, 11, 30, 22, 41};
    for (const char* pattern : {"yyyy/mm/dd hh:nn", "mm/dd/yyyy hh:mmAM/PM", "yyyy-mmm-dd"}) {
        const auto text = FormatDateTime(pattern, when, dots);
        const auto back = base::ParseDateTime(text, pattern, dots);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(FormatDateTime(pattern, *back, dots), text);
    }
    EXPECT_FALSE(base::ParseDateTime("1999/11/30", "yyyy/mm/dd hh:nn", {}).has_value());
    EXPECT_FALSE(base::ParseDateTime("12345", "yyyy/mm/dd", {}).has_value());
    EXPECT_FALSE(base::ParseDateTime("2001/13/01", "yyyy/mm/dd", {}).has_value());
}

TEST(FormatWholeNumber, ThousandsSeparator) {
    FormatSettings blank;
    blank.thousandSeparator = "\xC2\xA0";
    EXPECT_EQ(base::FormatWholeNumber(int64_t{0}, {}), "0");
    EXPECT_EQ(base::FormatWholeNumber(int64_t{999}, {}), "999");
    EXPECT_EQ(base::FormatWholeNumber(int64_t{1000}, {}), "1,000");
    EXPECT_EQ(base::FormatWholeNumber(int64_t{-1234567}, {}), "-1,234,567");
    EXPECT_EQ(base::FormatWholeNumber(int64_t{5000000000}, blank), "5\xC2\xA0" "000\xC2\xA0" "000\xC2\xA0" "000");
    EXPECT_EQ(base::FormatWholeNumber(INT64_MIN, {}), "-9,223,372,036,854,775,808");
    EXPECT_EQ(base::FormatWholeNumber(2.5, {}), "3");
    EXPECT_EQ(base::FormatWholeNumber(-1499.5, {}), "-1,500");
}

TEST(Texts, ChoosesByInterfaceLanguage) {
    base::SetFinnishUI(false);
    EXPECT_EQ(base::Tx("Close", "Sulje"), "Close");
    base::SetFinnishUI(true);
    EXPECT_EQ(base::Tx("Close", "Sulje"), "Sulje");
    base::SetFinnishUI(false);
}
