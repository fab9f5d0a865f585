// The motion commands of the programs: point moves, linear and circular
// interpolation, home return, stop, excitation and preset of the pulse axes,
// and the network drivers' moves.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/ByteOrder.h"
#include "data/SettingsImage.h"
#include "sim/NetworkDriverSim.h"
#include "sim/PulseAxisSim.h"
#include "sim/TaskRunner.h"

namespace vantrel {

using namespace simprog;

namespace {

constexpr int kPulseAxes = Machine::kPulseAxes;
constexpr std::uint8_t kPointAlarm = Machine::kPointAlarm;
// An arc is run as chords of at most this angle.
constexpr double kArcSegment = std::numbers::pi / 36;
// Point record of each pulse axis whose speed rate is the home-return speed.
constexpr int kHomingRecord = 252;

bool selected(std::uint8_t axes, int a) { return (axes >> a) & 1u; }

// Whether the task goes on after starting a move: an alarm ends it, and a move
// the machine refuses is a fault of the program.
bool moveStarted(Machine& machine, MoveResult r) {
    if (r == MoveResult::Alarm) return false;
    if (r == MoveResult::Refused) {
        machine.raiseAlarm(TaskRunner::kProgramAlarm);
        return false;
    }
    return true;
}

// A speed in whole Hz, never above the one asked (which stays within the axis' maximum).
std::int32_t wholeHz(double hz) { return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::floor(hz))); }

double normalised(double angle) {
    const double full = 2 * std::numbers::pi;
    angle = std::fmod(angle, full);
    return angle < 0 ? angle + full : angle;
}

}  // namespace

// --- Settings the moves read ------------------------------------------------------

double TaskRunner::unitsPerPulse(int axis) const { return settings_.pulseAxis(axis).unitsPerPulse(); }

double TaskRunner::pulseSpeed(int axis, int rate) const {
    const double percent = speedLevelPercent();
    return std::max(1.0, settings_.pulseAxis(axis).maxSpeed() * rate / 100.0 * percent / 100.0);
}

int TaskRunner::speedLevelPercent() const {
    const auto level = std::min<std::uint32_t>(memory_.readValue(ControllerMemory::kSpeedLevel, 1).value_or(4), 4);
    return static_cast<int>(20 * level + 20);
}

std::int32_t TaskRunner::accelTime(int axis) const {
    const std::uint32_t at = ControllerMemory::kParameterStride * static_cast<std::uint32_t>(axis) +
                             ControllerMemory::kParameterBase +
                             static_cast<std::uint32_t>(PulseAxisRecord::accelTimeOffset(accelEntries_[static_cast<std::size_t>(axis)]));
    std::array<std::uint8_t, 4> bytes{};
    memory_.readParameters(at, bytes.data(), bytes.size());
    return static_cast<std::int32_t>(readU32LE(bytes.data()));
}

std::optional<std::int32_t> TaskRunner::pointTarget(Machine& machine, int axis, int point, bool incremental) const {
    const auto position = settings_.position(axis, point - 1);
    if (!position) return std::nullopt;
    if (incremental) return machine.axisValues(axis).commandPosition + *position;
    std::int32_t target = *position;
    // The shifts in force move every absolute target by their point's position.
    for (const int shift : shiftPoints_)
        if (shift > 0) target += settings_.position(axis, shift - 1).value_or(0);
    return target;
}

// --- Commands ----------------------------------------------------------------------

TaskRunner::Flow TaskRunner::waitForMotion(Task& task, bool wait, std::uint32_t axes,
                                           const std::array<std::int32_t, kPulseAxes>* targets) {
    if (!wait) return Flow::Next;
    task.wait.kind = Wait::Kind::Motion;
    task.wait.axes = axes;
    if (targets) {
        task.wait.toTargets = true;
        for (std::size_t a = 0; a < targets->size(); ++a) task.wait.targets[a] = (*targets)[a];
    }
    return Flow::Block;
}

