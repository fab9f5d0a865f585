#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>

#include "link/ControllerLink.h"
#include "link/LinkEvents.h"

namespace vantrel::bench {

// The owner of the link in a benchmark: waits for the ending result of an
// operation (or the identify, or a link loss as -1) and notes when it came and
// how many bytes the given link had moved by then. The first result after a
// wait counts; a later one waits for the next wait.
class LinkWaiter : public LinkEvents {
public:
    using Clock = std::chrono::steady_clock;

    explicit LinkWaiter(const ControllerLink* link = nullptr) : link_(link) {}
    void progress(int, int result) override {
        if (result == kRunning) return;
        std::lock_guard g(m_);
        if (result_ != 0) return;
        result_ = result;
        at = Clock::now();
        if (link_) bytes = link_->bytesSent() + link_->bytesReceived();
        cv_.notify_all();
    }
    void connectionResult(int result) override { progress(100, result); }
    void settingsReadDone() override {}
    void verifyError(int) override {}
    void linkLost(bool) override { progress(100, -1); }
    // The result, or 0 after a minute without one.
    int wait() {
        std::unique_lock g(m_);
        cv_.wait_for(g, std::chrono::seconds(60), [&] { return result_ != 0; });
        return std::exchange(result_, 0);
    }

    // When the last result came and the link's bytes by then (read after wait()).
    Clock::time_point at;
    std::uint64_t bytes = 0;

private:
    const ControllerLink* link_;
    std::mutex m_;
    std::condition_variable cv_;
    int result_ = 0;
};

}  // namespace vantrel::bench
