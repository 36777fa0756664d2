#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/text_case.h"
#include "base/texts.h"
#include "chart_fixture.h"
#include "chart_probes.h"
#include "platform/win32/unicode.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"

namespace {

using chart_window_test::ChartWindow;
using chart_window_test::PanelRecorder;
using chart_window_test::RunsStarted;
using testing_support::Click;
using testing_support::Pump;
using usage::TKaavioIkkuna;

struct SlowState {
    const usage::TKaavioIkkuna* window = nullptr;
    DWORD milliseconds = 0;
    std::string lastFolder;
};

// Makes every folder of a run slow to read: at the walk's yields, once per folder, time passes as on a
// slow disk, so the window's timers come due while the run is in progress. The walk looks at the message
// queue at its first folder and then only after some time has passed, so a run's start posts a message of
// its own to that first look; a timer serves the later ones.
class SlowFolders {
  public:
    SlowFolders(const usage::TKaavioIkkuna& window, DWORD milliseconds) : bar_(window.Control("StatusBar")) {
        current = SlowState{&window, milliseconds, {}};
        SetWindowSubclass(bar_, BarProc, 93, 0);
        timer_ = SetTimer(nullptr, 0, 1, Tick);
    }
    ~SlowFolders() {
        KillTimer(nullptr, timer_);
        RemoveWindowSubclass(bar_, BarProc, 93);
        current = SlowState{};
    }
    SlowFolders(const SlowFolders&) = delete;
    SlowFolders& operator=(const SlowFolders&) = delete;

  private:
    static constexpr UINT kFirstFolder = WM_APP + 93;
    static inline SlowState current;

