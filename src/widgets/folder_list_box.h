#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "widgets/gdi.h"
#include "widgets/parent_hook.h"

namespace widgets {

// One line of the folder box: a folder of the current path (open) or a subfolder of the current folder.
struct FolderRow {
    std::string name;  // "C:\" for the root
    int indent = 0;
    bool open = false;
};

// The lines for a folder ("C:\", "C:\a\b", "\\server\share\a") and its subfolders: the root, each folder
// of the path, then the subfolders one step further in.
std::vector<FolderRow> FolderRowsOf(const std::string& directory, const std::vector<std::string>& subfolders);
// The folder a line stands for.
std::string FolderOfRow(const std::string& directory, const std::vector<FolderRow>& rows, size_t row);

// A folder list box on a parent: the current folder's path and its subfolders. Opening a line (double click
// or Enter) makes that folder the current one, and the process's current directory, and reports the change.
class TFolderListBox {
  public:
    TFolderListBox(HWND parent, int id, const RECT& bounds, UINT dpi);
    ~TFolderListBox();
    TFolderListBox(const TFolderListBox&) = delete;
    TFolderListBox& operator=(const TFolderListBox&) = delete;

    HWND Handle() const { return hwnd_; }

    // The current folder: "C:\" at a root, else without a trailing backslash.
    const std::string& Directory() const { return directory_; }
    // Shows the folder and makes it the process's current directory, without reporting a change. False, and
    // nothing changed, when the folder cannot be listed.
    bool SetDirectory(const std::string& folder);
    // As the user opening the folder: the change is reported.
    bool OpenFolder(const std::string& folder);
    // The drive letter of the current folder, upper case; 0 for a folder without one.
    char Drive() const;
    // Goes back to the folder last shown on that drive, else the drive's current folder or its root: the drive
    // box's choice.
    bool ChooseDrive(char letter);

    const std::vector<FolderRow>& Rows() const { return rows_; }
    // Opens the folder of a line, as a double click on it does.
    bool OpenRow(size_t row);

    std::function<void()> OnChange;
    // Told of every folder shown, however it was chosen, so a linked drive box shows the same drive.
    std::function<void(char drive)> OnDriveShown;

  private:
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool ParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void Fill();

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    Font font_;
    std::string directory_;
    std::vector<FolderRow> rows_;
    std::map<char, std::string> lastFolderOfDrive_;
    std::unique_ptr<ParentHook> parentHook_;
};

}  // namespace widgets
