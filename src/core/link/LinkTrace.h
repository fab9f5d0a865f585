#pragma once

// The protocol trace: what went over the wire, frame by frame. The link hands
// every frame it sends and receives, every time-out and hang-up, and the
// opening and loss of the port to a sink, when one is set
// (ControllerLink::setTraceSink). With no sink the link pays one null check
// per send and per receive.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel {

struct TraceEvent {
    enum class Kind : std::uint8_t {
        Opened,        // the port was opened; `text` is its device path
        Sent,          // a request frame (`bytes`; `size` of them went out)
        Received,      // the first read of a reply (`bytes`, `size` of `wanted`)
        ReceivedMore,  // a further read of the same reply, after a short one
        TimedOut,      // a read or write ended by its time-out (`size` of `wanted` moved)
        HungUp,        // the device reported a hang-up or an error (`size` of `wanted` moved)
        Aborted,       // a read cut short because the link thread stops
        Lost,          // link-lost handling closed the port; `text` "warning" or "silent"
        Closed,        // the port was closed by its owner
    };
    // Which way the bytes of a TimedOut, HungUp or Aborted event went.
    enum class Direction : std::uint8_t { Read, Write };

    Kind kind = Kind::Sent;
    Direction direction = Direction::Read;
    std::chrono::steady_clock::time_point time;
    // The request the event belongs to (for a reply: the request it answers).
    std::uint8_t code = 0;
    std::uint8_t sequence = 0;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;    // bytes moved
    std::size_t wanted = 0;  // bytes asked for (reads and writes)
    // False for a write the device refused: how much of it went out is unknown.
    bool sizeKnown = true;
    std::string_view text;
};

// Receives the trace. Called on the link thread and, for link-lost handling
// and closing, on the thread that causes them; an implementation serialises
// its own work. The bytes of an event are valid only during the call.
class LinkTraceSink {
public:
    virtual ~LinkTraceSink() = default;
    virtual void record(const TraceEvent& event) = 0;
};

}  // namespace vantrel
