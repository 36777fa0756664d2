#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/sorted_list.h"
#include "duplicates/collection.h"
#include "duplicates/comparison.h"
#include "settings/bound_settings.h"
#include "widgets/disk_list_view.h"
#include "widgets/file_list_view.h"
#include "widgets/run_policy.h"
#include "widgets/window.h"

namespace duplicates {

// The duplicate files window: Find collects and compares the files of the chosen drives, the list shows the
// groups, and Delete removes a chosen copy, never the last one. Made once at start.
class TKaksoisIkkuna : public widgets::Window {
  public:
    static constexpr int kHelpTopic = 108;

    TKaksoisIkkuna();
    ~TKaksoisIkkuna() override;

    void SearchClick();
    void CloseNappiClick();
    void btnDeleteClick();
    void btnDeleteMouseMove();
    void edtFileMaskExit();
    void DiskListView1Change();
    void FileListView1Change();
    void FileListView1Click();
    void Update_caption();
    // The window's Finnish texts, set once at start when Finnish is in use.
    void UseFinnishTexts();
    // The reload questions of the first showing, then a fresh drive list.
    void Timer1Timer();
    std::string Parse_list_view() const;

    widgets::TDiskListView& DiskListView1() { return *disks_; }
    widgets::TFileListView& FileListView1() { return *files_; }
    const DuplicateCounters& Counters() const { return comparison_->Counters(); }
    bool Comparing() const { return comparison_->Comparing(); }
    bool Searching() const { return running_; }
    // True once the first showing's reload questions have been asked and the drive list filled.
    bool FirstShowingDone() const { return firstShowingDone_; }

    // Handed over by the options window, which keeps them in Options.ini.
    SearchSwitches Switches;
    bool UseRecycleBin = true;
    // Where each search takes "Treat floppy as master" from: the options window's box.
    std::function<bool()> FloppyIsMasterChoice;
    TextSet KnownDuplicates;

  protected:
    void FormShow() override;
    bool Intercept(const widgets::Message& m, LRESULT& result) override;

  private:
    class View;
    class Rows;

    void FormCreate();
    void BindSettings();
    void Tidy_file_list_after_delete(int selected);
    std::vector<std::string> Captions() const;
    void DeleteRow(int row);
    bool AskToReload(const std::string& path, bool skipList) const;
    void ReloadSkipList(const std::string& folder);
    void ReloadDuplicateList(const std::string& path);

    base::TextOrder order_;
    std::unique_ptr<widgets::TDiskListView> disks_;
    std::unique_ptr<widgets::TFileListView> files_;
    std::unique_ptr<View> view_;
    std::unique_ptr<Rows> rows_;
    std::unique_ptr<Comparison> comparison_;
    settings::BoundSettings settings_;
    bool running_ = false;
    bool stop_ = false;
    bool shown_ = false;
    bool firstShowingDone_ = false;
    widgets::RunPolicy run_;
};

// The window's Finnish captions and hints, applied over the English ones when Finnish is in use.
std::span<const widgets::TextSpec> DuplicatesFinnishTexts();

}  // namespace duplicates
