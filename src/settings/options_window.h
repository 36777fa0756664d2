#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "settings/option_pages.h"
#include "widgets/window.h"

namespace settings {

// The options window: the duplicate finder's switches, the unnecessary-files and space-usage choices and
// the interface language, on four pages. It lives for the whole run and is the live holder of the
// duplicate switches and of the language and search-mode choices; its controls are read and set by name
// through Checked / SetChecked (chkCheckFileTimestamp, RadioButton1, btnExtraFiles, btnMB, English, ...).
class TOptionsIkkuna : public widgets::Window {
  public:
    TOptionsIkkuna();

    bool RestartRequested = false;  // the user agreed to end the program after a change of language
    int32_t DisplayIndex = 0;       // 0 nominal, 1 on disk, 2 slack: the space display when shown
    int32_t UnitIndex = 0;          // 0 bytes, 1 kilobytes, 2 megabytes, 3 file count

    void OkClick();
    void CancelClick();
    void Sammuta();  // ends the window with OK and asks the program to close
    void btnBytesClick();
    void btnKBClick();
    void btnMBClick();
    void btnCountClick();
    // Runs on every change of chkCheckFilesize, the user's or the program's.
    void chkCheckFilesizeClick();

    // The language choice: English or Suomi.
    bool English() const;
    void SetEnglish(bool english);

    // As Window::ApplyTexts, and the page titles too when a text names one of the pages.
    void ApplyTexts(std::span<const widgets::TextSpec> texts);
    // The Finnish texts of this window (OptionsFinnishTexts), page titles included.
    void ApplyFinnishTexts();

    // The title on the tab of a page, numbered from 0 in page order.
    std::string PageTitle(int page) const;

    // The first page. Setting it runs the same-size coupling after the same-size box, as a click would.
    DuplicateSwitches DuplicatePage() const;
    void SetDuplicatePage(const DuplicateSwitches& switches);
    // The second page.
    UnnecessaryChoices UnnecessaryPage() const;
    void SetUnnecessaryPage(const UnnecessaryChoices& choices);
    void SetSearchMode(bool extraFiles);
    // The third page.
    SpaceUsagePage SpaceUsage() const;
    void ShowSpaceUsage(const SpaceUsagePage& page);

    // Where the showing takes the space-usage window's current flags from; unset leaves the page as it is.
    std::function<ChartFlags()> SpaceUsageFlags;

  protected:
    // Fills the space-usage page from the space-usage window's flags.
    void FormShow() override;
    // Every way of closing: asks whether to end the program when the language choice has changed.
    void FormClose() override;

  private:
    void FormCreate();
    void SetPageTitle(int page, std::string_view title);
    void Choose(std::span<const char* const> group, int chosen);

    DuplicateSwitches shownDuplicatePage_;
};

// The one question, in both languages, asked when the window closes with another language chosen.
inline constexpr char kRestartQuestion[] =
    "Changing a language requires that Vireo is restarted, close Vireo now? Kielen vaihtaminen vaati että Vireo "
    "käynnistetään uudestaan, suljetaanko Vireo nyt?";

// The window's Finnish texts; the entry named "" is the window's caption.
std::span<const widgets::TextSpec> OptionsFinnishTexts();

}  // namespace settings
