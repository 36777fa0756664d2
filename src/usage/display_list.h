#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/format.h"
#include "usage/folder_list.h"

namespace usage {

// The unit flags of section "Chart". With several set: count mode wins for the value; for the number
// text Bytes and Count win over MB, and MB over KB. With none set the text is in bytes.
struct ChartUnits {
    bool Bytes = true;
    bool KB = false;
    bool MB = false;
    bool Count = false;
};

// The size measure: the last one set of Actual, Allocated, Slack; none set measures 0.
struct ChartMeasure {
    bool Actual = true;
    bool Allocated = false;
    bool Slack = false;
};

struct DisplayOptions {
    ChartUnits units;
    ChartMeasure measure;
    std::string FolderPath;  // the folder the window measures
    bool DisplayFreeDiskSpace = true;
    std::optional<uint64_t> FreeBytes;  // free bytes available on the scanned drive, when they were read
    base::FormatSettings format;
};

// Colours as 0xRRGGBB.
inline constexpr uint32_t kNavy = 0x000080;
inline constexpr std::array<uint32_t, 16> kSliceColours = {0xFFFFFF, 0x00FFFF, 0x008000, 0xFF00FF, 0x0000FF, 0xFFFF00,
                                                           0x00FF00, 0xFF0000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

struct PieSlice {
    double Value = 0;
    std::string Label;
    uint32_t Colour = 0;
};

struct TObjectAndDouble {
    const TFolderData* Data = nullptr;
    double Value = 0;  // the displayed number read back
};

struct SortLine {
    std::string Text;
    TObjectAndDouble Pair;
};
using TStringListWithDouble = std::vector<SortLine>;

// Sorts by Value, largest first, in place; equal values end where this partitioning leaves them.
void QuickSort(TStringListWithDouble& list, int first, int last);

// Everything a folder list puts on the window.
struct DisplayedList {
    const TFolderList* List = nullptr;  // the window's CurrentList
    std::vector<std::string> Nimet;     // per slice, the entry's name in lower case
    std::vector<std::string> Luvut;     // per slice, its raw value as text
    TStringListWithDouble SortList;     // the list box's lines in order, each with its record
    std::vector<PieSlice> Slices;
    std::string MaxPathCaption;
    std::string MaxPathHint;
    std::array<std::string, 4> Panels;
    std::string Caption;
    bool UpEnabled = false;
    double DisplayedSum = 0;
    double TipTotal = 0;
};

// Nothing when no list is given: the window then only empties its hidden lists.
std::optional<DisplayedList> Display_list(const TFolderList* list, const DisplayOptions& options);

// The number as the list and the tip show it in the unit chosen.
std::string NumberText(double value, const ChartUnits& units);

// The tip for the slice under the pointer; empty when none is hit, nothing is shown, or a run is on.
std::string SliceTip(const DisplayedList& shown, std::optional<size_t> slice, const ChartUnits& units, bool scanning);

// The list a double click on a line with this record shows: its sub-list, else the list above; nothing
// when there is none (or no record).
const TFolderList* ListOnDoubleClick(const TFolderData* record);

// The list box's hint after a click on a line: the entry's name, the line from its first blank on.
std::string LineHint(std::string_view line);

// The status panels 1 to 3 while a run is in progress.
std::array<std::string, 3> LiveStatusPanels(const TFolderList& top,
                                            std::string_view progressText,
                                            const base::FormatSettings& format);

}  // namespace usage
