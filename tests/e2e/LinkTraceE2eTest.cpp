// The protocol trace of the real link against the simulated controller: every
// time-out and hang-up is on record, right after the frame it concerns. (That
// every frame is, the trace of a vantrel-cli settings read shows.)

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
        std::lock_guard g(m_);
        events_.push_back({e.kind, e.direction, e.code, e.size, e.wanted, std::string(e.text)});
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

bool has(const std::vector<Recorded>& events, Kind kind) {
    return std::any_of(events.begin(), events.end(), [&](const Recorded& e) { return e.kind == kind; });
}

}  // namespace

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
        ASSERT_TRUE(RecordingEvents::eventually([&] { return has(trace.events(), last); }));
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
