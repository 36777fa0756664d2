#pragma once

#include <chrono>
#include <functional>

namespace base {

// How often a long walk looks at the message queue: quick enough for Stop, timers and repainting.
inline constexpr std::chrono::milliseconds kMessagePumpInterval{15};

// Says when an action done at every step of a long walk is due again. The walks yield to the message
// loop once per folder; under Wine every look at the queue is a round trip to the server, so a window
// pumps only when enough time has passed for the user to notice.
class Throttle {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit Throttle(std::chrono::milliseconds interval, Clock clock = std::chrono::steady_clock::now)
        : interval_(interval), clock_(std::move(clock)) {}

    // True at the first call and then once the interval has passed since the last true answer.
    bool Due() {
        const auto now = clock_();
        if (started_ && now - last_ < interval_)
            return false;
        started_ = true;
        last_ = now;
        return true;
    }

  private:
    std::chrono::milliseconds interval_;
    Clock clock_;
    bool started_ = false;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace base
