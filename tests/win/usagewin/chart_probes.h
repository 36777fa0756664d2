#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unicode.h"

namespace chart_window_test {

// Every text set on a panel of a status bar, in order, as (panel, text).
class PanelRecorder {
  public:
    explicit PanelRecorder(HWND bar) : bar_(bar) {
        SetWindowSubclass(bar_, Proc, 91, reinterpret_cast<DWORD_PTR>(this));
    }
    ~PanelRecorder() { RemoveWindowSubclass(bar_, Proc, 91); }
    PanelRecorder(const PanelRecorder&) = delete;
    PanelRecorder& operator=(const PanelRecorder&) = delete;

    std::vector<std::pair<int, std::string>> texts;

    // The texts set on panels 1 to 3 between a run's start ("Scanning..." on panel 0) and its end (the
    // totals on panel 0): the live status.
    std::vector<std::pair<int, std::string>> LiveTexts(const std::string& scanning) const {
        std::vector<std::pair<int, std::string>> live;
        bool running = false;
        for (const auto& [panel, text] : texts) {
            if (panel == 0)
                running = text == scanning;
            else if (running && !text.empty())
                live.emplace_back(panel, text);
        }
        return live;
    }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        if (message == SB_SETTEXTW) {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            reinterpret_cast<PanelRecorder*>(data)->texts.emplace_back(static_cast<int>(LOBYTE(LOWORD(wParam))),
                                                                       platform::win32::Narrow(text ? text : L""));
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    HWND bar_;
};

inline int RunsStarted(const PanelRecorder& panels) {
    int runs = 0;
    for (const auto& [panel, text] : panels.texts)
        runs += panel == 0 && text == "Scanning...";
    return runs;
}

// The texts drawn into a recorded page, one after another.
inline std::wstring TextsOf(HENHMETAFILE metafile) {
    std::wstring texts;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM context) -> int {
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars =
                    reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
                reinterpret_cast<std::wstring*>(context)->append(chars, text->emrtext.nChars).append(L"|");
            }
            return 1;
        },
        &texts, nullptr);
    return texts;
}

}  // namespace chart_window_test
