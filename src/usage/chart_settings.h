#pragma once

#include <cstdint>

namespace usage {

// The longest interval a window timer takes (the system's limit, about 24.8 days).
constexpr uint32_t kLongestTimerInterval = 0x7FFFFFFF;

// The repeat timer's interval for RepeatInterval minutes: 0 (no repeat) for none or fewer, at most the
// longest interval a timer takes, so a large value never wraps round to a short one.
uint32_t RepeatIntervalMilliseconds(int32_t minutes);

// The size measure of section "Chart": with none of Actual, Allocated and Slack set, every value would be 0
// and the window offers no way back (its measure box is hidden), so nominal sizes are shown.
struct MeasureFlags {
    bool Actual = true;
    bool Allocated = false;
    bool Slack = false;
};
MeasureFlags SoundMeasure(MeasureFlags flags);

// The unit of section "Chart": with none of Bytes, KB, MB and Count set, bytes.
struct UnitFlags {
    bool Bytes = true;
    bool KB = false;
    bool MB = false;
    bool Count = false;
};
UnitFlags SoundUnits(UnitFlags flags);

}  // namespace usage
