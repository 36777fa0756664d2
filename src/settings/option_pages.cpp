#include "settings/option_pages.h"

#include <array>

namespace settings {
namespace {

// The page index of the last set flag of a group, or the index shown before when none is set.
template <size_t N>
int LastSet(const std::array<bool, N>& flags, int before) {
    int chosen = before;
    for (size_t i = 0; i < N; ++i) {
        if (flags[i])
            chosen = static_cast<int>(i);
    }
    return chosen;
}

// The six switches that are otherwise written only at the end of a run, in that order.
void WriteSearchSwitches(SettingsFile& file, const DuplicateSwitches& switches) {
    file.WriteFlag(keys::kSkipSysbckupFolder, switches.SkipSysbckupFolder);
    file.WriteFlag(keys::kCheckFileStamp, switches.CheckFileStamp);
    file.WriteFlag(keys::kCheckFileName, switches.CheckFileName);
    file.WriteFlag(keys::kCheckFileSize, switches.CheckFileSize);
    file.WriteFlag(keys::kSkipEmptyFiles, switches.SkipEmptyFiles);
    file.WriteFlag(keys::kSkipDesktopFolders, switches.SkipDesktopFolders);
}

}  // namespace

BoundSettings DuplicateSwitchKeys(DuplicateSwitches& switches) {
    BoundSettings table;
    table.Bind(keys::kFloppyIsMaster, switches.FloppyIsMaster);
    table.Bind(keys::kDuplicatesUseRecycleBin, switches.UseRecycleBin);
    table.Bind(keys::kSkipSysbckupFolder, switches.SkipSysbckupFolder);
    table.Bind(keys::kCheckFileStamp, switches.CheckFileStamp);
    table.Bind(keys::kCheckFileName, switches.CheckFileName);
    table.Bind(keys::kCheckFileSize, switches.CheckFileSize);
    table.Bind(keys::kSkipEmptyFiles, switches.SkipEmptyFiles);
    table.Bind(keys::kSkipDesktopFolders, switches.SkipDesktopFolders);
    return table;
}

DuplicateSwitches ReadDuplicateSwitches(const SettingsFile& file) {
    DuplicateSwitches switches;
    DuplicateSwitchKeys(switches).ReadAll(file);
    return switches;
}

SpaceUsagePage PageForFlags(const ChartFlags& flags, const SpaceUsagePage& before) {
    SpaceUsagePage page = before;
    page.display = LastSet(std::array{flags.Actual, flags.Allocated, flags.Slack}, before.display);
    page.unit = LastSet(std::array{flags.Bytes, flags.KB, flags.MB, flags.Count}, before.unit);
    if (flags.Disabled) {
        page.measure = Measure::Uncompressed;
        page.measureDisabled = true;
    } else if (flags.UnCompressed) {
        page.measure = Measure::Uncompressed;
    } else if (flags.Compressed) {
        page.measure = Measure::Compressed;
    }
    page.showFreeDisk = flags.DisplayFreeDiskSpace;
    return page;
}

ChartFlags FlagsForPage(const SpaceUsagePage& page) {
    ChartFlags flags;
    flags.Actual = flags.Bytes = flags.Compressed = flags.DisplayFreeDiskSpace = false;
    flags.Actual = page.display == 0;
    flags.Allocated = page.display == 1;
    flags.Slack = page.display == 2;
    flags.DisplayFreeDiskSpace = page.showFreeDisk;
    if (page.measure == Measure::Uncompressed && page.measureDisabled) {
        flags.Disabled = true;
    } else {
        flags.Compressed = page.measure == Measure::Compressed;
        flags.UnCompressed = page.measure == Measure::Uncompressed;
    }
    flags.Bytes = page.unit == 0;
    flags.KB = page.unit == 1;
    flags.MB = page.unit == 2;
    flags.Count = page.unit == 3;
    return flags;
}

void WriteConfirmedChoices(SettingsFile& file, const ConfirmedChoices& choices) {
    file.WriteFlag(keys::kLanguage, choices.English);
    file.WriteFlag(keys::kFloppyIsMaster, choices.duplicates.FloppyIsMaster);
    file.WriteFlag(keys::kDuplicatesUseRecycleBin, choices.duplicates.UseRecycleBin);
    // Written now too, so that the next opening, which reads the page from the file, shows what was confirmed.
    WriteSearchSwitches(file, choices.duplicates);
    file.WriteFlag(keys::kChart, keys::kCompressedName, choices.chart.Compressed);
    file.WriteFlag(keys::kUnCompressed, choices.chart.UnCompressed);
    file.WriteFlag(keys::kChart, keys::kDisabledName, choices.chart.Disabled);
    file.WriteFlag(keys::kNormalSearch, choices.NormalSearch);
}

}  // namespace settings
