#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"

namespace chart_window_test {

using testing_support::Pump;
using testing_support::TempFolder;
using usage::TKaavioIkkuna;

// A folder of three entries: a 30000-byte file, a subfolder holding 10000 bytes, a 100-byte file.
class ChartWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        data = temp / "data";
        testing_support::MakeFolder(data);
        testing_support::MakeFolder(data + "\\sub");
        testing_support::WriteFile(data + "\\big.bin", std::string(30000, 'b'));
        testing_support::WriteFile(data + "\\sub\\inner.txt", std::string(10000, 'i'));
        testing_support::WriteFile(data + "\\small.txt", std::string(100, 's'));
        ini = temp / "Options.ini";
        GetCurrentDirectoryW(MAX_PATH, startFolder);
    }
    // The folder box makes the measured folder the current directory, which would keep it from being removed.
    void TearDown() override {
        window.reset();
        SetCurrentDirectoryW(startFolder);
    }

    void Open() {
        // The first measurement comes from the timer while the window is still hidden; showing it
        // measures again, as each activation does.
        window = std::make_unique<TKaavioIkkuna>(ini, data);
        WaitForIdle();
        window->Show();
        WaitForIdle();
    }

    void WaitForIdle() {
        Pump(200);
        for (int i = 0; i < 100 && (window->Scanning() || window->CurrentList() == nullptr); ++i)
            Pump(50);
        ASSERT_FALSE(window->Scanning());
        ASSERT_NE(window->CurrentList(), nullptr);
    }

    std::string Line(int index) { return widgets::ListBox(*window, "ListBox1").Item(index); }
    int LineCount() { return widgets::ListBox(*window, "ListBox1").Count(); }

    // As the user's double click on a line of the list.
    void DoubleClickLine(int index) {
        widgets::ListBox list(*window, "ListBox1");
        list.SetItemIndex(index);
        RECT item{};
        SendMessageW(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
        Pump(50);
    }
    void Notify(const char* name, WORD code) {
        HWND control = window->Control(name);
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }
    int LineOf(const std::string& name) {
        for (int i = 0; i < LineCount(); ++i)
            if (Line(i).ends_with("   " + name))
                return i;
        return -1;
    }

    testing_support::FailOnEscapedErrors loud;
    TempFolder temp;
    std::string data;
    std::string ini;
    std::unique_ptr<TKaavioIkkuna> window;
    wchar_t startFolder[MAX_PATH] = {};
};

}  // namespace chart_window_test
