#include "link/TraceLine.h"

#include <cstdio>

#include "link/Protocol.h"

namespace vantrel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string_view eventWord(TraceEvent::Kind kind) {
    switch (kind) {
        case TraceEvent::Kind::Opened: return "OPEN";
        case TraceEvent::Kind::Sent: return "TX";
        case TraceEvent::Kind::Received: return "RX";
        case TraceEvent::Kind::ReceivedMore: return "RX+";
        case TraceEvent::Kind::TimedOut: return "TIMEOUT";
        case TraceEvent::Kind::HungUp: return "HANGUP";
        case TraceEvent::Kind::Aborted: return "ABORT";
        case TraceEvent::Kind::Lost: return "LOST";
        case TraceEvent::Kind::Closed: return "CLOSE";
    }
    return "?";
}

void appendNumber(std::string& out, std::size_t n) { out += std::to_string(n); }

void appendCode(std::string& out, std::uint8_t code) {
    out += "0x";
    out += kHexDigits[code >> 4];
    out += kHexDigits[code & 0x0F];
    out += ' ';
    out += requestCodeName(code);
}

void appendHex(std::string& out, const std::uint8_t* bytes, std::size_t size) {
    const std::size_t at = out.size();
    out.resize(at + 3 * size);
    char* p = out.data() + at;
    for (std::size_t i = 0; i < size; ++i) {
        *p++ = ' ';
        *p++ = kHexDigits[bytes[i] >> 4];
        *p++ = kHexDigits[bytes[i] & 0x0F];
    }
}

// The head of a frame as its bytes state it.
void appendHead(std::string& out, const TraceEvent& e) {
    const bool first = e.kind != TraceEvent::Kind::ReceivedMore;
    out += " seq=";
    if (first && e.size > frame::kSequence)
        appendNumber(out, e.bytes[frame::kSequence]);
    else
        out += '-';
    out += " len=";
    if (first && e.size >= frame::kLength + 2)
        appendNumber(out, static_cast<std::size_t>(e.bytes[frame::kLength] | e.bytes[frame::kLength + 1] << 8));
    else
        out += '-';
}

}  // namespace

std::string_view requestCodeName(std::uint8_t code) {
    switch (static_cast<RequestCode>(code)) {
        case RequestCode::Identify: return "identify";
        case RequestCode::ReadSettings: return "read-settings";
        case RequestCode::SendProgramPiece: return "program-piece";
        case RequestCode::ReadProgram: return "read-program";
        case RequestCode::WriteValue: return "write-value";
        case RequestCode::ReadValue: return "read-value";
        case RequestCode::Jog: return "jog";
        case RequestCode::WriteAxisParameter: return "write-axis-parameter";
        case RequestCode::Initialise: return "initialise";
        case RequestCode::WriteSettingsBlock: return "settings-block";
        case RequestCode::ReadAlarmRecord: return "read-alarm-record";
        case RequestCode::StatusPoll: return "status-poll";
        case RequestCode::FlashWriteStep: return "flash-step";
    }
    return "unknown";
}

std::string traceHeader(std::string_view startedAt) {
    std::string line = "# vantrel link trace, started ";
    line += startedAt;
    line += "\n# seconds event code name seq=S len=L n=N | bytes  (see the README for every event)\n";
    return line;
}

void appendTraceLine(std::string& out, double seconds, const TraceEvent& e) {
    char time[32];
    std::snprintf(time, sizeof time, "%.6f ", seconds);
    out += time;
    out += eventWord(e.kind);
    switch (e.kind) {
        case TraceEvent::Kind::Opened:
        case TraceEvent::Kind::Lost:
            out += ' ';
            out += e.text;
            break;
        case TraceEvent::Kind::Closed: break;
        case TraceEvent::Kind::Sent:
        case TraceEvent::Kind::Received:
        case TraceEvent::Kind::ReceivedMore:
            out += ' ';
            appendCode(out, e.code);
            appendHead(out, e);
            out += " n=";
            appendNumber(out, e.size);
            out += " |";
            appendHex(out, e.bytes, e.size);
            break;
        case TraceEvent::Kind::TimedOut:
        case TraceEvent::Kind::HungUp:
        case TraceEvent::Kind::Aborted:
            out += ' ';
            appendCode(out, e.code);
            out += " seq=";
            appendNumber(out, e.sequence);
            out += e.direction == TraceEvent::Direction::Read ? " read n=" : " write n=";
            if (e.sizeKnown)
                appendNumber(out, e.size);
            else
                out += '?';
            out += '/';
            appendNumber(out, e.wanted);
            break;
    }
    out += '\n';
}

std::string formatTraceLine(double seconds, const TraceEvent& event) {
    std::string line;
    appendTraceLine(line, seconds, event);
    return line;
}

}  // namespace vantrel
