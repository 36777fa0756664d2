#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "widgets/image_list.h"
#include "widgets/parent_hook.h"

namespace widgets {

class TFolderListBox;

// A drop-down list of the floppy, fixed, network and CD drives, with the shell's icons and names. Choosing a
// drive points the linked folder box at it.
class TDriveComboBox {
  public:
    TDriveComboBox(HWND parent, int id, const RECT& bounds);
    ~TDriveComboBox();
    TDriveComboBox(const TDriveComboBox&) = delete;
    TDriveComboBox& operator=(const TDriveComboBox&) = delete;

    HWND Handle() const { return hwnd_; }

    // Lists the drives again and selects the folder box's drive (or the current directory's).
    void RefreshDrives();
    // The two boxes stay linked while the window that holds them lives.
    void LinkFolderBox(TFolderListBox* folderBox);

    int Count() const;
    // The letter of a listed drive, upper case.
    char DriveAt(int index) const;
    // The chosen drive, upper case; 0 when none is.
    char Drive() const;
    // Chooses a drive as the user does. A drive that cannot be read (a CD drive without a disc) is not
    // taken: the choice goes back to the folder box's drive and false is returned.
    bool SetDrive(char letter);

    std::function<void()> OnChange;

  private:
    bool ParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Select(char letter);
    void SelectionChanged();

    HWND hwnd_ = nullptr;
    ImageList images_;
    std::unique_ptr<ParentHook> parentHook_;
    TFolderListBox* folderBox_ = nullptr;
};

}  // namespace widgets
