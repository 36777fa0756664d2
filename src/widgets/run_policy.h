#pragma once

#include <functional>
#include <string>
#include <vector>

#include "widgets/window.h"

namespace widgets {

// A text in both languages, chosen when it is shown.
struct BothLanguages {
    const char* english;
    const char* finnish;
    std::string Text() const;
};

// The button that starts a run and stops it: its captions and hints, and the hidden buttons of the window
// whose pictures it takes.
struct RunButtonSpec {
    const char* button;
    const char* findPicture;  // a hidden button holding the picture of the idle look
    const char* stopPicture;  // a hidden button holding the picture shown during a run
    BothLanguages findCaption;
    BothLanguages findHint;
    BothLanguages stopCaption;
    BothLanguages stopHint;
    // The idle hint once a run has ended, where it differs from findHint, the one the button starts with.
    BothLanguages hintAfterRun{nullptr, nullptr};
};

// How a window runs its one long operation. While a run goes, the button shows Stop, the inputs are
// disabled and the window's own flag is set; the close box, Escape and Close ask the run to stop, and the
// window closes once the run has returned. A window has at most one.
class RunPolicy {
  public:
    RunPolicy(Window& window, RunButtonSpec button, bool& runningFlag, bool& stopFlag);
    ~RunPolicy();
    RunPolicy(const RunPolicy&) = delete;
    RunPolicy& operator=(const RunPolicy&) = delete;

    // Controls disabled during a run and given back their state after it.
    void SetInputs(std::vector<std::string> names) { inputs_ = std::move(names); }
    // The button's click: runs start when idle, asks the run to stop when one is going.
    void OnStart(std::function<void()> start);
    void Click();

    bool Running() const { return running_; }
    void AskToStop() { stop_ = true; }
    void AskToStopAndClose();
    // The idle look of the button, in the current language: before the first run with findHint, after it
    // with hintAfterRun where the button has one.
    void ShowIdle();

  private:
    friend class RunningScope;
    void ShowRunning();

    Window& window_;
    RunButtonSpec button_;
    bool& running_;
    bool& stop_;
    bool closeAfterRun_ = false;
    bool ran_ = false;
    std::vector<std::string> inputs_;
    std::vector<bool> inputsEnabled_;
    std::function<void()> start_;
};

// One run, from its start to whatever way it ends. finish runs as the run ends, an error included
// (completed is then false), after the idle look is back and before a requested close.
class RunningScope {
  public:
    explicit RunningScope(RunPolicy& policy, std::function<void(bool completed)> finish = {});
    ~RunningScope();
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

  private:
    RunPolicy& policy_;
    std::function<void(bool)> finish_;
    int errorsBefore_;
};

}  // namespace widgets
