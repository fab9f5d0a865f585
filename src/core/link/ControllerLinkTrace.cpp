// The trace side of ControllerLink: turns a send, a receive, an open, a loss
// and a close into trace events. Called with the link lock held, and only
// when a sink is set.

#include "link/ControllerLink.h"

namespace vantrel {
namespace {

TraceEvent::Kind shortReadKind(SerialPort::ReadEnd end) {
    switch (end) {
        case SerialPort::ReadEnd::Aborted: return TraceEvent::Kind::Aborted;
        case SerialPort::ReadEnd::TimedOut: return TraceEvent::Kind::TimedOut;
        case SerialPort::ReadEnd::Complete:  // a closed port reads nothing
        case SerialPort::ReadEnd::HungUp: break;
    }
    return TraceEvent::Kind::HungUp;
}

}  // namespace

void ControllerLink::traceSent(LinkTraceSink& sink, const std::uint8_t* bytes, std::size_t length, long written) {
    TraceEvent e;
    e.time = std::chrono::steady_clock::now();
    e.code = lastCode_;
    e.sequence = lastSequence_;
    e.wanted = length;
    e.direction = TraceEvent::Direction::Write;
    if (written > 0) {
        e.kind = TraceEvent::Kind::Sent;
        e.bytes = bytes;
        e.size = static_cast<std::size_t>(written);
        sink.record(e);
    }
    if (written >= 0 && static_cast<std::size_t>(written) == length) return;
    e.bytes = nullptr;
    if (written < 0) {
        // The device refused the write: gone, however much of it went out.
        e.kind = TraceEvent::Kind::HungUp;
        e.size = 0;
        e.sizeKnown = false;
    } else {
        e.kind = TraceEvent::Kind::TimedOut;
        e.size = static_cast<std::size_t>(written);
    }
    sink.record(e);
}

void ControllerLink::traceReceived(LinkTraceSink& sink, const std::uint8_t* bytes, std::size_t got,
                                   std::size_t wanted, ReplyPart part) {
    TraceEvent e;
    e.time = std::chrono::steady_clock::now();
    e.code = lastCode_;
    e.sequence = lastSequence_;
    e.wanted = wanted;
    e.size = got;
    if (got > 0) {
        e.kind = part == ReplyPart::First ? TraceEvent::Kind::Received : TraceEvent::Kind::ReceivedMore;
        e.bytes = bytes;
        sink.record(e);
    }
    if (got == wanted) return;
    e.kind = shortReadKind(port_.lastReadEnd());
    e.bytes = nullptr;
    sink.record(e);
}

void ControllerLink::traceNote(TraceEvent::Kind kind, std::string_view text) {
    LinkTraceSink* sink = trace_.load(std::memory_order_acquire);
    if (!sink) return;
    TraceEvent e;
    e.kind = kind;
    e.time = std::chrono::steady_clock::now();
    e.code = lastCode_;
    e.sequence = lastSequence_;
    e.text = text;
    sink->record(e);
}

}  // namespace vantrel
