#include "widgets/drive_combo_box.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "fs/drive_rows.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/win32/unicode.h"
#include "widgets/folder_list_box.h"

namespace widgets {
namespace {

// Floppy, fixed, network and CD drives; no RAM disks and nothing of unknown type.
bool IsChoosable(platform::DriveKind kind) {
    using platform::DriveKind;
    return kind == DriveKind::Removable || kind == DriveKind::Fixed || kind == DriveKind::Remote ||
           kind == DriveKind::CdRom;
}

char Upper(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

}  // namespace

TDriveComboBox::TDriveComboBox(HWND parent, int id, const RECT& bounds) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    // The height includes the dropped-down list.
    hwnd_ = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                            bounds.left, bounds.top, bounds.right - bounds.left,
                            std::max<int>(bounds.bottom - bounds.top, 200), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return;
    images_ = ImageList(
        ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 8, 8));
    SendMessageW(hwnd_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Get()));
    parentHook_ = std::make_unique<ParentHook>(parent, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
        return ParentMessage(message, wParam, lParam);
    });
    RefreshDrives();
}

TDriveComboBox::~TDriveComboBox() {
    parentHook_.reset();
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

void TDriveComboBox::RefreshDrives() {
    if (!hwnd_)
        return;
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    ImageList_RemoveAll(images_.Get());
    for (const std::string& root : fs::DriveRootsOf(platform::LogicalDriveMask())) {
        if (!IsChoosable(platform::KindOfDrive(root)))
            continue;
        const std::wstring wideRoot = platform::win32::Widen(root);
        SHFILEINFOW info{};
        SHGetFileInfoW(wideRoot.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON);
        int image = -1;
        if (info.hIcon) {
            image = ImageList_ReplaceIcon(images_.Get(), -1, info.hIcon);
            DestroyIcon(info.hIcon);
        }
        std::wstring caption = info.szDisplayName;
        if (caption.empty())
            caption = wideRoot.substr(0, 2);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_LPARAM | (image >= 0 ? CBEIF_IMAGE | CBEIF_SELECTEDIMAGE : 0);
        item.iItem = -1;
        item.pszText = caption.data();
        item.iImage = item.iSelectedImage = image;
        item.lParam = static_cast<LPARAM>(root[0]);
        SendMessageW(hwnd_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    char current = folderBox_ ? folderBox_->Drive() : 0;
    if (!current) {
        const std::string directory = platform::SystemFileSystem().CurrentDirectory();
        current = directory.size() >= 2 && directory[1] == ':' ? directory[0] : 0;
    }
    Select(current);
}

void TDriveComboBox::LinkFolderBox(TFolderListBox* folderBox) {
    if (folderBox_)
        folderBox_->OnDriveShown = nullptr;
    folderBox_ = folderBox;
    if (!folderBox_)
        return;
    folderBox_->OnDriveShown = [this](char drive) { Select(drive); };
    Select(folderBox_->Drive());
}

int TDriveComboBox::Count() const {
    return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)) : 0;
}

char TDriveComboBox::DriveAt(int index) const {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = index;
    if (!hwnd_ || !SendMessageW(hwnd_, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return Upper(static_cast<char>(item.lParam));
}

char TDriveComboBox::Drive() const {
    if (!hwnd_)
        return 0;
    const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? 0 : DriveAt(static_cast<int>(index));
}

void TDriveComboBox::Select(char letter) {
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (DriveAt(i) == Upper(letter)) {
            SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
            return;
        }
    }
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

bool TDriveComboBox::SetDrive(char letter) {
    Select(letter);
    if (Drive() != Upper(letter))
        return false;
    SelectionChanged();
    return Drive() == Upper(letter);
}

void TDriveComboBox::SelectionChanged() {
    const char drive = Drive();
    if (!drive)
        return;
    if (folderBox_ && !folderBox_->ChooseDrive(drive)) {
        // The folder box stays where it was, and so does the drive shown.
        MessageBeep(MB_ICONWARNING);
        Select(folderBox_->Drive());
        return;
    }
    if (OnChange)
        OnChange();
}

bool TDriveComboBox::ParentMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND || !hwnd_ || reinterpret_cast<HWND>(lParam) != hwnd_ || HIWORD(wParam) != CBN_SELCHANGE)
        return false;
    SelectionChanged();
    return true;
}

}  // namespace widgets
