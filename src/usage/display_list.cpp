#include "usage/display_list.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "base/text_case.h"
#include "base/texts.h"

namespace usage {
namespace {

bool IsBlank(char ch) {
    return static_cast<unsigned char>(ch) <= ' ';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::optional<double> ReadDecimal(std::string_view text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return std::fabs(value);
}

// Halves to even, as the percentages are rounded.
int64_t RoundHalfEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

uint64_t MeasureOf(uint64_t actual, uint64_t allocated, uint64_t slack, const ChartMeasure& measure) {
    if (measure.Slack)
        return slack;
    if (measure.Allocated)
        return allocated;
    if (measure.Actual)
        return actual;
    return 0;
}

uint64_t ValueOf(const TFolderData& record, const DisplayOptions& options) {
    if (options.units.Count)
        return static_cast<uint64_t>(record.FileCount);
    return MeasureOf(record.ActualSize, record.AllocatedSize, record.SlackSize, options.measure);
}

std::string Number(int64_t value, const base::FormatSettings& format) {
    return base::FormatWholeNumber(value, format);
}

void FillListLines(const std::vector<SortLine>& working, DisplayedList& shown) {
    for (const SortLine& line : working) {
        const std::string_view trimmed = Trim(line.Text);
        const std::string_view number = trimmed.substr(0, trimmed.find(' '));
        const auto value = ReadDecimal(number);
        if (!value)
            continue;
        shown.DisplayedSum += *value;
        shown.SortList.push_back({std::string(trimmed), {line.Pair.Data, *value}});
    }
    if (!shown.SortList.empty())
        QuickSort(shown.SortList, 0, static_cast<int>(shown.SortList.size()) - 1);
}

void FillSlices(const DisplayOptions& options, uint64_t runningTotal, DisplayedList& shown) {
    const std::string freeSpaceName = std::string("(")
                                          .append(base::LowerCase(std::string_view(options.FolderPath).substr(0, 2)))
                                          .append(base::Tx(" free space)", " vapaata tilaa)"));
    for (size_t i = 0; i < shown.Nimet.size(); ++i) {
        const std::string& name = shown.Nimet[i];
        PieSlice slice;
        slice.Value = *ReadDecimal(shown.Luvut[i]);
        slice.Colour = name == freeSpaceName ? kNavy : kSliceColours[i % kSliceColours.size()];
        const double percentage = runningTotal == 0 ? 4.0 : slice.Value / static_cast<double>(runningTotal) * 100.0;
        slice.Label = percentage < 6 ? " " : name + " " + std::to_string(RoundHalfEven(percentage)) + "%";
        shown.Slices.push_back(std::move(slice));
    }
}

}  // namespace

void QuickSort(TStringListWithDouble& list, int first, int last) {
    // The larger part is sorted by the loop and the smaller one by recursion, so the depth stays small;
    // the parts are disjoint, so the order they are sorted in changes nothing.
    while (first < last) {
        int i = first;
        int j = last;
        const double pivot = list[static_cast<size_t>((first + last) / 2)].Pair.Value;
        do {
            while (list[static_cast<size_t>(i)].Pair.Value > pivot)
                ++i;
            while (list[static_cast<size_t>(j)].Pair.Value < pivot)
                --j;
            if (i <= j) {
                std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - first < last - i) {
            if (first < j)
                QuickSort(list, first, j);
            first = i;
        } else {
            if (i < last)
                QuickSort(list, i, last);
            last = j;
        }
    }
}

std::string NumberText(double value, const ChartUnits& units) {
    if (units.Bytes || units.Count || !(units.KB || units.MB))
        return Fixed(value, 0);
    if (units.MB)
        return Fixed(value / 1048576.0, 3);
    return Fixed(value / 1024.0, 1);
}

std::optional<DisplayedList> Display_list(const TFolderList* list, const DisplayOptions& options) {
    if (!list)
        return std::nullopt;
    DisplayedList shown;
    shown.List = list;

    std::vector<SortLine> working;
    working.reserve(list->Count());
    uint64_t runningTotal = 0;
    for (size_t i = 0; i < list->Count(); ++i) {
        const TFolderData& record = list->Data(i);
        const uint64_t value = ValueOf(record, options);
        std::string name = base::LowerCase(list->Name(i));
        shown.Luvut.push_back(std::to_string(value));
        working.push_back({NumberText(static_cast<double>(value), options.units) + "   " + name, {&record, 0}});
        shown.Nimet.push_back(std::move(name));
        runningTotal += value;
    }

    const std::string length = std::to_string(list->LongestPathLength);
    shown.MaxPathCaption = base::Tx("Max path: ", "Eniten merkkejä: ") + length;
    shown.MaxPathHint = base::FinnishUI()
                            ? "Suurimman polun nimessä oli " + length + " merkkiä, polku on " + list->LongestPath
                            : "Most characters in path name is " + length + " at " + list->LongestPath;

    FillListLines(working, shown);
    FillSlices(options, runningTotal, shown);

    const bool anyMeasure = options.measure.Actual || options.measure.Allocated || options.measure.Slack;
    const uint64_t total =
        anyMeasure ? MeasureOf(list->ActualSize, list->AllocatedSize, list->SlackSize, options.measure) : runningTotal;
    const auto& format = options.format;
    shown.Panels = {base::Tx("Bytes: ", "Tavuja: ") + Number(static_cast<int64_t>(total), format),
                    base::Tx("Files: ", "Tiedostoja: ") + Number(list->FileCount, format),
                    base::Tx("Folders: ", "Kansioita: ") + Number(list->FolderCount, format), list->Path + "...."};
    shown.Caption = base::Tx("Space usage - ", "Tilan käyttö - ") + list->Path;
    shown.UpEnabled = list->Parent != nullptr;
    shown.TipTotal = static_cast<double>(total);
    if (options.DisplayFreeDiskSpace && options.FolderPath.size() == 3 && options.FreeBytes)
        shown.TipTotal += static_cast<double>(*options.FreeBytes);
    return shown;
}

std::string SliceTip(const DisplayedList& shown, std::optional<size_t> slice, const ChartUnits& units, bool scanning) {
    if (shown.Nimet.empty() || shown.Luvut.empty() || !slice || *slice >= shown.Nimet.size() ||
        *slice >= shown.Luvut.size() || scanning)
        return {};
    uint64_t number = 0;
    const std::string& text = shown.Luvut[*slice];
    const auto read = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool readable = read.ec == std::errc() && read.ptr == text.data() + text.size();
    const double whole = readable ? static_cast<double>(number) : 0.0;
    const double total = units.Count ? shown.DisplayedSum : shown.TipTotal;
    const int64_t percentage = readable && total > 0 ? RoundHalfEven(whole / total * 100.0) : 0;
    return shown.Nimet[*slice] + " " + NumberText(whole, units) + " (" + std::to_string(percentage) + "%)";
}

const TFolderList* ListOnDoubleClick(const TFolderData* record) {
    if (!record)
        return nullptr;
    if (record->SubList)
        return record->SubList.get();
    return record->ParentList();
}

std::string LineHint(std::string_view line) {
    const size_t blank = line.find(' ');
    return std::string(Trim(blank == std::string_view::npos ? line : line.substr(blank)));
}

std::array<std::string, 3> LiveStatusPanels(const TFolderList& top,
                                            std::string_view progressText,
                                            const base::FormatSettings& format) {
    return {base::Tx("Files: ", "Tiedostoja: ") + Number(top.FileCount, format),
            base::Tx("Folders: ", "Kansioita: ") + Number(top.FolderCount, format), std::string(progressText)};
}

}  // namespace usage
