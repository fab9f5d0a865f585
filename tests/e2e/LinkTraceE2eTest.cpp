// The protocol trace of the real link against the simulated controller: every
// frame the link moves is on record, and so is every time-out and hang-up.

#include "E2eSupport.h"

#include "link/LinkTrace.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {

using Kind = TraceEvent::Kind;

struct Recorded {
    Kind kind;
    TraceEvent::Direction direction;
    std::uint8_t code;
    std::size_t size;
    std::size_t wanted;
    std::vector<std::uint8_t> head;  // the first bytes of a frame
    std::string text;
};

// Keeps what the link hands it. Set on a link, it ends the trace when it goes
// (the fixture closes the link after the test, which is traced too).
class RecordingTrace : public LinkTraceSink {
public:
    RecordingTrace() = default;
    explicit RecordingTrace(ControllerLink& link) : link_(&link) { link.setTraceSink(this); }
    ~RecordingTrace() override {
        if (!link_) return;
        link_->setTraceSink(nullptr);
        std::lock_guard g(link_->lock());  // no call under way any more
    }
    void record(const TraceEvent& e) override {
        std::vector<std::uint8_t> head;
        if (e.bytes) head.assign(e.bytes, e.bytes + std::min<std::size_t>(e.size, 5));
        std::lock_guard g(m_);
        events_.push_back({e.kind, e.direction, e.code, e.size, e.wanted, std::move(head), std::string(e.text)});
    }
    std::vector<Recorded> events() const {
        std::lock_guard g(m_);
        return events_;
    }

private:
    ControllerLink* link_ = nullptr;
    mutable std::mutex m_;
    std::vector<Recorded> events_;
};

std::size_t count(const std::vector<Recorded>& events, Kind kind, int code = -1) {
    std::size_t n = 0;
    for (const auto& e : events) n += e.kind == kind && (code < 0 || e.code == code);
    return n;
}

}  // namespace

// A settings read (with the program read it leads into) on record: one TX per
// request the controller saw, one RX per reply, and exactly the bytes the
// link counted either way.
TEST_F(LinkE2e, TheTraceHoldsEveryFrameTheLinkMoved) {
    sim.setProgramFile(std::string(3000, 'P'));
    RecordingTrace trace(link);
    connectEditTest();
    ASSERT_TRUE(thread.startOperation(LinkOp::SettingsRead));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    thread.stop();  // nothing moves from here on

    const auto recorded = trace.events();
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(recorded.front().kind, Kind::Opened);
    EXPECT_EQ(recorded.front().text, server.devicePath());
    std::uint64_t sent = 0, received = 0;
    for (const auto& e : recorded) {
        if (e.kind == Kind::Received || e.kind == Kind::ReceivedMore) received += e.size;
        if (e.kind == Kind::Sent) {
            sent += e.size;
            EXPECT_EQ(e.head[4], e.code);  // a request names its own code
        }
    }
    EXPECT_EQ(sent, link.bytesSent());
    EXPECT_EQ(received, link.bytesReceived());
    for (const std::uint8_t code : {0x00, 0x01, 0x05, 0xAA}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(count(recorded, Kind::Sent, code), static_cast<std::size_t>(sim.requestCount(code)));
        EXPECT_EQ(count(recorded, Kind::Received, code), static_cast<std::size_t>(sim.requestCount(code)));
    }
    EXPECT_EQ(count(recorded, Kind::Sent, 0x01), 3u);
    EXPECT_EQ(count(recorded, Kind::ReceivedMore), 0u);  // every bulk reply came in one read
    EXPECT_EQ(count(recorded, Kind::TimedOut) + count(recorded, Kind::HungUp), 0u);
    // The bulk replies, each one frame of its full size.
    std::vector<std::size_t> bulk;
    for (const auto& e : recorded)
        if (e.kind == Kind::Received && (e.code == 0x01 || e.code == 0x05)) bulk.push_back(e.size);
    EXPECT_EQ(bulk, (std::vector<std::size_t>{40, 65536, 524320, 40, 3032}));
}

