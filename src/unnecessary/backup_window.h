#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/sorted_list.h"
#include "platform/system.h"
#include "settings/bound_settings.h"
#include "unnecessary/junk_search.h"
#include "unnecessary/junk_tally.h"
#include "unnecessary/kept_files.h"
#include "widgets/disk_list_view.h"
#include "widgets/file_list_view.h"
#include "widgets/run_policy.h"
#include "widgets/window.h"

namespace unnecessary {

// The unnecessary-files window: Find lists the files of the chosen drives whose names match the masks,
// with a running total, and Delete removes the chosen ones to the recycle bin or for good. Given arguments
// on the command line, it searches (and deletes) by itself shortly after start. Made once at start.
class TBackupIkkuna : public widgets::Window {
  public:
    static constexpr int kHelpTopic = 109;

    // arguments: the program's command line without its name; system: the version the window checks.
    TBackupIkkuna(std::vector<std::string> arguments, platform::SystemVersion system);
    ~TBackupIkkuna() override;

    void btnFindClick();
    void btnExitClick();
    void btnSelectAllClick();
    void btnDeleteClick();
    void btnDeleteMouseMove();
    void FileListView1Click();
    void DiskListView1Change();
    // The first tick of the start timer: the drive list, the caption, then the unattended run.
    void Timer1Timer();
    // The window's Finnish captions and hints.
    void UseFinnishTexts();

    widgets::TDiskListView& DiskListView1() { return *disks_; }
    widgets::TFileListView& FileListView1() { return *files_; }
    // True once the start timer has ticked (and any unattended run has ended).
    bool Started() const { return started_; }

    bool SystemSupported = false;
    bool Searching = false;
    bool StopRequested = false;
    JunkTally Tally;  // FoundCount and TotalKB
    uint32_t IgnoreAttributes = 0;
    bool IgnoreHiddenFiles = true;
    bool IgnoreReadOnlyFiles = true;
    bool IgnoreSystemFiles = true;
    bool IgnoreZeroLengthFiles = true;
    bool UseRecycleBin = true;
    bool ExtraFiles = false;
    base::SortedStringList FilesToFind;
    base::SortedStringList ExtraFilesToFind;
    base::SortedStringList AvoidTheseFiles;
    base::SortedStringList KeepList;
    base::SortedStringList DeleteList;
    bool AutoDelete = false;

  protected:
    void FormShow() override;
    void FormActivate() override;

  private:
    void FormCreate();
    void BindSettings();
    void ReadCommandLine(const platform::SystemVersion& system);
    void RunFromCommandLine();
    void AddFoundFile(const std::string& path);
    void SearchDrives();
    void FinishSearch();
    void UpdateAfterDelete();
    SearchRules Rules() const;

    base::TextOrder order_;
    std::vector<std::string> arguments_;
    std::string settingsPath_;
    settings::BoundSettings settings_;
    std::string filesToFindText_;
    std::string extraFilesToFindText_;
    std::string avoidTheseFilesText_;
    std::unique_ptr<widgets::TDiskListView> disks_;
    std::unique_ptr<widgets::TFileListView> files_;
    FoundList listed_;
    KeptFiles kept_;                         // the "-keep=" files, by path and by identity
    std::vector<std::string> missingKeeps_;  // "-keep=" items that named no file: no unattended deletion
    std::vector<std::string> unusedMasks_;   // masks of the settings that match any name
    bool started_ = false;
    widgets::RunPolicy run_;
};

// The window's Finnish captions and hints, applied over the English ones when Finnish is in use.
std::span<const widgets::TextSpec> BackupFinnishTexts();

}  // namespace unnecessary
