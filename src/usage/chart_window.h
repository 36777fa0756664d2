#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "settings/bound_settings.h"
#include "usage/display_list.h"
#include "usage/folder_list.h"
#include "usage/measurement.h"
#include "widgets/drive_combo_box.h"
#include "widgets/folder_list_box.h"
#include "widgets/pie_chart.h"
#include "widgets/run_policy.h"
#include "widgets/window.h"

namespace usage {

// The space-usage window: measures a folder and shows one folder list at a time as a sorted list and a
// pie, with steps into subfolders and back. Made once at start, hidden; the first measurement comes from
// a timer, of the folder given as the program's first argument when there is one. When the program was
// started for an unattended run, that measurement waits until the window is opened.
class TKaavioIkkuna : public widgets::Window {
  public:
    static constexpr int kHelpTopic = 110;

    enum class FirstMeasurement { AtStart, WhenOpened };

    TKaavioIkkuna(std::string iniFileName,
                  std::optional<std::string> firstArgument,
                  FirstMeasurement first = FirstMeasurement::AtStart);
    ~TKaavioIkkuna() override;

    void Scan_tree();
    void TimerRepeatScanTimer();
    void Display_list(const TFolderList* list);
    void Handle_double_click(const TFolderData* record);
    void BitBtnUpClick();
    void Enable_folder_shell_command(bool enable);
    void Read_font_props(const settings::SettingsFile& file);
    void BitBtnExitClick();
    void PrintBtnClick();
    void TallennaKaavioClick();
    // The window's Finnish texts, set once at start when Finnish is in use; the chosen unit stays chosen.
    void UseFinnishTexts();

    widgets::TPieChart& Kaavio() { return *chart_; }
    widgets::TFolderListBox& Hakemisto() { return *folders_; }
    const TFolderList* CurrentList() const { return currentList_; }
    bool Scanning() const { return scanning_; }
    // The repeat timer's id, 0 when measurements are not repeated.
    UINT_PTR RepeatTimer() const { return repeatTimer_; }
    // Says whether another window of the program is in the middle of a run. A repeated measurement then
    // waits for its next tick: started inside that run's yields, it would hold the run up until it ended.
    std::function<bool()> OtherRunInProgress;

    // The settings of section "Chart".
    bool UnCompressed = false;
    bool Disabled = false;
    bool Compressed = false;
    bool Allocated = false;
    bool Slack = false;
    bool Actual = true;
    bool Bytes = true;
    bool KB = false;
    bool MB = false;
    bool Count = false;
    std::string PieChartColours;
    bool RightClickFolder = true;
    bool DisplayFreeDiskSpace = true;
    bool RepeatedScan = false;
    int32_t RepeatInterval = 10;

    std::string FolderPath;
    std::string ProgressText;
    bool StopRequested = false;

  protected:
    void FormActivate() override;
    bool Intercept(const widgets::Message& message, LRESULT& result) override;

  private:
    void FormCreate();
    void MakeWidgets();
    void BindSettings();
    void MendChosenFlags();
    void ChooseUnitItems();
    void Read_list_font(const settings::SettingsFile& file);
    void Timer1Timer();
    void Timer2Timer();
    void FinishScan();
    void ShowCompression(bool volumeCompresses);
    void ShowDisplayed(const DisplayedList& shown);
    void KaavioMouseMove(POINT client);
    void ListBox1Click();
    void ListBox1DblClick();
    void cbxUnitsChange();
    void cbxDisplayChange();
    DisplayOptions Options() const;
    ChartUnits Units() const { return {Bytes, KB, MB, Count}; }

    std::string iniFileName_;
    std::optional<std::string> firstArgument_;
    FirstMeasurement first_;
    bool isNt_ = true;
    bool scanning_ = false;
    bool programComingBack_ = false;  // the user switched back from another program
    int ownDialogs_ = 0;              // dialogs and message boxes of this window now open
    bool ownDialogClosed_ = false;    // the window is active again because its own dialog went
    widgets::RunPolicy run_;
    settings::BoundSettings read_;
    settings::BoundSettings written_;
    std::unique_ptr<widgets::TPieChart> chart_;
    std::unique_ptr<widgets::TFolderListBox> folders_;
    std::unique_ptr<widgets::TDriveComboBox> drives_;
    TFolderList rootList_{nullptr, "."};
    const TFolderList* currentList_ = nullptr;
    std::optional<DisplayedList> shown_;
    std::optional<uint64_t> freeBytes_;
    UINT_PTR timer2_ = 0;
    UINT_PTR repeatTimer_ = 0;
};

// The window's Finnish captions and hints, applied over the English ones when Finnish is in use.
std::span<const widgets::TextSpec> ChartFinnishTexts();

}  // namespace usage
