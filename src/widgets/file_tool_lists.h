#pragma once

#include <memory>
#include <string_view>
#include <utility>

#include "widgets/disk_list_view.h"
#include "widgets/file_list_view.h"
#include "widgets/window.h"

namespace widgets {

// The drive list and the file list of a file tool's window, made over the places its control table gives
// "DiskListView1" and "FileListView1" and adopted by it, so their notifications reach them. Call after
// the window's controls are made.
std::pair<std::unique_ptr<TDiskListView>, std::unique_ptr<TFileListView>> MakeFileToolLists(Window& window,
                                                                                            int disksId,
                                                                                            int filesId);

// Both lists' column headers in English or in Finnish.
void ShowColumnCaptions(TDiskListView& disks, TFileListView& files, bool finnish);

// The bold blue "Status:" label beside a tool window's state in words.
void MarkStatusLabel(Window& window, std::string_view name);

}  // namespace widgets
