#pragma once

#include <string>
#include <string_view>

#include "settings/option_pages.h"

namespace duplicates {
class TKaksoisIkkuna;
}
namespace settings {
class TOptionsIkkuna;
}
namespace usage {
class TKaavioIkkuna;
}

namespace app {

// The unnecessary-files window's members that the options window shows and sets.
class UnnecessaryFilesMembers {
  public:
    virtual ~UnnecessaryFilesMembers() = default;
    virtual settings::UnnecessaryChoices Get() const = 0;
    virtual void Set(const settings::UnnecessaryChoices& choices) = 0;
};

// The members kept by themselves, for an options window that works without the unnecessary-files window.
class HeldUnnecessaryMembers : public UnnecessaryFilesMembers {
  public:
    settings::UnnecessaryChoices Get() const override { return choices_; }
    void Set(const settings::UnnecessaryChoices& choices) override { choices_ = choices; }

  private:
    settings::UnnecessaryChoices choices_;
};

// The members of the program's unnecessary-files window itself.
class BackupWindowMembers : public UnnecessaryFilesMembers {
  public:
    settings::UnnecessaryChoices Get() const override;
    void Set(const settings::UnnecessaryChoices& choices) override;
};

// The windows the options window is filled from and hands its choices to.
struct OptionsPartners {
    settings::TOptionsIkkuna& options;
    UnnecessaryFilesMembers& unnecessary;
    duplicates::TKaksoisIkkuna& duplicates;
    usage::TKaavioIkkuna& chart;
};

// At the duplicates window's creation: the first page from Options.ini, its switches handed to the
// duplicates window, which from then on reads "Treat floppy as master" from the options window itself.
void ConnectDuplicateSwitches(settings::TOptionsIkkuna& options, duplicates::TKaksoisIkkuna& duplicates);
// The switches as the duplicates window searches with them; floppy-as-master stays its own to read.
void HandDuplicateSwitches(const settings::DuplicateSwitches& switches, duplicates::TKaksoisIkkuna& duplicates);
// At the end of the run, after the duplicates window's own keys: the first page to Options.ini, every key
// tried; a failed write goes to the error hook.
void WriteDuplicateSwitchesAtEnd(const settings::TOptionsIkkuna& options) noexcept;

// The search mode, at the main window's first show: Normal_search into the unnecessary-files window's
// ExtraFiles (negated) and into the options window's choice.
void ChooseSearchMode(settings::TOptionsIkkuna& options, UnnecessaryFilesMembers& unnecessary);

settings::ChartFlags ChartFlagsOf(const usage::TKaavioIkkuna& chart);

// The options window filled, shown modally and, after OK, its choices handed to the windows and the few
// keys written at once. True when the user agreed to end the program. A failed write is told to the user
// in a message, after the windows have their new values, and keeps the program going.
bool ShowOptions(const OptionsPartners& windows);

// The message for options that could not be written to the settings file at path.
std::string UnsavedOptionsText(std::string_view path);

}  // namespace app
