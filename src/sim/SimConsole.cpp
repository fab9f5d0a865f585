#include "sim/SimConsole.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "data/ControllerMode.h"
#include "sim/ControllerSim.h"

namespace vantrel {

namespace {

using Words = std::vector<std::string>;

Words split(const std::string& line) {
    Words words;
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// A whole number, decimal or with 0x in hexadecimal, within [lo, hi].
std::optional<long long> number(const std::string& text, long long lo, long long hi) {
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    long long v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (s.empty() || error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (negative) v = -v;
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<bool> onOff(const std::string& text) {
    if (text == "on" || text == "1") return true;
    if (text == "off" || text == "0") return false;
    return std::nullopt;
}

SimConsole::Result fail(const std::string& why) { return {false, false, why}; }
SimConsole::Result done(const std::string& text = "ok") { return {true, false, text}; }

std::string bits16(std::uint16_t v) {
    std::string s;
    for (int i = 0; i < 16; ++i) s += (v >> i) & 1 ? '1' : '0';
    return s;
}

const char* moveResultText(MoveResult r) {
    switch (r) {
    case MoveResult::Started: return "ok";
    case MoveResult::Refused: return "refused";
    case MoveResult::Alarm: return "alarm";
    }
    return "";
}

std::string showAxes(Machine& m) {
    std::string out;
    char line[256];
    const auto& st = m.status();
    for (int a = 0; a < Machine::kPulseAxes; ++a) {
        const SimAxisValues v = m.axisValues(a);
        const std::uint8_t bits = st.driverInputs[static_cast<std::size_t>(a)];
        const unsigned sensors = (st.sensorInputs >> kSensorNibbleShift[static_cast<std::size_t>(a)]) & 0x0F;
        std::snprintf(line, sizeof line,
                      "axis %d: position %d (physical %.0f) speed %d Hz%s%s%s%s%s  inputs HOMES %u +LS %u -LS %u\n",
                      a + 1, v.commandPosition, m.physicalPosition(a), v.commandSpeed, bits & 0x01 ? " READY" : "",
                      bits & 0x02 ? " ALM" : "", bits & 0x04 ? " TIM" : "", bits & 0x08 ? " IN-POS" : "",
                      bits & 0x10 ? " HOME-END" : "", (sensors >> 3) & 1, (sensors >> 2) & 1, (sensors >> 1) & 1);
        out += line;
    }
    for (int d = 0; d < Machine::kNetworkDrivers; ++d) {
        const SimNetworkDriver& r = st.networkDrivers[static_cast<std::size_t>(d)];
        if (r.values.commandPosition == 0 && r.values.commandSpeed == 0 && r.alarmCode == 0 && r.inputs == 0) continue;
        std::snprintf(line, sizeof line, "RIVO%d: position %d speed %d r/min status %04X alarm %04Xh NET-IN %04X\n", d + 1,
                      r.values.commandPosition, r.values.commandSpeed, static_cast<unsigned>(r.status), r.alarmCode, r.inputs);
        out += line;
    }
    std::snprintf(line, sizeof line, "alarm %d, mode %d, %s", m.alarmCode(), m.mode(), m.running() ? "running" : "stopped");
    return out + line;
}

std::string showIo(Machine& m) {
    std::string wiring;
    bool loopback = true;
    for (int n = 1; n <= Machine::kGeneralInputs; ++n) loopback = loopback && m.wiring(n) == n;
    if (loopback) wiring = "OUTn drives INn (loopback)";
    for (int n = 1; n <= Machine::kGeneralInputs && !loopback; ++n) {
        if (m.wiring(n) == 0) continue;
        if (!wiring.empty()) wiring += ' ';
        wiring += "IN" + std::to_string(n) + "<-OUT" + std::to_string(m.wiring(n));
    }
    std::string out = "IN1..IN16:   " + bits16(m.generalInputs()) + "\n" + "OUT1..OUT16: " + bits16(m.generalOutputs()) + "\n";
    const std::uint16_t host = m.hostInputs();
    const std::uint16_t hostOut = m.hostOutputs();
    out += std::string("host inputs: EXT-STOP ") + (host & 1 ? "1" : "0") + " PRG-START " + (host & 2 ? "1" : "0") +
           " PRG-STOP " + (host & 4 ? "1" : "0") + " ALM-RST " + (host & 8 ? "1" : "0") + "\n";
    out += std::string("host outputs: ALM ") + (hostOut & 1 ? "1" : "0") + " PRG-RUN " + (hostOut & 2 ? "1" : "0") +
           " PRG-READY " + (hostOut & 4 ? "1" : "0") + "\n";
    return out + "wiring: " + (wiring.empty() ? "none" : wiring);
}

// "task 1: program 100 step 3" for each running task; the step as the editor numbers it.
std::string showTasks(const Machine& m) {
    std::string out;
    for (std::size_t i = 0; i < m.status().runFlags.size(); ++i) {
        if (m.status().runFlags[i] == 0) continue;
        if (!out.empty()) out += "\n";
        out += "task " + std::to_string(i) + ": program " + std::to_string(m.status().runFlags[i]) + " step " +
               std::to_string(m.status().stepValues[i] + 1);
    }
    return out.empty() ? "no task runs" : out;
}

std::optional<std::uint16_t> hostBit(const std::string& name) {
    if (name == "ext-stop") return Machine::kExtStop;
    if (name == "prg-start") return Machine::kPrgStart;
    if (name == "prg-stop") return Machine::kPrgStop;
    if (name == "alm-rst") return Machine::kAlmRst;
    return std::nullopt;
}

// Axis numbers as the user writes them: 1..4 pulse axes, rivo1..rivo16 network drivers.
std::optional<int> axisIndex(const std::string& text) {
    if (text.rfind("rivo", 0) == 0) {
        const auto d = number(text.substr(4), 1, Machine::kNetworkDrivers);
        if (!d) return std::nullopt;
        return Machine::kPulseAxes + static_cast<int>(*d) - 1;
    }
    const auto a = number(text, 1, Machine::kPulseAxes);
    if (!a) return std::nullopt;
    return static_cast<int>(*a) - 1;
}

SimConsole::Result fault(ControllerSim& sim, const Words& w) {
    SimFaults f = sim.faults();
    const std::string what = w.size() > 1 ? w[1] : "";
    auto codeFault = [&](CodeFault& target, std::size_t countAt) -> SimConsole::Result {
        const auto code = w.size() > 2 ? number(w[2], 0, 255) : std::nullopt;
        const auto count = w.size() > countAt ? number(w[countAt], 1, 1000000) : std::optional<long long>(-1);
        if (!code || !count) return fail("usage: fault " + what + " CODE" + (countAt == 4 ? " LENGTH" : "") + " [TIMES]");
        target = CodeFault{static_cast<int>(*code), static_cast<int>(*count)};
        return done();
    };
    SimConsole::Result r = done();
    if (what == "no-reply") {
        r = codeFault(f.noReply, 3);
    } else if (what == "wrong-sequence") {
        r = codeFault(f.wrongSequence, 3);
    } else if (what == "short-reply") {
        const auto length = w.size() > 3 ? number(w[3], 0, 1 << 20) : std::nullopt;
        if (!length) return fail("usage: fault short-reply CODE LENGTH [TIMES]");
        f.shortReplyLength = static_cast<std::size_t>(*length);
        r = codeFault(f.shortReply, 4);
    } else if (what == "not-main") {
        const auto on = w.size() > 2 ? onOff(w[2]) : std::nullopt;
        if (!on) return fail("usage: fault not-main on|off");
        f.identifyNotMain = *on;
    } else if (what == "hang-up") {
        const auto bytes = w.size() > 2 ? number(w[2], -1, 1LL << 40) : std::nullopt;
        if (!bytes) return fail("usage: fault hang-up BYTES (-1: off)");
        f.hangUpAfterBytes = *bytes;
    } else if (what == "hang-up-at") {
        const auto code = w.size() > 2 ? number(w[2], 0, 255) : std::nullopt;
        const auto nth = w.size() > 3 ? number(w[3], 1, 1000000) : std::nullopt;
        const auto bytes = w.size() > 4 ? number(w[4], 0, 1 << 20) : std::optional<long long>(0);
        if (!code || !nth || !bytes || w.size() > 5) return fail("usage: fault hang-up-at CODE N [BYTES]");
        f.hangUpOnCode = static_cast<int>(*code);
        f.hangUpAtRequest = static_cast<int>(*nth);
        f.hangUpReplyBytes = static_cast<std::size_t>(*bytes);
    } else if (what == "flash-fail" || what == "flash-verify") {
        const auto step = w.size() > 2 ? number(w[2], -1, 2) : std::nullopt;
        if (!step) return fail("usage: fault " + what + " STEP (0..2, -1: off)");
        (what == "flash-fail" ? f.flashFailStep : f.flashVerifyErrorStep) = static_cast<int>(*step);
    } else if (what == "settings-reject" || what == "settings-reception") {
        const auto area = w.size() > 2 ? number(w[2], 0, 3) : std::nullopt;
        if (!area) return fail("usage: fault " + what + " AREA (1..3, 0: off)");
        (what == "settings-reject" ? f.rejectSettingsArea : f.receptionErrorSettingsArea) = static_cast<int>(*area);
    } else if (what == "program-size") {
        const auto size = w.size() > 2 ? number(w[2], 0, 0xFFFFFFFF) : std::nullopt;
        if (!size) return fail("usage: fault program-size BYTES (0: off)");
        f.announcedProgramSize = static_cast<std::uint32_t>(*size);
    } else if (what == "compile-error") {
        if (w.size() == 3 && w[2] == "off") {
            sim.setCompileError(std::nullopt);
            return done();
        }
        ControllerSim::CompileError values{};
        for (std::size_t i = 0; i < 4; ++i) {
            const auto v = w.size() == 6 ? number(w[2 + i], 0, 65535) : std::nullopt;
            if (!v) return fail("usage: fault compile-error V1 V2 V3 V4 | off");
            values[i] = static_cast<std::uint16_t>(*v);
        }
        sim.setCompileError(values);
        return done();
    } else if (what == "clear") {
        f = SimFaults{};
        sim.setCompileError(std::nullopt);
    } else {
        return fail("unknown fault \"" + what + "\" (see help)");
    }
    if (r.ok) sim.setFaults(f);
    return r;
}

std::string showFaults(const ControllerSim& sim) {
    const SimFaults f = sim.faults();
    std::string out;
    auto code = [&](const char* name, const CodeFault& c) {
        if (c.code < 0 || c.count == 0) return;
        out += std::string(name) + " code " + std::to_string(c.code) +
               (c.count > 0 ? " (" + std::to_string(c.count) + " more)" : "") + "\n";
    };
    code("no-reply", f.noReply);
    code("wrong-sequence", f.wrongSequence);
    code("short-reply", f.shortReply);
    if (f.shortReply.code >= 0) out += "short-reply length " + std::to_string(f.shortReplyLength) + "\n";
    if (f.identifyNotMain) out += "not-main on\n";
    if (f.hangUpAfterBytes >= 0) out += "hang-up after " + std::to_string(f.hangUpAfterBytes) + " bytes\n";
    if (f.hangUpOnCode >= 0)
        out += "hang-up at request " + std::to_string(f.hangUpAtRequest) + " of code " + std::to_string(f.hangUpOnCode) +
               ", after " + std::to_string(f.hangUpReplyBytes) + " bytes of its reply\n";
    if (f.flashFailStep >= 0) out += "flash-fail step " + std::to_string(f.flashFailStep) + "\n";
    if (f.flashVerifyErrorStep >= 0) out += "flash-verify step " + std::to_string(f.flashVerifyErrorStep) + "\n";
    if (f.rejectSettingsArea != 0) out += "settings-reject area " + std::to_string(f.rejectSettingsArea) + "\n";
    if (f.receptionErrorSettingsArea != 0)
        out += "settings-reception area " + std::to_string(f.receptionErrorSettingsArea) + "\n";
    if (f.announcedProgramSize != 0) out += "program-size " + std::to_string(f.announcedProgramSize) + "\n";
    if (out.empty()) return "no fault armed";
    out.pop_back();
    return out;
}

}  // namespace

std::string SimConsole::help() {
    return "commands (one a line; AXIS is 1..4 or rivo1..rivo16):\n"
           "  help                              this list\n"
           "  in N on|off                       general input N (1..16)\n"
           "  host ext-stop|prg-start|prg-stop|alm-rst on|off   host input\n"
           "  wire IN OUT | wire IN none        input IN follows output OUT / stays as set\n"
           "  wire loopback | wire none         OUTn drives INn for every n / no wiring\n"
           "  alarm CODE | alarm clear | alarm reset   raise, clear, reset (kept while its cause remains)\n"
           "  driver-alarm 1..4 on|off          the ALM input of a pulse axis driver\n"
           "  rivo-alarm 1..16 CODE             a network driver's alarm code (0: none)\n"
           "  mode edit|step|auto               the controller's mode\n"
           "  axes | io | faults                show the axes, the I/O, the armed faults\n"
           "  tasks                             the program and step of each of the eight tasks\n"
           "  move AXIS to|by VALUE [SPEED]     a move in the axis' unit (SPEED in Hz, default 1000)\n"
           "  home AXIS | stop [AXIS]           home return with the axis' settings; stop one or all\n"
           "  sensor 1..4 dog LOW HIGH|none     the home dog of a pulse axis (physical position)\n"
           "  sensor 1..4 limits MINUS PLUS|range   the limit switches; range: just outside the movable range\n"
           "  fault no-reply|wrong-sequence CODE [TIMES]\n"
           "  fault short-reply CODE LENGTH [TIMES]\n"
           "  fault not-main on|off             identify answers a controller that is not MAIN\n"
           "  fault hang-up BYTES               the line dies after BYTES more bytes (-1: off)\n"
           "  fault hang-up-at CODE N [BYTES]   the line dies at the Nth request of CODE from now on,\n"
           "                                    after BYTES of its reply (default 0)\n"
           "  fault flash-fail|flash-verify STEP     FLASH step 0..2 fails / reports a verify error (-1: off)\n"
           "  fault settings-reject|settings-reception AREA   settings area 1..3 refused (0: off)\n"
           "  fault program-size BYTES          the program read announces BYTES (0: off)\n"
           "  fault compile-error V1 V2 V3 V4 | off   the next compiles are refused with these values\n"
           "  fault clear                       every fault off\n"
           "  wait MILLISECONDS                 pause (scripts)\n"
           "  quit                              end the simulated controller";
}

SimConsole::Result SimConsole::run(const std::string& line) {
    const Words w = split(line);
    if (w.empty() || w[0][0] == '#') return {true, false, ""};
    const std::string& c = w[0];

    if (c == "help") return done(help());
    if (c == "wait") {
        const auto ms = w.size() == 2 ? number(w[1], 0, 3600000) : std::nullopt;
        if (!ms) return fail("usage: wait MILLISECONDS");
        std::this_thread::sleep_for(std::chrono::milliseconds(*ms));
        return done();
    }
    if (c == "quit" || c == "exit") return {true, true, "bye"};
    if (c == "faults") return done(showFaults(sim_));
    if (c == "fault") return fault(sim_, w);
    if (c == "axes") return done(sim_.withMachine([](Machine& m) { return showAxes(m); }));
    if (c == "io") return done(sim_.withMachine([](Machine& m) { return showIo(m); }));
    if (c == "tasks") return done(sim_.withMachine([](Machine& m) { return showTasks(m); }));

    if (c == "in") {
        const auto n = w.size() == 3 ? number(w[1], 1, 16) : std::nullopt;
        const auto on = w.size() == 3 ? onOff(w[2]) : std::nullopt;
        if (!n || !on) return fail("usage: in N on|off (N 1..16)");
        sim_.withMachine([&](Machine& m) { m.setGeneralInput(static_cast<int>(*n), *on); });
        return done();
    }
    if (c == "host") {
        const auto bit = w.size() == 3 ? hostBit(w[1]) : std::nullopt;
        const auto on = w.size() == 3 ? onOff(w[2]) : std::nullopt;
        if (!bit || !on) return fail("usage: host ext-stop|prg-start|prg-stop|alm-rst on|off");
        sim_.withMachine([&](Machine& m) { m.setHostInput(*bit, *on); });
        return done();
    }
    if (c == "wire") {
        if (w.size() == 2 && (w[1] == "loopback" || w[1] == "none")) {
            sim_.withMachine([&](Machine& m) {
                if (w[1] == "loopback") {
                    m.wireOutputsToInputs();
                    return;
                }
                for (int n = 1; n <= Machine::kGeneralInputs; ++n) m.wireInput(n, 0);
            });
            return done();
        }
        const auto in = w.size() == 3 ? number(w[1], 1, 16) : std::nullopt;
        const auto out = w.size() == 3 ? (w[2] == "none" ? std::optional<long long>(0) : number(w[2], 1, 16)) : std::nullopt;
        if (!in || !out) return fail("usage: wire IN OUT|none, wire loopback, wire none");
        sim_.withMachine([&](Machine& m) { m.wireInput(static_cast<int>(*in), static_cast<int>(*out)); });
        return done();
    }
    if (c == "alarm") {
        if (w.size() != 2) return fail("usage: alarm CODE | alarm clear | alarm reset");
        if (w[1] == "clear") {
            sim_.clearAlarm();
        } else if (w[1] == "reset") {
            const auto left = sim_.withMachine([](Machine& m) {
                m.resetAlarm();
                return m.alarmCode();
            });
            if (left != 0) return done("alarm " + std::to_string(left) + " kept: its cause remains");
        } else {
            const auto code = number(w[1], 1, 255);
            if (!code) return fail("alarm code 1..255");
            sim_.raiseAlarm(static_cast<std::uint8_t>(*code));
        }
        return done();
    }
    if (c == "driver-alarm") {
        const auto a = w.size() == 3 ? number(w[1], 1, 4) : std::nullopt;
        const auto on = w.size() == 3 ? onOff(w[2]) : std::nullopt;
        if (!a || !on) return fail("usage: driver-alarm 1..4 on|off");
        sim_.withMachine([&](Machine& m) { m.setDriverAlarm(static_cast<int>(*a) - 1, *on); });
        return done();
    }
    if (c == "rivo-alarm") {
        const auto d = w.size() == 3 ? number(w[1], 1, 16) : std::nullopt;
        const auto code = w.size() == 3 ? number(w[2], 0, 0xFFFF) : std::nullopt;
        if (!d || !code) return fail("usage: rivo-alarm 1..16 CODE");
        sim_.withMachine([&](Machine& m) { m.setNetworkAlarm(static_cast<int>(*d) - 1, static_cast<std::uint16_t>(*code)); });
        return done();
    }
    if (c == "mode") {
        const std::string m = w.size() == 2 ? w[1] : "";
        ControllerMode mode;
        if (m == "edit") mode = ControllerMode::EditTest;
        else if (m == "step") mode = ControllerMode::StepRun;
        else if (m == "auto") mode = ControllerMode::AutoRun;
        else return fail("usage: mode edit|step|auto");
        sim_.setModeWord(static_cast<std::uint16_t>(mode));
        return done();
    }
    if (c == "move") {
        const char* usage = "usage: move AXIS to|by VALUE [SPEED]";
        if (w.size() < 4 || w.size() > 5 || (w[2] != "to" && w[2] != "by")) return fail(usage);
        const auto axis = axisIndex(w[1]);
        const auto value = number(w[3], -8388608, 8388607);
        const auto speed = w.size() == 5 ? number(w[4], 1, 1000000) : std::optional<long long>(1000);
        if (!axis || !value || !speed) return fail(usage);
        const auto v = static_cast<std::int32_t>(*value);
        const MoveTarget target = w[2] == "to" ? MoveTarget::to(v) : MoveTarget::by(v);
        const MoveSpeed moveSpeed{static_cast<std::int32_t>(*speed), 0};
        return done(moveResultText(sim_.withMachine([&](Machine& m) { return m.moveAxis(*axis, target, moveSpeed); })));
    }
    if (c == "home") {
        const auto axis = w.size() == 2 ? axisIndex(w[1]) : std::nullopt;
        if (!axis) return fail("usage: home AXIS");
        return done(moveResultText(sim_.withMachine([&](Machine& m) { return m.homeReturn(*axis); })));
    }
    if (c == "stop") {
        const auto axis = w.size() == 2 ? axisIndex(w[1]) : std::nullopt;
        if (w.size() > 2 || (w.size() == 2 && !axis)) return fail("usage: stop [AXIS]");
        sim_.withMachine([&](Machine& m) { axis ? m.stopAxis(*axis) : m.stopAll(); });
        return done();
    }
    if (c == "sensor") {
        const auto a = w.size() >= 3 ? number(w[1], 1, 4) : std::nullopt;
        if (!a) return fail("usage: sensor 1..4 dog LOW HIGH|none, sensor 1..4 limits MINUS PLUS|range");
        const int axis = static_cast<int>(*a) - 1;
        if (w[2] == "dog" && w.size() == 4 && w[3] == "none") {
            sim_.withMachine([&](Machine& m) { m.placeHomeDog(axis, std::nullopt, std::nullopt); });
            return done();
        }
        if (w[2] == "limits" && w.size() == 4 && w[3] == "range") {
            sim_.withMachine([&](Machine& m) { m.followRangeWithLimits(axis); });
            return done();
        }
        const char* usage = "usage: sensor 1..4 dog LOW HIGH|none, sensor 1..4 limits MINUS PLUS|range";
        if ((w[2] != "dog" && w[2] != "limits") || w.size() != 5) return fail(usage);
        const auto lo = number(w[3], -8388608, 8388607);
        const auto hi = number(w[4], -8388608, 8388607);
        if (!lo || !hi) return fail(usage);
        const auto low = static_cast<std::int32_t>(*lo);
        const auto high = static_cast<std::int32_t>(*hi);
        const bool dog = w[2] == "dog";
        sim_.withMachine([&](Machine& m) { dog ? m.placeHomeDog(axis, low, high) : m.placeLimits(axis, low, high); });
        return done();
    }
    return fail("unknown command \"" + c + "\" (help lists them)");
}

}  // namespace vantrel