TaskRunner::Flow TaskRunner::motion(Machine& machine, Task& task, const Instruction& in) {
    auto anyBusy = [&](std::uint32_t axes) {
        for (int a = 0; a < Machine::kAxes; ++a)
            if (((axes >> a) & 1u) && machine.axisBusy(a)) return true;
        return false;
    };
    auto waitFor = [&](std::uint32_t axes) { return waitForMotion(task, in.wait, axes); };
    const auto networkAxis = static_cast<std::uint32_t>(1u << (kPulseAxes + in.number));
    switch (in.op) {
    case Op::Move: return move(machine, task, in);
    case Op::Line: return line(machine, task, in);
    case Op::Arc: return arc(machine, task, in);
    case Op::Home: return home(machine, task, in);
    case Op::NetMove:
    case Op::NetHome: return networkMove(machine, task, in);
    case Op::Break:
        for (int a = 0; a < kPulseAxes; ++a)
            if (selected(in.axes, a)) machine.stopAxis(a);
        return waitFor(in.axes);
    case Op::NetBreak:
        machine.stopAxis(kPulseAxes + in.number);
        return waitFor(networkAxis);
    case Op::Sav:
        for (int a = 0; a < kPulseAxes; ++a) {
            if (!selected(in.axes, a)) continue;
            // OFF frees the motor; ON takes FREE away and energises it as its model is wired.
            const bool onExcites = settings_.pulseAxis(a).excitedByOutput();
            machine.setProgramDriverOutputs(a, Machine::kFreeOutput, !in.on);
            if (in.on) machine.setProgramDriverOutputs(a, Machine::kExciteOutput, onExcites);
        }
        return Flow::Next;
    case Op::NetSav:
        if (in.on)
            machine.setProgramNetworkInputs(in.number, NetworkDriverSim::kFree | NetworkDriverSim::kAwo, false);
        else
            machine.setProgramNetworkInputs(in.number, NetworkDriverSim::kFree, true);
        return Flow::Next;
    case Op::Preset:
        if (anyBusy(in.axes)) return Flow::Retry;
        for (int a = 0; a < kPulseAxes; ++a)
            if (selected(in.axes, a)) machine.presetPosition(a);
        return Flow::Next;
    default: return Flow::Next;
    }
}

bool TaskRunner::motionOver(Machine& machine, const Wait& wait) const {
    for (int a = 0; a < Machine::kAxes; ++a) {
        if (!((wait.axes >> a) & 1u) || !machine.axisBusy(a)) continue;
        // A move's axis within its pass distance of the target counts as there.
        if (!wait.toTargets || a >= kPulseAxes) return false;
        const std::int32_t pass = passDistances_[static_cast<std::size_t>(a)];
        const double left = std::abs(wait.targets[static_cast<std::size_t>(a)] - machine.axisValues(a).commandPosition);
        if (pass <= 0 || left > pass) return false;
    }
    return true;
}

TaskRunner::Flow TaskRunner::move(Machine& machine, Task& task, const Instruction& in) {
    std::array<std::int32_t, kPulseAxes> targets{};
    std::array<int, kPulseAxes> rates{};
    for (int a = 0; a < kPulseAxes; ++a) {
        if (!selected(in.axes, a)) continue;
        if (machine.axisBusy(a)) return Flow::Retry;
        const auto target = pointTarget(machine, a, in.point, in.incremental);
        const int rate = settings_.pointSpeedRate(a, in.point - 1);
        if (!target || rate < 1 || rate > 100) {
            machine.raiseAlarm(kPointAlarm);
            return Flow::End;
        }
        targets[static_cast<std::size_t>(a)] = *target;
        rates[static_cast<std::size_t>(a)] = rate;
    }
    for (int a = 0; a < kPulseAxes; ++a) {
        if (!selected(in.axes, a)) continue;
        const MoveSpeed speed{wholeHz(pulseSpeed(a, rates[static_cast<std::size_t>(a)])), accelTime(a)};
        const MoveResult r = machine.moveAxis(a, MoveTarget::to(targets[static_cast<std::size_t>(a)]), speed);
        if (!moveStarted(machine, r)) return Flow::End;
    }
    return waitForMotion(task, in.wait, in.axes, &targets);
}

