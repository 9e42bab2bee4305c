#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace levywise::test {

// Fails the test program, loudly, when the guarded stretch of a test takes
// longer than it ever should: a hang (a blocking read, a modal window shown
// for real, an endless loop) then ends the run with a message instead of
// waiting for the test runner's time limit.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, std::string what) : what_(std::move(what)) {
        thread_ = std::thread([this, limit] {
            std::unique_lock lock(mutex_);
            if (!finished_.wait_for(lock, limit, [this] { return done_; })) {
                std::fprintf(stderr, "WATCHDOG: %s did not end within %lld s; last step: %s\n",
                             what_.c_str(), static_cast<long long>(limit.count()), step_.c_str());
                std::fflush(stderr);
                std::abort();
            }
        });
    }

    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        finished_.notify_all();
        thread_.join();
    }

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // What the test is doing now, for the message.
    void step(std::string description) {
        std::lock_guard lock(mutex_);
        step_ = std::move(description);
    }

private:
    std::string what_;
    std::string step_ = "(none yet)";
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace levywise::test
