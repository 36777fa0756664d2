#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Ends the whole process when one test runs too long, so a hung window loop can never stall CI.
class Watchdog : public testing::EmptyTestEventListener {
  public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { Watch(); }) {}
    ~Watchdog() override {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void OnTestStart(const testing::TestInfo& info) override {
        std::lock_guard lock(mutex_);
        current_ = std::string(info.test_suite_name()) + "." + info.name();
        deadline_ = std::chrono::steady_clock::now() + limit_;
        running_ = true;
        wake_.notify_all();
    }
    void OnTestEnd(const testing::TestInfo&) override {
        std::lock_guard lock(mutex_);
        running_ = false;
    }

  private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!quit_) {
            if (running_ && std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "\n*** %s ran longer than %lld s; stopping the test run\n", current_.c_str(),
                             static_cast<long long>(limit_.count()));
                std::fflush(stderr);
                std::_Exit(124);
            }
            wake_.wait_for(lock, std::chrono::milliseconds(250));
        }
    }

    std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string current_;
    std::chrono::steady_clock::time_point deadline_{};
    bool running_ = false;
    bool quit_ = false;
    std::thread thread_;
};

std::chrono::seconds TestTimeLimit() {
    const char* text = std::getenv("VIREO_TEST_TIMEOUT");
    const long seconds = text ? std::strtol(text, nullptr, 10) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 120);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    auto& listeners = testing::UnitTest::GetInstance()->listeners();
    auto* watchdog = new Watchdog(TestTimeLimit());
    listeners.Append(watchdog);
    const int result = RUN_ALL_TESTS();
    // Stop the watchdog's thread before the process ends: a thread still waiting at exit can hang it.
    delete listeners.Release(watchdog);
    return result;
}
