#pragma once

#include "settings/bound_settings.h"
#include "settings/settings_file.h"

// What the options window's pages exchange with the settings file and the tool windows, as plain values.
namespace settings {

// The first page: the duplicate finder's switches and its delete method.
struct DuplicateSwitches {
    bool FloppyIsMaster = true;
    bool SkipSysbckupFolder = true;
    bool CheckFileStamp = true;
    bool CheckFileName = false;
    bool CheckFileSize = true;
    bool SkipEmptyFiles = true;
    bool SkipDesktopFolders = true;
    bool UseRecycleBin = true;

    bool operator==(const DuplicateSwitches&) const = default;
};

// The first page's keys, bound to the fields in the order the end of a run writes them.
BoundSettings DuplicateSwitchKeys(DuplicateSwitches& switches);
DuplicateSwitches ReadDuplicateSwitches(const SettingsFile& file);

// The second page: the unnecessary-files window's members of the same names.
struct UnnecessaryChoices {
    bool ExtraFiles = false;  // search with the extra masks instead of the normal ones
    bool UseRecycleBin = true;
    bool IgnoreHiddenFiles = true;
    bool IgnoreReadOnlyFiles = true;
    bool IgnoreSystemFiles = true;
    bool IgnoreZeroLengthFiles = true;

    bool operator==(const UnnecessaryChoices&) const = default;
};

// The space-usage window's flags of section "Chart" that the third page shows and sets.
struct ChartFlags {
    bool Actual = true;
    bool Allocated = false;
    bool Slack = false;
    bool Bytes = true;
    bool KB = false;
    bool MB = false;
    bool Count = false;
    bool Disabled = false;
    bool Compressed = true;
    bool UnCompressed = false;
    bool DisplayFreeDiskSpace = true;

    bool operator==(const ChartFlags&) const = default;
};

enum class Measure { Unchosen, Compressed, Uncompressed };

// The third page as its buttons show it. An index of -1 is a group with nothing chosen.
struct SpaceUsagePage {
    int display = -1;  // 0 nominal, 1 on disk, 2 slack
    int unit = -1;     // 0 bytes, 1 kilobytes, 2 megabytes, 3 file count
    Measure measure = Measure::Unchosen;
    bool measureDisabled = false;  // both measure buttons disabled: the choice is not available
    bool showFreeDisk = true;

    bool operator==(const SpaceUsagePage&) const = default;
};

// The page for the window's flags: when several flags of a group are set the last one wins; "Disabled"
// chooses Uncompressed and disables both measure buttons. A page whose measure buttons are disabled stays
// so, and a group no flag chooses keeps what the page showed before.
SpaceUsagePage PageForFlags(const ChartFlags& flags, const SpaceUsagePage& before);

// The flags for the page after OK: all cleared, then each from its buttons; Uncompressed chosen with both
// measure buttons disabled is "Disabled" rather than a choice.
ChartFlags FlagsForPage(const SpaceUsagePage& page);

// What OK writes at once, in this order; everything else waits for the end of the run. The first failed
// write throws, leaving the keys after it unwritten.
struct ConfirmedChoices {
    bool English = true;
    DuplicateSwitches duplicates;
    ChartFlags chart;
    bool NormalSearch = true;
};
void WriteConfirmedChoices(SettingsFile& file, const ConfirmedChoices& choices);

}  // namespace settings
