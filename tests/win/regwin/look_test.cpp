#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/texts.h"
#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "registry/registry_window.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"

namespace {

using platform::win32::Widen;

// Only on request (VIREO_LOOK=1): before, during and after a scan, two and a half seconds each.
TEST(RegistryWindowLook, HeldOnScreenBeforeDuringAndAfterAScan) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the window on screen";
    base::SetFinnishUI(std::getenv("VIREO_LOOK_FI") != nullptr);
    testing_support::TempFolder program;
    platform::SetProgramFolderForTests(program.Path());
    const std::string path = "Software\\VireoRegWinLook-" + std::to_string(GetCurrentProcessId());
    for (int k = 0; k < 6; ++k) {
        for (int v = 0; v < 8; ++v) {
            const std::wstring text = Widen("C:\\Program_Old\\Tool" + std::to_string(k) + "\\Part" + std::to_string(v) +
                                            (v % 3 ? ".dll" : ""));
            const std::string sub = path + "\\Vendor" + std::to_string(k) + "\\Settings" + std::to_string(k);
            RegSetKeyValueW(HKEY_CURRENT_USER, Widen(sub).c_str(), Widen("Path" + std::to_string(v)).c_str(), REG_SZ,
                            text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        }
    }
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    {
        registry::TRegistryIkkuna window;
        if (base::FinnishUI())
            window.ApplyTexts(registry::RegistryFinnishTexts());
        window.ScanRoots = {{platform::RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\" + path}};
        // VIREO_LOOK_WHOLE=1: the program's own roots, the whole registry.
        const bool whole = std::getenv("VIREO_LOOK_WHOLE") != nullptr;
        if (whole)
            window.ScanRoots = registry::ProgramScanRoots();
        window.Show();
        testing_support::Pump(2500);
        int announced = 0;
        HWND status = window.Control("StatusBar1");
        SetWindowSubclass(
            status,
            [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) -> LRESULT {
                if (message == WM_SETTEXT && ++*reinterpret_cast<int*>(data) == 4) {
                    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
                    testing_support::Pump(2500);
                    return result;
                }
                return DefSubclassProc(hwnd, message, wParam, lParam);
            },
            78, reinterpret_cast<DWORD_PTR>(&announced));
        window.btnStartClick();
        window.StringGrid1().SetSelection({0, 3, 3, 6});
        SetFocus(window.StringGrid1().Handle());
        testing_support::Pump(2500);
        if (!whole)
            EXPECT_EQ(window.StringGrid1().RowCount(), 49);
        else
            EXPECT_GE(window.StringGrid1().RowCount(), 49);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path).c_str());
    platform::SetProgramFolderForTests("");
}

}  // namespace
