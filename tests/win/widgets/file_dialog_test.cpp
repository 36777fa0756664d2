#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>

#include "support/win/temp_folder.h"
#include "widgets/dialogs.h"

namespace {

// What the user does in the open save dialog: pick a file type, type a name without extension, press Save.
struct UserChoice {
    int type = 1;  // 1-based, as the filter is numbered
    const wchar_t* name = L"";
};
UserChoice choice;
std::wstring extensionTold;  // the last default extension the dialog was given

LRESULT CALLBACK RecordDefaultExtension(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == CDM_SETDEFEXT)
        extensionTold = reinterpret_cast<const wchar_t*>(lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CALLBACK ActInSaveDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Save picture");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, id);
    SetWindowSubclass(dialog, RecordDefaultExtension, 1, 0);
    HWND types = GetDlgItem(dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(choice.type - 1), 0);
    // Selecting with the mouse ends with both notifications; the dialog reacts to either.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(choice.name));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(choice.name));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// The system's save dialog, answered through its controls: the chosen file type decides the extension
// added to a name typed without one.
TEST(SaveDialog, ANameWithoutExtensionTakesTheExtensionOfTheChosenType) {
    testing_support::TempFolder folder;
    widgets::FileDialogRequest request;
    request.title = "Save picture";
    request.filter = "Bitmaps (*.bmp)|*.bmp|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
    request.defaultExtension = "bmp";
    request.extensionOfType = {"bmp", "emf", "wmf"};
    request.initialFolder = folder.Path();
    std::vector<int> reported;
    request.typeChanged = [&](int type) { reported.push_back(type); };

    widgets::Win32Dialogs real;
    for (const UserChoice& user : {UserChoice{3, L"pie"}, UserChoice{2, L"pie"}, UserChoice{1, L"pie"}}) {
        choice = user;
        extensionTold.clear();
        SetTimer(nullptr, 0, 50, ActInSaveDialog);
        const auto chosen = real.SaveFile(request);
        ASSERT_TRUE(chosen.has_value()) << user.type;
        const std::string extension = request.extensionOfType[static_cast<size_t>(user.type) - 1];
        EXPECT_EQ(extensionTold, std::wstring(extension.begin(), extension.end()));
        EXPECT_EQ(chosen->filterIndex, user.type);
        EXPECT_EQ(chosen->path, folder / ("pie." + extension));
        ASSERT_FALSE(reported.empty());
        EXPECT_EQ(reported.back(), user.type);
    }
}

}  // namespace
