#include "widgets/file_tool_lists.h"

namespace widgets {

std::pair<std::unique_ptr<TDiskListView>, std::unique_ptr<TFileListView>> MakeFileToolLists(Window& window,
                                                                                            int disksId,
                                                                                            int filesId) {
    auto disks = std::make_unique<TDiskListView>(window.Frame(), disksId, window.ControlRect("DiskListView1"));
    window.AdoptControl("DiskListView1", *disks);
    auto files = std::make_unique<TFileListView>(window.Frame(), filesId, window.ControlRect("FileListView1"));
    window.AdoptControl("FileListView1", *files);
    return {std::move(disks), std::move(files)};
}

void ShowColumnCaptions(TDiskListView& disks, TFileListView& files, bool finnish) {
    files.ShowColumnCaptions(finnish);
    disks.ShowColumnCaption(finnish);
}

void MarkStatusLabel(Window& window, std::string_view name) {
    window.SetFont(name, {"", 0, true, false});
    window.SetTextColor(name, RGB(0, 0, 255));
}

}  // namespace widgets
