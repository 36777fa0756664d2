#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "widgets/custom_control.h"
#include "widgets/gdi.h"

namespace widgets {

// A report-style list view control created on a parent at a given place, shared by the drive and file
// lists. It owns its window and the message font it is drawn with.
class ReportListView : public CustomControl {
  public:
    ReportListView(HWND parent, int id, const RECT& bounds, DWORD style, DWORD extendedStyle);
    ~ReportListView() override;
    ReportListView(const ReportListView&) = delete;
    ReportListView& operator=(const ReportListView&) = delete;

    HWND Handle() const override { return hwnd_; }
    // A window that adopts the view hands it its notifications here.
    LRESULT Notify(const NMHDR& header) override;
    // Each kind of view answers its own notifications; true when it was this control's.
    virtual bool HandleNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    int Id() const { return id_; }

    int Count() const;
    int ColumnCount() const;
    std::string Text(int row, int column = 0) const;
    void SetText(int row, int column, const std::string& text);
    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    std::vector<int> SelectedRows() const;
    // A column's header text (the Finnish headers, for one); that column then fits its texts again.
    std::string ColumnCaption(int column) const;
    void SetColumnCaption(int column, const std::string& caption);
    void DeleteRow(int row);
    void Clear();

    // Suspends and resumes drawing for a run of changes.
    void BeginUpdate();
    void EndUpdate();
    // Every column as wide as the wider of its header and its texts, and no wider: a list whose columns
    // fit shows no horizontal scroll bar.
    void FitColumns();
    void FitColumn(int column);

  protected:
    void AddColumn(const std::string& header, int format);
    int InsertRow(int row, const std::string& caption, int image, LPARAM data);
    LPARAM RowData(int row) const;
    void SetRowData(int row, LPARAM data);
    bool IsMine(const NMHDR& header) const { return header.hwndFrom == hwnd_; }

  private:
    // The width of a column's header text as the header draws it.
    int HeaderTextWidth(int column) const;

    HWND hwnd_ = nullptr;
    int id_;
    Font font_;
    int updates_ = 0;
};

}  // namespace widgets
