#include "usage/chart_settings.h"

namespace usage {

uint32_t RepeatIntervalMilliseconds(int32_t minutes) {
    constexpr uint32_t kMinute = 60000;
    if (minutes <= 0)
        return 0;
    if (static_cast<uint32_t>(minutes) > kLongestTimerInterval / kMinute)
        return kLongestTimerInterval;
    return static_cast<uint32_t>(minutes) * kMinute;
}

MeasureFlags SoundMeasure(MeasureFlags flags) {
    if (!flags.Actual && !flags.Allocated && !flags.Slack)
        flags.Actual = true;
    return flags;
}

UnitFlags SoundUnits(UnitFlags flags) {
    if (!flags.Bytes && !flags.KB && !flags.MB && !flags.Count)
        flags.Bytes = true;
    return flags;
}

}  // namespace usage
