#include "usage/chart_settings.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using usage::RepeatIntervalMilliseconds;

TEST(RepeatInterval, WholeMinutesUpToTheLongestTimerNeverWrapping) {
    EXPECT_EQ(RepeatIntervalMilliseconds(1), 60000u);
    EXPECT_EQ(RepeatIntervalMilliseconds(10), 600000u);
    EXPECT_EQ(RepeatIntervalMilliseconds(35791), 35791u * 60000u);  // the last whole minute that fits
    // Beyond it a 32-bit product would wrap round (71583 minutes would come out as 12.7 seconds).
    for (const int32_t minutes : {35792, 71583, 71582, 1000000, INT32_MAX})
        EXPECT_EQ(RepeatIntervalMilliseconds(minutes), usage::kLongestTimerInterval) << minutes;
    for (const int32_t minutes : {0, -1, INT32_MIN})
        EXPECT_EQ(RepeatIntervalMilliseconds(minutes), 0u) << minutes;
}

TEST(ChartFlags, WithNoMeasureOrNoUnitSetTheDefaultsStand) {
    const usage::MeasureFlags none{false, false, false};
    const usage::MeasureFlags mended = usage::SoundMeasure(none);
    EXPECT_TRUE(mended.Actual);
    EXPECT_FALSE(mended.Allocated);
    EXPECT_FALSE(mended.Slack);
    // A measure that was chosen stays as it is, also several at once.
    const usage::MeasureFlags slack = usage::SoundMeasure({false, true, true});
    EXPECT_FALSE(slack.Actual);
    EXPECT_TRUE(slack.Allocated);
    EXPECT_TRUE(slack.Slack);

    const usage::UnitFlags bytes = usage::SoundUnits({false, false, false, false});
    EXPECT_TRUE(bytes.Bytes);
    EXPECT_FALSE(bytes.KB || bytes.MB || bytes.Count);
    const usage::UnitFlags count = usage::SoundUnits({false, false, false, true});
    EXPECT_FALSE(count.Bytes);
    EXPECT_TRUE(count.Count);
}

}  // namespace
