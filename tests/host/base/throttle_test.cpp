#include "base/throttle.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(Throttle, DueAtOnceThenOnlyAfterEachFullInterval) {
    std::chrono::steady_clock::time_point now{};
    base::Throttle throttle(10ms, [&now] { return now; });

    EXPECT_TRUE(throttle.Due());
    now += 9ms;
    EXPECT_FALSE(throttle.Due());
    now += 1ms;
    EXPECT_TRUE(throttle.Due());
    // The interval counts from the last true answer, not from the calls in between.
    now += 5ms;
    EXPECT_FALSE(throttle.Due());
    now += 4ms;
    EXPECT_FALSE(throttle.Due());
    now += 1ms;
    EXPECT_TRUE(throttle.Due());
    now += 1h;
    EXPECT_TRUE(throttle.Due());
    EXPECT_FALSE(throttle.Due());
}

}  // namespace
