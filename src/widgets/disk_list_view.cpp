#include "widgets/disk_list_view.h"

#include <shellapi.h>

#include "fs/drive_rows.h"
#include "platform/drives.h"
#include "platform/win32/unicode.h"

namespace widgets {

TDiskListView::TDiskListView(HWND parent, int id, const RECT& bounds)
    : ReportListView(parent, id, bounds, LVS_ALIGNLEFT | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS, 0) {
    // Masked images so an icon keeps its own outline on a selected row.
    images_ = ImageList(
        ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 8, 8));
    if (!Handle())
        return;
    ListView_SetImageList(Handle(), images_.Get(), LVSIL_SMALL);
    AddColumn(kDesignCaption, LVCFMT_LEFT);
    FitColumns();
}

void TDiskListView::ShowColumnCaption(bool finnish) {
    SetColumnCaption(0, finnish ? "Valitse asemat" : kDesignCaption);
}

void TDiskListView::RefreshDrives() {
    if (!Handle())
        return;
    BeginUpdate();
    Clear();
    ImageList_RemoveAll(images_.Get());
    for (const std::string& root : fs::DriveRootsOf(platform::LogicalDriveMask())) {
        const platform::DriveKind kind = platform::KindOfDrive(root);
        if (!fs::IsListedDrive(kind))
            continue;
        SHFILEINFOW info = {};
        if (!SHGetFileInfoW(platform::win32::Widen(root).c_str(), 0, &info, sizeof(info),
                            SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON))
            continue;
        int image = -1;
        if (info.hIcon) {
            image = ImageList_ReplaceIcon(images_.Get(), -1, info.hIcon);
            DestroyIcon(info.hIcon);
        }
        const int row = InsertRow(Count(), platform::win32::Narrow(info.szDisplayName), image, root[0]);
        if (row >= 0 && fs::IsPreselectedDrive(kind, SelectFixedDrives))
            SetSelected(row, true);
    }
    FitColumns();
    EndUpdate();
}

std::string TDiskListView::GetSelectedDrives() const {
    std::vector<int64_t> letters;
    for (int row : SelectedRows())
        letters.push_back(static_cast<int64_t>(RowData(row)));
    return fs::DriveLettersOf(letters);
}

std::string TDiskListView::DriveLetterOf(std::string_view caption) {
    return fs::DriveLetterOf(caption);
}

bool TDiskListView::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!IsMine(header))
        return false;
    result = 0;
    if (header.code == LVN_ITEMCHANGED && OnChange)
        OnChange(reinterpret_cast<const NMLISTVIEW&>(header));
    return true;
}

}  // namespace widgets