TaskRunner::Flow TaskRunner::line(Machine& machine, Task& task, const Instruction& in) {
    std::array<std::int32_t, kPulseAxes> targets{};
    std::array<double, kPulseAxes> distances{};  // pulses
    int first = -1;
    double longest = 0;
    for (int a = 0; a < kPulseAxes; ++a) {
        if (!selected(in.axes, a)) continue;
        if (machine.axisBusy(a)) return Flow::Retry;
        const auto target = pointTarget(machine, a, in.point, in.incremental);
        if (!target) {
            machine.raiseAlarm(kPointAlarm);
            return Flow::End;
        }
        if (first < 0) first = a;
        targets[static_cast<std::size_t>(a)] = *target;
        distances[static_cast<std::size_t>(a)] =
            std::abs(*target - machine.axisValues(a).commandPosition) / unitsPerPulse(a);
        longest = std::max(longest, distances[static_cast<std::size_t>(a)]);
    }
    // The interpolation speed is the first axis' rate; the longest way runs at it.
    const int rate = settings_.pointSpeedRate(first, in.point - 1);
    if (rate < 1 || rate > 100) {
        machine.raiseAlarm(kPointAlarm);
        return Flow::End;
    }
    const double speed = pulseSpeed(first, rate);
    for (int a = 0; a < kPulseAxes; ++a) {
        if (!selected(in.axes, a)) continue;
        const double share = longest > 0 ? distances[static_cast<std::size_t>(a)] / longest : 1.0;
        const MoveSpeed s{wholeHz(speed * share), accelTime(first)};
        const MoveResult r = machine.moveAxis(a, MoveTarget::to(targets[static_cast<std::size_t>(a)]), s);
        if (!moveStarted(machine, r)) return Flow::End;
    }
    return waitForMotion(task, in.wait, in.axes, &targets);
}

TaskRunner::Flow TaskRunner::arc(Machine& machine, Task& task, const Instruction& in) {
    ArcPath path;
    int n = 0;
    for (int a = 0; a < kPulseAxes; ++a)
        if (selected(in.axes, a)) path.axes[static_cast<std::size_t>(n++)] = a;
    std::array<double, 2> s{}, v{}, e{};
    for (std::size_t i = 0; i < 2; ++i) {
        const int a = path.axes[i];
        if (machine.axisBusy(a)) return Flow::Retry;
        const auto via = pointTarget(machine, a, in.point, in.incremental);
        const auto end = pointTarget(machine, a, in.point2, in.incremental);
        if (!via || !end) {
            machine.raiseAlarm(kPointAlarm);
            return Flow::End;
        }
        s[i] = machine.axisValues(a).commandPosition;
        v[i] = *via;
        e[i] = *end;
        path.end[i] = *end;
    }
    const int rate = settings_.pointSpeedRate(path.axes[0], in.point - 1);
    if (rate < 1 || rate > 100) {
        machine.raiseAlarm(kPointAlarm);
        return Flow::End;
    }
    path.speed = pulseSpeed(path.axes[0], rate);

    // The circle through start, via point and end point.
    const double d = 2 * (s[0] * (v[1] - e[1]) + v[0] * (e[1] - s[1]) + e[0] * (s[1] - v[1]));
    if (std::abs(d) < 1e-9) {
        path.segments = 1;  // on one line: straight to the end point
    } else {
        const double ss = s[0] * s[0] + s[1] * s[1], vv = v[0] * v[0] + v[1] * v[1], ee = e[0] * e[0] + e[1] * e[1];
        path.center = {(ss * (v[1] - e[1]) + vv * (e[1] - s[1]) + ee * (s[1] - v[1])) / d,
                       (ss * (e[0] - v[0]) + vv * (s[0] - e[0]) + ee * (v[0] - s[0])) / d};
        path.radius = std::hypot(s[0] - path.center[0], s[1] - path.center[1]);
        auto angle = [&](const std::array<double, 2>& p) { return std::atan2(p[1] - path.center[1], p[0] - path.center[0]); };
        path.startAngle = angle(s);
        const double toEnd = normalised(angle(e) - path.startAngle);
        const double toVia = normalised(angle(v) - path.startAngle);
        // The way round that passes the via point.
        path.sweep = toVia < toEnd ? toEnd : toEnd - 2 * std::numbers::pi;
        path.segments = std::max(1, static_cast<int>(std::ceil(std::abs(path.sweep) / kArcSegment)));
    }
    task.wait.kind = Wait::Kind::Arc;
    task.wait.arc = path;
    nextArcSegment(machine, task.wait.arc);
    return Flow::Block;
}

