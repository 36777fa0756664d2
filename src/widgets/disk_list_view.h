#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "widgets/image_list.h"
#include "widgets/report_list_view.h"

namespace widgets {

// The machine's drives, one row each with the shell's small icon and display name, several selectable.
// Empty until the owner calls RefreshDrives; a refill drops the user's choices and selects the fixed
// drives again (when SelectFixedDrives).
class TDiskListView : public ReportListView {
  public:
    // The design's header of the one column; SetColumnCaption gives another (the Finnish one).
    static constexpr char kDesignCaption[] = "Select drives";

    TDiskListView(HWND parent, int id, const RECT& bounds);

    bool SelectFixedDrives = true;

    void RefreshDrives();
    // The header in English or in Finnish.
    void ShowColumnCaption(bool finnish);
    // The letters of the selected rows in row order, upper case, nothing between them ("CD"); each row
    // carries its letter, so the caption's wording does not matter.
    std::string GetSelectedDrives() const;
    static std::string DriveLetterOf(std::string_view caption);

    // The owner forwards its WM_NOTIFY here; true when the notification was this control's.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // The list's item-changed notification, as the control sent it (a selection change among others).
    std::function<void(const NMLISTVIEW&)> OnChange;

  private:
    ImageList images_;
};

}  // namespace widgets
