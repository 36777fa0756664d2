#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "chart_host.h"
#include "support/win/temp_folder.h"
#include "widgets/dialogs.h"
#include "widgets/picture_preview.h"

using namespace chart_test;
using testing_support::TempFolder;
using widgets::ChartSaveOutcome;
using widgets::PicturePreview;

namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The preview drawn into a box of the given size on a white canvas.
Pixels Drawn(const PicturePreview& preview, int width, int height) {
    return Render(width, height, [&](HDC dc) { preview.Draw(dc, RECT{0, 0, width, height}); });
}

class Preview : public ::testing::Test {
  protected:
    void SetUp() override {
        AddSampleSlices(host.Chart());
        size = host.Chart().ClientSize();
    }
    ChartHost host;
    TempFolder folder;
    SIZE size{};
    PicturePreview preview;
};

}  // namespace

TEST_F(Preview, ShowsEachSavedChartShrunkIntoItsBoxWithItsSize) {
    for (const char* name : {"usage.bmp", "usage.EMF", "usage.wmf"}) {
        const std::string path = folder / name;
        ASSERT_EQ(host.Chart().SaveByName(path), ChartSaveOutcome::Saved);
        preview.Show(Wide(path));
        ASSERT_TRUE(preview.HasPicture()) << name;
        EXPECT_NEAR(preview.PictureSize().cx, size.cx, 1) << name;
        EXPECT_NEAR(preview.PictureSize().cy, size.cy, 1) << name;
        EXPECT_EQ(preview.SizeText(),
                  std::to_string(preview.PictureSize().cx) + " x " + std::to_string(preview.PictureSize().cy));

        // A box half the chart's height: the pie is there, smaller, and nothing is drawn beside the picture.
        const int boxWidth = size.cx;
        const int boxHeight = size.cy / 2;
        const Pixels box = Drawn(preview, boxWidth, boxHeight);
        EXPECT_GT(box.Count(kNavy), 100) << name;
        const int pictureWidth = size.cx * boxHeight / size.cy;
        const int margin = (boxWidth - pictureWidth) / 2 - 2;
        for (int y = 0; y < boxHeight; ++y) {
            EXPECT_EQ(box.At(margin, y), GetSysColor(COLOR_WINDOW)) << name << " row " << y;
            EXPECT_EQ(box.At(boxWidth - 1 - margin, y), GetSysColor(COLOR_WINDOW)) << name << " row " << y;
        }
    }
}

TEST_F(Preview, ShowsNothingForWhatIsNoPicture) {
    const std::string chart = folder / "usage.emf";
    ASSERT_EQ(host.Chart().SaveByName(chart), ChartSaveOutcome::Saved);
    testing_support::WriteFile(folder / "text.bmp", "not a bitmap at all");
    testing_support::WriteFile(folder / "text.emf", std::string(200, 'e'));
    testing_support::WriteFile(folder / "text.wmf", std::string(200, 'w'));
    testing_support::WriteFile(folder / "empty.wmf", "");
    testing_support::MakeFolder(folder / "folder.bmp");
    CopyFileW(Wide(chart).c_str(), Wide(folder / "picture.gif").c_str(), FALSE);
    for (const char* name :
         {"text.bmp", "text.emf", "text.wmf", "empty.wmf", "folder.bmp", "picture.gif", "missing.emf", ""}) {
        // Each after a picture was shown: the old picture goes too.
        preview.Show(Wide(chart));
        ASSERT_TRUE(preview.HasPicture());
        preview.Show(*name ? Wide(folder / name) : std::wstring());
        EXPECT_FALSE(preview.HasPicture()) << name;
        EXPECT_EQ(preview.SizeText(), "") << name;
        EXPECT_EQ(Drawn(preview, 60, 40).Count(GetSysColor(COLOR_WINDOW)), 60 * 40) << name;
    }
}

namespace {

// What the dialog showed once the user had picked the saved chart in its list.
struct DialogSeen {
    bool found = false;
    std::wstring sizeText;
    RECT frame{};  // in screen pixels
    RECT list{};
    RECT dialog{};
    int navyInFrame = 0;
};
DialogSeen seen;

HWND FindById(HWND root, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM context) {
            auto& s = *reinterpret_cast<Search*>(context);
            if (GetDlgCtrlID(child) == s.id && IsWindowVisible(child)) {
                s.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int NavyOnScreen(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    int navy = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            navy += GetPixel(dc, x, y) == kNavy;
    ReleaseDC(control, dc);
    return navy;
}

void CALLBACK PickTheChart(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Save chart");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, id);
    HWND list =
        FindWindowExW(FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr), nullptr, L"SysListView32", nullptr);
    HWND frame = FindById(dialog, PicturePreview::kFrameId);
    HWND label = FindById(dialog, PicturePreview::kSizeLabelId);
    seen.found = list && frame && label;
    if (seen.found) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        PumpFor(std::getenv("VIREO_LOOK") ? 8000 : 300);
        wchar_t text[64] = L"";
        GetWindowTextW(label, text, 64);
        seen.sizeText = text;
        GetWindowRect(frame, &seen.frame);
        GetWindowRect(list, &seen.list);
        GetWindowRect(dialog, &seen.dialog);
        UpdateWindow(frame);
        seen.navyInFrame = NavyOnScreen(frame);
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

// The real save dialog: the preview stands right of the list, inside the dialog, and shows the file the
// user picks with its size.
TEST_F(Preview, SaveDialogShowsThePickedPictureBesideTheList) {
    ASSERT_EQ(host.Chart().SaveByName(folder / "usage.emf"), ChartSaveOutcome::Saved);
    widgets::FileDialogRequest request;
    request.title = "Save chart";
    request.filter = "Enhanced Metafiles (*.emf)|*.emf";
    request.defaultExtension = "emf";
    request.initialFolder = folder.Path();
    request.picturePreview = true;
    seen = {};
    SetTimer(nullptr, 0, 50, PickTheChart);
    widgets::Win32Dialogs real;
    EXPECT_FALSE(real.SaveFile(request).has_value());
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.sizeText, std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy));
    EXPECT_GE(seen.frame.left, seen.list.right);
    EXPECT_LE(seen.frame.right, seen.dialog.right);
    EXPECT_LE(seen.frame.bottom, seen.dialog.bottom);
    EXPECT_GT(seen.frame.right - seen.frame.left, 100);
    EXPECT_GT(seen.navyInFrame, 50);
}
