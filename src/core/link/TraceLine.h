#pragma once

// The text form of the protocol trace: one line per event, for a person to
// read and a script to split at blanks.
//
//   # vantrel link trace, started 2025-03-01 14:02:11 (local time)
//   0.000000 OPEN /dev/pts/3
//   0.000412 TX 0x00 identify seq=1 len=36 n=36 | 02 01 24 00 00 ...
//   0.001730 RX 0x00 identify seq=1 len=88 n=88 | 02 01 58 00 00 ...
//   3.004517 TIMEOUT 0xAA status-poll seq=9 read n=0/212
//   3.010020 LOST warning
//
// Fields: seconds since the trace began (microseconds), the event, then for
// frames (TX sent, RX the first read of a reply, RX+ a further read of the
// same reply) the request code and its name (for a reply: of the request it
// answers), the head as the bytes state it (seq = byte 1, len = bytes 2..3,
// "-" when too few bytes came or the line goes on with a reply), n = the
// bytes on the line, "|" and the bytes in hexadecimal. TIMEOUT, HANGUP and
// ABORT name the request, its sequence, read or write and n = bytes moved /
// bytes asked for ("?" moved when the device refused a write). OPEN gives the
// device, LOST "warning" or "silent", CLOSE nothing. Lines that begin with
// "#" are comments.

#include <cstdint>
#include <string>
#include <string_view>

#include "link/LinkTrace.h"

namespace vantrel {

// "status-poll" for 0xAA, ...; "unknown" for a code the protocol does not have.
std::string_view requestCodeName(std::uint8_t code);

// The comment line a trace begins with.
std::string traceHeader(std::string_view startedAt);

// One event as a line (with its line end); `seconds` since the trace began.
std::string formatTraceLine(double seconds, const TraceEvent& event);
// The same, appended to `out` (no allocation once `out` is large enough).
void appendTraceLine(std::string& out, double seconds, const TraceEvent& event);

}  // namespace vantrel
