#include "widgets/run_policy.h"

#include <exception>

#include "base/texts.h"
#include "widgets/error_hook.h"

namespace widgets {

std::string BothLanguages::Text() const {
    return base::Tx(english, finnish);
}

RunPolicy::RunPolicy(Window& window, RunButtonSpec button, bool& runningFlag, bool& stopFlag)
    : window_(window), button_(button), running_(runningFlag), stop_(stopFlag) {
    window_.run_ = this;
    running_ = false;
}

RunPolicy::~RunPolicy() {
    // A run still inside a yield must not go on with a window that is going.
    stop_ = true;
    window_.run_ = nullptr;
}

void RunPolicy::OnStart(std::function<void()> start) {
    start_ = std::move(start);
    window_.OnClick(button_.button, [this] { Click(); });
}

void RunPolicy::Click() {
    if (running_)
        AskToStop();
    else if (start_)
        start_();
}

void RunPolicy::AskToStopAndClose() {
    stop_ = true;
    closeAfterRun_ = true;
}

void RunPolicy::ShowIdle() {
    window_.SetText(button_.button, button_.findCaption.Text());
    const bool afterRun = ran_ && button_.hintAfterRun.english;
    window_.SetHint(button_.button, (afterRun ? button_.hintAfterRun : button_.findHint).Text());
    window_.SetPicture(button_.button, window_.Picture(button_.findPicture));
}

void RunPolicy::ShowRunning() {
    window_.SetText(button_.button, button_.stopCaption.Text());
    window_.SetHint(button_.button, button_.stopHint.Text());
    window_.SetPicture(button_.button, window_.Picture(button_.stopPicture));
}

RunningScope::RunningScope(RunPolicy& policy, std::function<void(bool completed)> finish)
    : policy_(policy), finish_(std::move(finish)), errorsBefore_(std::uncaught_exceptions()) {
    policy_.inputsEnabled_.clear();
    for (const auto& input : policy_.inputs_) {
        policy_.inputsEnabled_.push_back(policy_.window_.Enabled(input));
        policy_.window_.SetEnabled(input, false);
    }
    policy_.ShowRunning();
    policy_.stop_ = false;
    policy_.closeAfterRun_ = false;
    policy_.running_ = true;
}

RunningScope::~RunningScope() {
    const bool completed = std::uncaught_exceptions() == errorsBefore_;
    policy_.running_ = false;
    policy_.ran_ = true;
    // Nothing may leave a destructor: a failure while going back to idle goes to the error hook, and the
    // error that ended the run, if any, goes on to the window procedure.
    try {
        for (size_t i = 0; i < policy_.inputs_.size() && i < policy_.inputsEnabled_.size(); ++i)
            policy_.window_.SetEnabled(policy_.inputs_[i], policy_.inputsEnabled_[i]);
        policy_.ShowIdle();
        if (finish_)
            finish_(completed);
        if (policy_.closeAfterRun_) {
            policy_.closeAfterRun_ = false;
            policy_.window_.Close();
        }
    } catch (...) {
        ReportEscapedError();
    }
}

}  // namespace widgets
