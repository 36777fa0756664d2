#include "app/options_handover.h"

#include "app/window_set.h"
#include "base/error.h"
#include "base/texts.h"
#include "duplicates/duplicates_window.h"
#include "platform/program_folder.h"
#include "settings/options_window.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "widgets/error_hook.h"

namespace app {
namespace {

void SetChartFlags(usage::TKaavioIkkuna& chart, const settings::ChartFlags& flags) {
    chart.Actual = flags.Actual;
    chart.Allocated = flags.Allocated;
    chart.Slack = flags.Slack;
    chart.Bytes = flags.Bytes;
    chart.KB = flags.KB;
    chart.MB = flags.MB;
    chart.Count = flags.Count;
    chart.Disabled = flags.Disabled;
    chart.Compressed = flags.Compressed;
    chart.UnCompressed = flags.UnCompressed;
    chart.DisplayFreeDiskSpace = flags.DisplayFreeDiskSpace;
}

// The chart's flags, its two selectors and what it shows, all at once.
void HandChartChoices(usage::TKaavioIkkuna& chart, const settings::ChartFlags& flags, int unitIndex, int displayIndex) {
    SetChartFlags(chart, flags);
    widgets::ComboBox(chart, "cbxUnits").SetItemIndex(unitIndex);
    widgets::ComboBox(chart, "cbxDisplay").SetItemIndex(displayIndex);
    chart.Display_list(chart.CurrentList());
}

// The few keys OK writes at once. A file that cannot be written is told to the user, whose choices are in
// use all the same.
bool WriteConfirmed(const settings::ConfirmedChoices& choices) {
    const std::string path = platform::OptionsIniPath();
    try {
        settings::SettingsFile file(path);
        settings::WriteConfirmedChoices(file, choices);
        return true;
    } catch (const base::Error&) {
        widgets::AppDialogs().Message(UnsavedOptionsText(path), widgets::MessageKind::Error,
                                      widgets::MessageButtons::Ok);
        return false;
    }
}

}  // namespace

std::string UnsavedOptionsText(std::string_view path) {
    return base::Tx("Vireo could not save the options to\n\n", "Vireo ei voinut tallentaa asetuksia tiedostoon\n\n") +
           std::string(path) +
           base::Tx(
               "\n\nThe new options are in use until Vireo is closed. Please check that the file and its "
               "folder are not read-only.",
               "\n\nUudet asetukset ovat käytössä kunnes Vireo suljetaan. Tarkista, ettei tiedosto tai sen "
               "kansio ole kirjoitussuojattu.");
}

void ConnectDuplicateSwitches(settings::TOptionsIkkuna& options, duplicates::TKaksoisIkkuna& duplicates) {
    options.SetDuplicatePage(settings::ReadDuplicateSwitches(settings::SettingsFile(platform::OptionsIniPath())));
    HandDuplicateSwitches(options.DuplicatePage(), duplicates);
    duplicates.FloppyIsMasterChoice = [&options] { return options.Checked("chkFloppyIsMaster"); };
}

void HandDuplicateSwitches(const settings::DuplicateSwitches& switches, duplicates::TKaksoisIkkuna& duplicates) {
    duplicates.Switches.SkipSysbckupFolder = switches.SkipSysbckupFolder;
    duplicates.Switches.SkipDesktopFolders = switches.SkipDesktopFolders;
    duplicates.Switches.CheckFileStamp = switches.CheckFileStamp;
    duplicates.Switches.CheckFileName = switches.CheckFileName;
    duplicates.Switches.CheckFileSize = switches.CheckFileSize;
    duplicates.UseRecycleBin = switches.UseRecycleBin;
    // Empty files are kept exactly when they are not skipped.
    duplicates.Switches.SkipEmptyFiles = switches.SkipEmptyFiles;
}

void WriteDuplicateSwitchesAtEnd(const settings::TOptionsIkkuna& options) noexcept {
    try {
        settings::DuplicateSwitches switches = options.DuplicatePage();
        settings::SettingsFile file(platform::OptionsIniPath());
        settings::DuplicateSwitchKeys(switches).WriteAll(file, [] { widgets::ReportEscapedError(); });
    } catch (...) {
        widgets::ReportEscapedError();
    }
}

settings::UnnecessaryChoices BackupWindowMembers::Get() const {
    const unnecessary::TBackupIkkuna& window = *BackupIkkuna;
    return {window.ExtraFiles,          window.UseRecycleBin,     window.IgnoreHiddenFiles,
            window.IgnoreReadOnlyFiles, window.IgnoreSystemFiles, window.IgnoreZeroLengthFiles};
}

void BackupWindowMembers::Set(const settings::UnnecessaryChoices& choices) {
    unnecessary::TBackupIkkuna& window = *BackupIkkuna;
    window.ExtraFiles = choices.ExtraFiles;
    window.UseRecycleBin = choices.UseRecycleBin;
    window.IgnoreHiddenFiles = choices.IgnoreHiddenFiles;
    window.IgnoreReadOnlyFiles = choices.IgnoreReadOnlyFiles;
    window.IgnoreSystemFiles = choices.IgnoreSystemFiles;
    window.IgnoreZeroLengthFiles = choices.IgnoreZeroLengthFiles;
}

void ChooseSearchMode(settings::TOptionsIkkuna& options, UnnecessaryFilesMembers& unnecessary) {
    const settings::SettingsFile file(platform::OptionsIniPath());
    settings::UnnecessaryChoices members = unnecessary.Get();
    members.ExtraFiles = !file.ReadFlag(settings::keys::kNormalSearch);
    unnecessary.Set(members);
    options.SetSearchMode(members.ExtraFiles);
}

settings::ChartFlags ChartFlagsOf(const usage::TKaavioIkkuna& chart) {
    settings::ChartFlags flags;
    flags.Actual = chart.Actual;
    flags.Allocated = chart.Allocated;
    flags.Slack = chart.Slack;
    flags.Bytes = chart.Bytes;
    flags.KB = chart.KB;
    flags.MB = chart.MB;
    flags.Count = chart.Count;
    flags.Disabled = chart.Disabled;
    flags.Compressed = chart.Compressed;
    flags.UnCompressed = chart.UnCompressed;
    flags.DisplayFreeDiskSpace = chart.DisplayFreeDiskSpace;
    return flags;
}

bool ShowOptions(const OptionsPartners& windows) {
    settings::TOptionsIkkuna& options = windows.options;
    {
        const settings::SettingsFile file(platform::OptionsIniPath());
        options.SetDuplicatePage(settings::ReadDuplicateSwitches(file));
        settings::UnnecessaryChoices members = windows.unnecessary.Get();
        members.ExtraFiles = !file.ReadFlag(settings::keys::kNormalSearch);
        windows.unnecessary.Set(members);
    }
    options.SetUnnecessaryPage(windows.unnecessary.Get());
    options.SpaceUsageFlags = [&chart = windows.chart] { return ChartFlagsOf(chart); };
    if (options.ShowModal() != widgets::mrOk)
        return false;

    const settings::ChartFlags chartFlags = settings::FlagsForPage(options.SpaceUsage());
    HandChartChoices(windows.chart, chartFlags, options.UnitIndex, options.DisplayIndex);
    windows.unnecessary.Set(options.UnnecessaryPage());
    HandDuplicateSwitches(options.DuplicatePage(), windows.duplicates);

    // Without the new language stored, ending the program would not change it.
    return WriteConfirmed({options.English(), options.DuplicatePage(), chartFlags, options.Checked("btnMostFiles")}) &&
           options.RestartRequested;
}

}  // namespace app