// Sends the next chord of an arc once the last one is done; false when the arc is over.
bool TaskRunner::nextArcSegment(Machine& machine, ArcPath& arc) {
    if (machine.axisBusy(arc.axes[0]) || machine.axisBusy(arc.axes[1])) return true;
    if (arc.done >= arc.segments) return false;
    ++arc.done;
    std::array<double, 2> to{};
    if (arc.done == arc.segments) {
        to = {static_cast<double>(arc.end[0]), static_cast<double>(arc.end[1])};
    } else {
        const double angle = arc.startAngle + arc.sweep * arc.done / arc.segments;
        to = {arc.center[0] + arc.radius * std::cos(angle), arc.center[1] + arc.radius * std::sin(angle)};
    }
    std::array<double, 2> pulses{};
    for (std::size_t i = 0; i < 2; ++i)
        pulses[i] = std::abs(to[i] - machine.axisValues(arc.axes[i]).commandPosition) / unitsPerPulse(arc.axes[i]);
    const double chord = std::hypot(pulses[0], pulses[1]);
    for (std::size_t i = 0; i < 2; ++i) {
        const double share = chord > 0 ? pulses[i] / chord : 1.0;
        const MoveSpeed s{wholeHz(arc.speed * share), 0};
        const MoveResult r = machine.moveAxis(arc.axes[i], MoveTarget::to(static_cast<std::int32_t>(std::lround(to[i]))), s);
        if (!moveStarted(machine, r)) return false;
    }
    return true;
}

TaskRunner::Flow TaskRunner::home(Machine& machine, Task& task, const Instruction& in) {
    for (int a = 0; a < kPulseAxes; ++a)
        if (selected(in.axes, a) && machine.axisBusy(a)) return Flow::Retry;
    for (int a = 0; a < kPulseAxes; ++a) {
        if (!selected(in.axes, a)) continue;
        // The home-seeking speed, at the rate the program's HOME step set in the homing record.
        HomeRequest request = HomeRequest::fromSettings(settings_.pulseAxis(a));
        const int rate = settings_.pointSpeedRate(a, kHomingRecord);
        if (rate >= 1 && rate <= 100) request.speed = std::max<std::int32_t>(1, request.speed * rate / 100);
        const MoveResult r = machine.homeReturn(a, request);
        if (!moveStarted(machine, r)) return Flow::End;
    }
    return waitForMotion(task, in.wait, in.axes);
}

TaskRunner::Flow TaskRunner::networkMove(Machine& machine, Task& task, const Instruction& in) {
    const int axis = kPulseAxes + in.number;
    if (machine.axisBusy(axis)) return Flow::Retry;
    if (settings_.networkDriver(in.number).model == 0) {
        machine.raiseAlarm(kNetworkAlarm);  // no driver answers at that address
        return Flow::End;
    }
    MoveResult r;
    if (in.op == Op::NetHome) {
        r = machine.homeReturn(axis, HomeRequest{});
    } else {
        const NetworkPoint p = settings_.networkPoint(in.number, in.point - 1);
        if (p.speed < 1) {
            machine.raiseAlarm(kPointAlarm);
            return Flow::End;
        }
        const MoveSpeed speed{std::max<std::int32_t>(1, static_cast<std::int32_t>(static_cast<std::int64_t>(p.speed) * speedLevelPercent() / 100)),
                              p.accelTime};
        r = machine.moveAxis(axis, p.absolute ? MoveTarget::to(p.position) : MoveTarget::by(p.position), speed);
    }
    if (!moveStarted(machine, r)) return Flow::End;
    return waitForMotion(task, in.wait, 1u << axis);
}

}  // namespace vantrel