    static void SlowDown() {
        if (!current.window || !current.window->Scanning()) {
            current.lastFolder.clear();
            return;
        }
        if (current.window->ProgressText == current.lastFolder)
            return;
        current.lastFolder = current.window->ProgressText;
        Sleep(current.milliseconds);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { SlowDown(); }
    static LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (message == kFirstFolder) {
            SlowDown();
            return 0;
        }
        // Panel 0 changes as a run starts; the run's first look at the queue finds the posted message.
        if (message == SB_SETTEXTW && LOBYTE(LOWORD(wParam)) == 0)
            PostMessageW(bar, kFirstFolder, 0, 0);
        return DefSubclassProc(bar, message, wParam, lParam);
    }
    HWND bar_;
    UINT_PTR timer_ = 0;
};

// Counts the ticks of one window timer that arrive while a run is in progress.
class TicksDuringRuns {
  public:
    TicksDuringRuns(const usage::TKaavioIkkuna& window, UINT_PTR timer) : window_(window), timer_(timer) {
        SetWindowSubclass(window_.Handle(), Proc, 92, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TicksDuringRuns() { RemoveWindowSubclass(window_.Handle(), Proc, 92); }
    TicksDuringRuns(const TicksDuringRuns&) = delete;
    TicksDuringRuns& operator=(const TicksDuringRuns&) = delete;
    int count = 0;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<TicksDuringRuns*>(data);
        if (message == WM_TIMER && wParam == self->timer_ && self->window_.Scanning())
            ++self->count;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    const usage::TKaavioIkkuna& window_;
    UINT_PTR timer_;
};

TEST_F(ChartWindow, RepeatTimerMeasuresAgainWhileHiddenAndNeverStartsASecondRun) {
    testing_support::WriteFile(ini, "[Chart]\r\nRepeatedScan=1\r\nRepeatInterval=1\r\n");
    window = std::make_unique<TKaavioIkkuna>(ini, data);
    ASSERT_NE(window->RepeatTimer(), 0u);
    WaitForIdle();

    PanelRecorder panels(window->Control("StatusBar"));
    TicksDuringRuns refused(*window, window->RepeatTimer());
    SlowFolders slow(*window, 150);
    testing_support::WriteFile(data + "\\late.txt", "new");
    // The same timer, due every 100 ms instead of every minute.
    SetTimer(window->Handle(), window->RepeatTimer(), 100, nullptr);
    Pump(2500);
    SetTimer(window->Handle(), window->RepeatTimer(), 60000, nullptr);
    WaitForIdle();

    EXPECT_FALSE(window->Visible());
    EXPECT_GE(LineOf("late.txt"), 0) << "measured again without being shown";
    int runs = 0;
    bool inRun = false;
    for (const auto& [panel, text] : panels.texts) {
        if (panel != 0)
            continue;
        const bool starts = text == "Scanning...";
        EXPECT_FALSE(starts && inRun) << "a run started inside another";
        runs += starts;
        inRun = starts;
    }
    EXPECT_GE(runs, 2);
    EXPECT_GT(refused.count, 0) << "the timer came due during a run and was turned away";
}

TEST_F(ChartWindow, LivePanelsShowTheTopCountsAndTheFolderBeingReadDuringARun) {
    Open();
    for (const bool finnish : {false, true}) {
        base::SetFinnishUI(finnish);
        PanelRecorder panels(window->Control("StatusBar"));
        {
            SlowFolders slow(*window, 400);  // longer than the 333 ms between updates
            window->Scan_tree();
        }
        base::SetFinnishUI(false);
        const auto live = panels.LiveTexts(finnish ? "Tutkitaan..." : "Scanning...");
        ASSERT_GE(live.size(), 3u) << finnish;
        // The three panels change together, in order.
        EXPECT_EQ(live[0].first, 1);
        EXPECT_EQ(live[1].first, 2);
        EXPECT_EQ(live[2].first, 3);
        const std::string files = finnish ? "Tiedostoja: " : "Files: ";
        const std::string folders = finnish ? "Kansioita: " : "Folders: ";
        EXPECT_TRUE(live[0].second.starts_with(files)) << live[0].second;
        EXPECT_LE(std::stoi(live[0].second.substr(files.size())), 3);
        EXPECT_TRUE(live[1].second.starts_with(folders)) << live[1].second;
        EXPECT_LE(std::stoi(live[1].second.substr(folders.size())), 1);
        // The folder being read, as the walk names it; in Finnish the path in lower case.
        const std::string progress = live[2].second;
        if (finnish) {
            EXPECT_TRUE(progress.starts_with("Tutkitaan ")) << progress;
            EXPECT_EQ(progress, "Tutkitaan " + base::LowerCase(progress.substr(10)));
        } else {
            EXPECT_TRUE(progress.starts_with("Scanning ")) << progress;
        }
        EXPECT_NE(base::LowerCase(progress).find(base::LowerCase(data)), std::string::npos) << progress;
        // After the run the panels hold the totals again.
        widgets::StatusBar status(*window, "StatusBar");
        EXPECT_EQ(status.PanelText(1), finnish ? "Tiedostoja: 3" : "Files: 3");
    }
}

TEST_F(ChartWindow, ComingBackFromAnotherWindowOfTheProgramMeasuresAgainButNotFromAnotherProgram) {
    Open();
    PanelRecorder panels(window->Control("StatusBar"));
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    Pump(50);
    EXPECT_EQ(RunsStarted(panels), 0);
    SetActiveWindow(window->Handle());
    WaitForIdle();
    EXPECT_EQ(RunsStarted(panels), 1) << "as after closing a message box";
    DestroyWindow(other);

    // The system's word that the program is active again comes just before the window's activation.
    SendMessageW(window->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    Pump(100);
    EXPECT_EQ(RunsStarted(panels), 1);

    // Hidden, the window hears of the program's activation too; it does not spoil the next opening.
    window->Hide();
    SendMessageW(window->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    window->Show();
    SetActiveWindow(window->Handle());
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    WaitForIdle();
    EXPECT_GE(RunsStarted(panels), 2);
}

// The point of the chart that lies deepest inside a slice, as its hit test sees it.
POINT InsideSlice(const widgets::TPieChart& chart, int slice) {
    RECT client{};
    GetClientRect(chart.Handle(), &client);
    std::vector<POINT> hits;
    for (LONG y = 0; y < client.bottom; y += 6)
        for (LONG x = 0; x < client.right; x += 6)
            if (chart.SliceAt(POINT{x, y}) == slice)
                hits.push_back(POINT{x, y});
    if (hits.empty())
        return POINT{-1, -1};
    long long sx = 0, sy = 0;
    for (const POINT& p : hits) {
        sx += p.x;
        sy += p.y;
    }
    const POINT centre{static_cast<LONG>(sx / static_cast<long long>(hits.size())),
                       static_cast<LONG>(sy / static_cast<long long>(hits.size()))};
    POINT best = hits.front();
    auto distance = [&](const POINT& p) {
        return (p.x - centre.x) * (p.x - centre.x) + (p.y - centre.y) * (p.y - centre.y);
    };
    for (const POINT& p : hits)
        if (distance(p) < distance(best))
            best = p;
    return best;
}

TEST_F(ChartWindow, TheTipNamesTheSliceUnderTheRealPointer) {
    Open();
    SetForegroundWindow(window->Handle());
    Pump(50);
    widgets::ListBox names(*window, "Nimet");
    int big = -1, sub = -1;
    for (int i = 0; i < names.Count(); ++i) {
        if (names.Item(i) == "big.bin")
            big = i;
        if (names.Item(i) == "\\sub")
            sub = i;
    }
    ASSERT_GE(big, 0);
    ASSERT_GE(sub, 0);
    HWND chart = window->Kaavio().Handle();

    const POINT overBig = InsideSlice(window->Kaavio(), big);
    ASSERT_GE(overBig.x, 0);
    testing_support::MovePointerTo(chart, overBig);
    EXPECT_EQ(window->Text("Label3"), "big.bin 30000 (75%)");

    const POINT overSub = InsideSlice(window->Kaavio(), sub);
    ASSERT_GE(overSub.x, 0);
    testing_support::MovePointerTo(chart, overSub);
    EXPECT_EQ(window->Text("Label3"), "\\sub 10000 (25%)");

    // Off the pie, in the chart's corner, the tip goes.
    testing_support::MovePointerTo(chart, POINT{2, 2});
    EXPECT_EQ(window->Text("Label3"), "");
}

uint32_t Read32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// Plays a metafile into a white picture of the chart's size and counts the pixels of one colour.
int PixelsOfColourWhenPlayed(HENHMETAFILE metafile, SIZE size, COLORREF colour) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    const RECT place{0, 0, size.cx, size.cy};
    FillRect(dc, &place, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, metafile, &place);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (LONG i = 0; i < size.cx * size.cy; ++i)
        count += (pixels[i] & 0xFFFFFF) == wanted;
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    return count;
}

TEST_F(ChartWindow, SaveWritesMetafilesThatTheSystemReadsBackAndDraws) {
    Open();
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    const SIZE size = window->Kaavio().ClientSize();
    // The largest slice that is not white, so it cannot be taken for the background: a quarter or more.
    const widgets::TPieChart& chart = window->Kaavio();
    int coloured = -1;
    for (int i = 0; i < chart.SliceCount(); ++i)
        if (chart.Slice(i).color != RGB(255, 255, 255) &&
            (coloured < 0 || chart.Slice(i).value > chart.Slice(coloured).value))
            coloured = i;
    ASSERT_GE(coloured, 0);
    const COLORREF colour = chart.Slice(coloured).color;

    const std::string emf = temp / "chart.emf";
    dialogs.fileAnswers.push_back(widgets::FileDialogResult{emf, 1});  // the type chosen does not matter
    Click(*window, "TallennaKaavio");
    std::string bytes;
    ASSERT_TRUE(testing_support::ReadFile(emf, bytes));
    ASSERT_GE(bytes.size(), sizeof(ENHMETAHEADER));
    HENHMETAFILE enhanced = GetEnhMetaFileW(platform::win32::Widen(emf).c_str());
    ASSERT_NE(enhanced, nullptr);
    ENHMETAHEADER header{};
    ASSERT_EQ(GetEnhMetaFileHeader(enhanced, sizeof header, &header), sizeof header);
    EXPECT_EQ(header.iType, static_cast<DWORD>(EMR_HEADER));
    EXPECT_EQ(header.dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
    EXPECT_EQ(header.nBytes, bytes.size());
    EXPECT_GT(PixelsOfColourWhenPlayed(enhanced, size, colour), 500);
    DeleteEnhMetaFile(enhanced);

    const std::string wmf = temp / "chart.WMF";
    dialogs.fileAnswers.push_back(widgets::FileDialogResult{wmf, 1});
    Click(*window, "TallennaKaavio");
    ASSERT_TRUE(testing_support::ReadFile(wmf, bytes));
    ASSERT_GT(bytes.size(), 22u + 18u);
    EXPECT_EQ(Read32(bytes, 0), 0x9AC6CDD7u) << "placeable, as other programs expect";
    HENHMETAFILE converted = SetWinMetaFileBits(static_cast<UINT>(bytes.size() - 22),
                                                reinterpret_cast<const BYTE*>(bytes.data() + 22), nullptr, nullptr);
    ASSERT_NE(converted, nullptr) << "the system reads the metafile";
    EXPECT_GT(PixelsOfColourWhenPlayed(converted, size, colour), 500);
    DeleteEnhMetaFile(converted);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(ChartWindow, TheFolderOfTheFirstArgumentIsShownInTheFolderBoxWithItsDrive) {
    ASSERT_TRUE(SetCurrentDirectoryW(platform::win32::Widen(temp.Path()).c_str()));
    // The argument names a folder without a drive: it is on the current one.
    window = std::make_unique<TKaavioIkkuna>(ini, data.substr(2));
    WaitForIdle();
    EXPECT_EQ(window->Hakemisto().Directory(), data);
    EXPECT_EQ(window->FolderPath, data);
    EXPECT_EQ(window->CurrentList()->Path, data + "\\");
    EXPECT_EQ(LineCount(), 3);
}

TEST_F(ChartWindow, TheListFontComesFromTheSettings) {
    Open();
    HWND list = window->Control("ListBox1");
    const auto fontOf = [](HWND control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    };
    const auto textColourOf = [&](HWND control) {
        HDC dc = CreateCompatibleDC(nullptr);
        SendMessageW(GetParent(control), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control));
        const COLORREF colour = GetTextColor(dc);
        DeleteDC(dc);
        return colour;
    };
    const LOGFONTW designed = fontOf(list);
    EXPECT_EQ(designed.lfHeight, fontOf(window->Control("cbxUnits")).lfHeight) << "the window's font";
    EXPECT_EQ(std::wstring(designed.lfFaceName), std::wstring(fontOf(window->Control("cbxUnits")).lfFaceName));
    window.reset();

    testing_support::WriteFile(ini,
                               "[]\r\nListboxFont.Name=Courier New\r\nListboxFont.Size=15\r\n"
                               "ListboxFont.Color=255\r\nListboxFont.Italic=1\r\nPieChartFont.Size=10\r\n");
    Open();
    list = window->Control("ListBox1");
    const LOGFONTW read = fontOf(list);
    EXPECT_EQ(std::wstring(read.lfFaceName), L"Courier New");
    EXPECT_EQ(read.lfHeight, -MulDiv(20, static_cast<int>(window->Dpi()), 96)) << "15 points";
    EXPECT_TRUE(read.lfItalic);
    EXPECT_LT(read.lfWeight, FW_BOLD);
    EXPECT_EQ(textColourOf(list), RGB(255, 0, 0));
    EXPECT_EQ(window->Kaavio().LabelFont().size, 10) << "each font from its own keys";
    EXPECT_EQ(Line(0), "30000   big.bin");
}

}  // namespace