// A silent controller, a short reply and a line that goes in the middle of a
// bulk reply each leave their mark, right after the frame they concern.
TEST_F(LinkE2e, TheTraceNamesEveryTimeOutAndHangUp) {
    struct Expected {
        Kind kind;
        std::size_t moved = 0;   // of a time-out or hang-up: bytes that came
        std::size_t wanted = 0;  // and bytes the read asked for
    };
    struct Case {
        const char* what;
        std::function<void(SimFaults&)> fault;
        LinkOp op;
        std::uint8_t code;  // the request whose TX comes first
        std::vector<Expected> after;
    };
    const Case cases[] = {
        {"no reply to a status poll", [](SimFaults& f) { f.noReply = CodeFault::times(0xAA, 1); }, LinkOp::Idle, 0xAA,
         {{Kind::TimedOut, 0, 212}}},
        {"a short reply to the alarm record",
         [](SimFaults& f) {
             f.shortReply = CodeFault::times(0x19, 1);
             f.shortReplyLength = 10;
         },
         LinkOp::AlarmRead, 0x19, {{Kind::Received}, {Kind::TimedOut, 10, 44}}},
        {"the line goes in the middle of the memory block",
         [](SimFaults& f) {
             f.hangUpOnCode = 0x01;
             f.hangUpAtRequest = 3;
             f.hangUpReplyBytes = 100000;
         },
         LinkOp::SettingsRead, 0x01,
         {{Kind::Received}, {Kind::HungUp, 100000, 524320}, {Kind::HungUp, 0, 424320}, {Kind::Lost}}},
    };
    connectEditTest();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingTrace trace(link);
        setFaults(c.fault);
        if (c.op != LinkOp::Idle) {
            ASSERT_TRUE(thread.startOperation(c.op));
        }
        // The first event of the last expected kind ends the sequence.
        const Kind last = c.after.back().kind;
        ASSERT_TRUE(RecordingEvents::eventually([&] { return count(trace.events(), last) > 0; }));
        const auto recorded = trace.events();
        std::size_t end = 0;
        while (recorded[end].kind != last) ++end;
        ASSERT_GE(end, c.after.size());
        const Recorded& request = recorded[end - c.after.size()];
        EXPECT_EQ(request.kind, Kind::Sent);
        EXPECT_EQ(request.code, c.code);
        for (std::size_t k = 0; k < c.after.size(); ++k) {
            SCOPED_TRACE(k);
            const Recorded& e = recorded[end - c.after.size() + 1 + k];
            const Expected& x = c.after[k];
            EXPECT_EQ(e.kind, x.kind);
            if (e.kind == Kind::Lost) {
                EXPECT_EQ(e.text, "warning");
                continue;
            }
            EXPECT_EQ(e.code, c.code);
            if (e.kind == Kind::TimedOut || e.kind == Kind::HungUp) {
                EXPECT_EQ(e.direction, TraceEvent::Direction::Read);
                EXPECT_EQ(e.size, x.moved);
                EXPECT_EQ(e.wanted, x.wanted);
            }
        }
        setFaults([](SimFaults& f) { f = SimFaults{}; });
        if (link.isOpen()) {
            ASSERT_TRUE(backToPolling());
        }
    }
}

// With the trace ended, the link hands it nothing more.
TEST_F(LinkE2e, AnEndedTraceGetsNothingMore) {
    RecordingTrace trace(link);
    connectEditTest();
    const int polls = sim.requestCount(0xAA);
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) > polls + 2; }));
    link.setTraceSink(nullptr);
    std::size_t recorded;
    {
        std::lock_guard g(link.lock());  // the call under way, if any, is over
        recorded = trace.events().size();
    }
    const int after = sim.requestCount(0xAA);
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) > after + 3; }));
    thread.stop();
    link.close();
    EXPECT_EQ(trace.events().size(), recorded);
}
