#pragma once

// The link as its owner sees it, against the simulated controller on a
// pseudo-terminal: a recorder of LinkEvents that tests can wait on, and a
// fixture that owns the simulator, its server and one of each link object.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/LinkEvents.h"
#include "link/LinkThread.h"
#include "link/RequestQueues.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace vantrel::e2e {

using namespace std::chrono_literals;

// Guard against a hang only; no test measures time with it.
inline constexpr auto kPatience = 60s;

struct Progress {
    int percent;
    int result;
};

class RecordingEvents : public LinkEvents {
public:
    void progress(int percent, int result) override {
        std::function<void(int, int)> hook;
        {
            std::lock_guard g(m_);
            progress_.push_back({percent, result});
            hook = onProgress;
        }
        if (hook) hook(percent, result);
        cv_.notify_all();
    }
    void connectionResult(int result) override { record([&] { connections_.push_back(result); }); }
    void settingsReadDone() override { record([&] { ++settingsReads_; }); }
    void verifyError(int kind) override { record([&] { verifyErrors_.push_back(kind); }); }
    void linkLost(bool silent) override { record([&] { linkLosses_.push_back(silent); }); }
    void programFileRead(const std::string& path) override { record([&] { programReads_.push_back(path); }); }
    void programSendResult(const TransferResult& r) override { record([&] { sendResults_.push_back(r); }); }
    void alarmRecordRead() override { record([&] { ++alarmReads_; }); }

    // Called on the link thread for every progress message (set before use).
    std::function<void(int, int)> onProgress;

    // The first ending result after the `from`-th progress message.
    std::optional<int> waitResult(std::size_t from = 0) {
        std::unique_lock g(m_);
        std::optional<int> found;
        cv_.wait_for(g, kPatience, [&] {
            for (std::size_t i = from; i < progress_.size(); ++i)
                if (progress_[i].result != kRunning) return found = progress_[i].result, true;
            return false;
        });
        return found;
    }
    std::optional<int> waitConnection() {
        std::unique_lock g(m_);
        cv_.wait_for(g, kPatience, [&] { return !connections_.empty(); });
        return connections_.empty() ? std::nullopt : std::optional<int>(connections_.back());
    }
    // Waits until `pred` holds, checked after every event and every 5 ms.
    static bool eventually(const std::function<bool()>& pred) {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < end) {
            if (pred()) return true;
            std::this_thread::sleep_for(5ms);
        }
        return pred();
    }

    std::vector<Progress> progressList() const { return copy(progress_); }
    std::vector<int> verifyErrors() const { return copy(verifyErrors_); }
    std::vector<bool> linkLosses() const { return copy(linkLosses_); }
    std::vector<std::string> programReads() const { return copy(programReads_); }
    std::vector<TransferResult> sendResults() const { return copy(sendResults_); }
    int settingsReads() const { std::lock_guard g(m_); return settingsReads_; }
    int alarmReads() const { std::lock_guard g(m_); return alarmReads_; }
    std::vector<int> results() const {
        std::lock_guard g(m_);
        std::vector<int> r;
        for (const auto& p : progress_)
            if (p.result != kRunning) r.push_back(p.result);
        return r;
    }
    std::size_t progressCount() const { std::lock_guard g(m_); return progress_.size(); }

private:
    template <class F>
    void record(F f) {
        {
            std::lock_guard g(m_);
            f();
        }
        cv_.notify_all();
    }
    template <class T>
    T copy(const T& v) const {
        std::lock_guard g(m_);
        return v;
    }

    mutable std::mutex m_;
    std::condition_variable cv_;
    std::vector<Progress> progress_;
    std::vector<int> connections_;
    std::vector<int> verifyErrors_;
    std::vector<bool> linkLosses_;
    std::vector<std::string> programReads_;
    std::vector<TransferResult> sendResults_;
    int settingsReads_ = 0;
    int alarmReads_ = 0;
};

class LinkE2e : public ::testing::Test {
protected:
    // Short read time-out and retry pauses: a request the simulator leaves
    // unanswered costs 150 ms instead of 3 s. Tests of the real bound set it back.
    static constexpr auto kTestReadTimeout = 150ms;

    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.errorText();
        dir = std::filesystem::temp_directory_path() /
              ("vantrel-e2e-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        link.setTimeouts(kTestReadTimeout, 1000ms);
        LinkPauses pauses;
        pauses.emptyFinalRead = pauses.otherFinalReply = pauses.emptyFlashRead = 10ms;
        pauses.fileError = pauses.settingsWritten = 10ms;
        thread.setPauses(pauses);
        thread.setWorkingProgramFile((dir / "Ncstep.sys").string());
        thread.start();
    }
    void TearDown() override {
        thread.stop();
        link.close();
        server.stop();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // Opens the simulator's port and waits for the identify result.
    std::optional<int> connect() {
        if (!link.open(server.portName(), &events)) return std::nullopt;
        return events.waitConnection();
    }
    void connectEditTest() {
        ASSERT_EQ(connect(), std::optional<int>(kEditTestMode));
        ASSERT_TRUE(backToPolling());
    }
    // Waits until the link is back at its idle status polls (looked at between
    // two passes, so no operation is in flight).
    bool backToPolling() {
        return RecordingEvents::eventually([&] {
            std::lock_guard g(link.lock());
            return link.pendingOp() == static_cast<std::uint8_t>(LinkOp::Idle);
        });
    }
    void setFaults(const std::function<void(SimFaults&)>& change) {
        SimFaults f = sim.faults();
        change(f);
        sim.setFaults(f);
    }
    // A controller that stops answering status polls, and a read time-out of
    // an hour: once this returns true the link thread stays inside one poll
    // for as long as the test lasts.
    bool stallInAPoll() {
        int polls = 0;
        {
            std::lock_guard g(link.lock());  // between two passes
            link.setTimeouts(std::chrono::hours(1), 1000ms);
            polls = sim.requestCount(0xAA);
            setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0xAA); });
        }
        return RecordingEvents::eventually([&] { return sim.requestCount(0xAA) > polls; });
    }
    // Waits until the link has served every queued single value.
    bool queuesDrained() {
        return RecordingEvents::eventually([&] {
            std::lock_guard g(link.lock());  // no single-value operation in flight
            return queues.valueWriteCount() == 0 && queues.valueReadCount() == 0 &&
                   queues.axisParameterWriteCount() == 0;
        });
    }
    std::string readFile(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void writeFile(const std::filesystem::path& p, const std::string& text) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << text;
    }

    ControllerSim sim;
    PtyServer server{sim};
    RecordingEvents events;
    ControllerStatus status;
    RequestQueues queues;
    SettingsImage image;
    ControllerLink link{status};
    LinkThread thread{link, queues, status, image};
    std::filesystem::path dir;
};

}  // namespace vantrel::e2e
