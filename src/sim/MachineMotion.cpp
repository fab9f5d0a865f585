// The motion commands of the machine: moves, JOG, home return, test runs, stops.

#include "sim/Machine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantrel {

namespace {

// The first request of an instant JOG stands for one tick of the JOG button.
constexpr std::int64_t kJogTickMillis = 50;
// Network drivers take speeds up to this many Hz.
constexpr double kNetworkMaxSpeed = 1000000;
// A network driver's home return without a speed of its own runs at this many Hz.
constexpr std::int32_t kNetworkHomeSpeed = 1000;

}  // namespace

bool Machine::pulseExcited(int axis) const {
    const std::uint8_t out = driverOutputs_[static_cast<std::size_t>(axis)];
    if (out & kFreeOutput) return false;
    const bool on = (out & kExciteOutput) != 0;
    return pulse(axis).settings.excitedByOutput() ? on : !on;
}

bool Machine::mayMove(int axis, int direction) const {
    if (status_.hostInputs & kExtStop) return false;
    if (isPulse(axis)) {
        const PulseAxisSim& p = pulse(axis);
        if (status_.driverInputs[static_cast<std::size_t>(axis)] & PulseAxisSim::kAlarm) return false;
        if (!pulseExcited(axis)) return false;
        // Not further into the limit that stopped the axis while its alarm stands.
        if (p.blockedDirection != 0 && alarm_ != 0 && (direction == 0 || direction == p.blockedDirection)) return false;
        return true;
    }
    if (!isNetwork(axis)) return false;
    const SimNetworkDriver& r = status_.networkDrivers[static_cast<std::size_t>(axis - kPulseAxes)];
    return r.alarmCode == 0 && NetworkDriverSim::excited(r.inputs);
}

MoveResult Machine::checkSpeed(int axis, const MoveSpeed& speed) {
    if (speed.speed < 1) return MoveResult::Refused;
    const double max = isPulse(axis) ? pulse(axis).settings.maxSpeed() : kNetworkMaxSpeed;
    if (max > 0 && speed.speed > max) {
        raiseAlarm(kSpeedOverAlarm);
        return MoveResult::Alarm;
    }
    return MoveResult::Started;
}

MotionRamp Machine::ramp(int axis, const MoveSpeed& speed) const {
    MotionRamp r;
    r.speed = speed.speed;
    // Pulse motors start at their start speed; network drivers ramp from standstill.
    r.startSpeed = isPulse(axis) ? std::min<double>(pulse(axis).settings.startSpeed, r.speed) : 0.0;
    const double seconds = std::max(0, speed.accelTime) / (isPulse(axis) ? 100.0 : 1000.0);
    r.acceleration = seconds > 0 ? (r.speed - r.startSpeed) / seconds : 0.0;
    return r;
}

bool Machine::axisBusy(int axis) const {
    if (isPulse(axis)) return pulse(axis).motion.moving() || pulse(axis).homing();
    if (isNetwork(axis)) return driverOf(axis).motion.moving();
    return false;
}

SimAxisValues Machine::axisValues(int axis) const {
    if (isPulse(axis)) return status_.pulseAxes[static_cast<std::size_t>(axis)];
    if (isNetwork(axis)) return status_.networkDrivers[static_cast<std::size_t>(axis - kPulseAxes)].values;
    return {};
}

double Machine::physicalPosition(int axis) const {
    return isPulse(axis) ? pulse(axis).toUnits(pulse(axis).physical()) : 0.0;
}

MoveResult Machine::moveAxis(int axis, MoveTarget target, MoveSpeed speed) {
    if (isPulse(axis)) {
        const PulseAxisSim& p = pulse(axis);
        const double units = target.absolute ? target.value : p.toUnits(p.counter()) + target.value;
        // A move whose end lies outside the movable range is refused as a point setting error.
        if (const auto& range = bounds_[static_cast<std::size_t>(axis)].movable; range && !range->contains(units)) {
            raiseAlarm(kPointAlarm);
            return MoveResult::Alarm;
        }
        return startTargetMove(axis, p.toPulses(units), speed);
    }
    if (isNetwork(axis)) {
        const double position = target.absolute ? target.value : driverOf(axis).motion.position() + target.value;
        return startTargetMove(axis, position, speed);
    }
    return MoveResult::Refused;
}

MoveResult Machine::startTargetMove(int axis, double target, const MoveSpeed& speed) {
    if (const MoveResult r = checkSpeed(axis, speed); r != MoveResult::Started) return r;
    if (axisBusy(axis)) return MoveResult::Refused;
    AxisMotion& m = motionOf(axis);
    const int direction = target > m.position() ? 1 : (target < m.position() ? -1 : 0);
    if (!mayMove(axis, direction)) return MoveResult::Refused;
    endInstantJog(axis);
    if (model_ == MotionModel::Instant) {
        const double from = m.position();
        m.place(target);
        if (isPulse(axis))
            afterPulseMotion(axis, from);
        else
            report(axis);
        return MoveResult::Started;
    }
    m.moveTo(target, ramp(axis, speed));
    report(axis);
    return MoveResult::Started;
}

MoveResult Machine::jog(int axis, int direction, MoveSpeed speed) {
    if (!isPulse(axis) && !isNetwork(axis)) return MoveResult::Refused;
    direction = direction >= 0 ? 1 : -1;
    if (const MoveResult r = checkSpeed(axis, speed); r != MoveResult::Started) return r;
    if (!mayMove(axis, direction)) return MoveResult::Refused;
    if (model_ == MotionModel::Instant) return instantJog(axis, direction, speed);
    if (isPulse(axis) && pulse(axis).homing()) return MoveResult::Refused;
    AxisMotion& m = motionOf(axis);
    if (m.hasTarget()) return MoveResult::Refused;  // a move (or a stop) is under way
    if (m.moving() && m.direction() != direction) {
        // The other button while running: stop first; the requests that follow start the new way.
        m.decelerate();
        report(axis);
        return MoveResult::Refused;
    }
    m.jog(direction, ramp(axis, speed));
    jogUntil_[static_cast<std::size_t>(axis)] = now_ + kJogGapMillis;
    report(axis);
    return MoveResult::Started;
}

MoveResult Machine::instantJog(int axis, int direction, const MoveSpeed& speed) {
    // The first request stands for one tick; each further one for the time since the one before.
    InstantJog& held = instantJogs_[static_cast<std::size_t>(axis)];
    std::int64_t elapsed = kJogTickMillis;
    if (held.direction == direction && now_ >= held.millis && now_ - held.millis <= kJogGapMillis)
        elapsed = now_ - held.millis;
    held = InstantJog{direction, now_, static_cast<double>(speed.speed)};
    AxisMotion& m = motionOf(axis);
    const double from = m.position();
    m.place(from + direction * static_cast<double>(speed.speed) * static_cast<double>(elapsed) / 1000.0);
    if (isPulse(axis))
        afterPulseMotion(axis, from);
    else
        report(axis);
    return MoveResult::Started;
}

void Machine::haltAxis(int axis) {
    if (isPulse(axis)) {
        pulse(axis).endHome();
        pulse(axis).motion.halt();
    } else if (isNetwork(axis)) {
        driverOf(axis).homing = false;
        driverOf(axis).motion.halt();
    } else {
        return;
    }
    endInstantJog(axis);
    report(axis);
}

void Machine::releaseJog() {
    for (int a = 0; a < kAxes; ++a) {
        if (instantJogging(a)) {
            endInstantJog(a);
            report(a);
        }
        if (timedJogging(a)) motionOf(a).decelerate();
    }
}

bool Machine::timedJogging(int axis) {
    const AxisMotion& m = motionOf(axis);
    return m.moving() && !m.hasTarget() && !(isPulse(axis) && pulse(axis).homing());
}

MoveResult Machine::homeReturn(int axis) {
    if (!isPulse(axis)) return homeReturn(axis, HomeRequest{});
    return homeReturn(axis, HomeRequest::fromSettings(pulse(axis).settings));
}

MoveResult Machine::homeReturn(int axis, const HomeRequest& request) {
    if (isNetwork(axis)) {
        // A network driver returns to its step 0.
        NetworkDriverSim& n = driverOf(axis);
        if (axisBusy(axis)) return MoveResult::Refused;
        const MoveSpeed speed{request.speed > 0 ? request.speed : kNetworkHomeSpeed, request.accelTime};
        auto& status = status_.networkDrivers[static_cast<std::size_t>(axis - kPulseAxes)].status;
        status &= ~NetworkDriverSim::kHomeEnd;
        if (const MoveResult r = startTargetMove(axis, 0, speed); r != MoveResult::Started) return r;
        n.homing = true;
        if (model_ == MotionModel::Instant || !n.motion.moving()) afterNetworkMotion(axis - kPulseAxes);
        return MoveResult::Started;
    }
    if (!isPulse(axis)) return MoveResult::Refused;
    PulseAxisSim& p = pulse(axis);
    if ((status_.hostInputs & kExtStop) || axisBusy(axis) || (p.blockedDirection != 0 && alarm_ != 0))
        return MoveResult::Refused;
    if ((status_.driverInputs[static_cast<std::size_t>(axis)] & PulseAxisSim::kAlarm) || !pulseExcited(axis)) {
        raiseAlarm(kHomeReturnAlarm);  // the driver cannot run the sequence
        return MoveResult::Alarm;
    }
    if (const MoveResult r = checkSpeed(axis, {request.speed, request.accelTime}); r != MoveResult::Started) return r;
    endInstantJog(axis);
    status_.driverInputs[static_cast<std::size_t>(axis)] &= static_cast<std::uint8_t>(~PulseAxisSim::kHomeEnd);
    if (!p.startHome(request)) {
        report(axis);
        raiseAlarm(kHomeNotFoundAlarm);
        return MoveResult::Alarm;
    }
    report(axis);
    if (model_ == MotionModel::Instant) settle();
    return MoveResult::Started;
}

MoveResult Machine::testRun(int axis, int point, MoveSpeed speed) {
    if (isPulse(axis)) {
        const auto position = settings_.position(axis, point - 1);
        if (!position) {
            raiseAlarm(kPointAlarm);
            return MoveResult::Alarm;
        }
        return moveAxis(axis, MoveTarget::to(*position), speed);
    }
    if (isNetwork(axis)) {
        if (point < 1 || point > 100) {
            raiseAlarm(kPointAlarm);
            return MoveResult::Alarm;
        }
        const NetworkPoint p = settings_.networkPoint(axis - kPulseAxes, point - 1);
        return moveAxis(axis, p.absolute ? MoveTarget::to(p.position) : MoveTarget::by(p.position), speed);
    }
    return MoveResult::Refused;
}

void Machine::stopAxis(int axis) {
    if (isPulse(axis)) {
        PulseAxisSim& p = pulse(axis);
        endInstantJog(axis);
        p.endHome();
        p.motion.decelerate();
        report(axis);
    } else if (isNetwork(axis)) {
        NetworkDriverSim& n = driverOf(axis);
        endInstantJog(axis);
        n.homing = false;
        n.motion.decelerate();
        report(axis);
    }
}

void Machine::stopAll() {
    for (int a = 0; a < kAxes; ++a) stopAxis(a);
}

void Machine::presetPosition(int axis) {
    if (axisBusy(axis)) return;
    if (isPulse(axis)) {
        // The counter restarts at 0 where the axis stands; its sensors stay where they are.
        PulseAxisSim& p = pulse(axis);
        p.shift = p.physical();
        p.motion.place(0);
    } else if (isNetwork(axis)) {
        driverOf(axis).motion.place(0);
    } else {
        return;
    }
    report(axis);
}

void Machine::placeHomeDog(int axis, std::optional<std::int32_t> low, std::optional<std::int32_t> high) {
    if (!isPulse(axis)) return;
    PulseAxisSim& p = pulse(axis);
    p.sensors.homeLow = low ? std::optional<double>(p.toPulses(*low)) : std::nullopt;
    p.sensors.homeHigh = high ? std::optional<double>(p.toPulses(*high)) : std::nullopt;
    if (p.sensors.homeLow && p.sensors.homeHigh && *p.sensors.homeLow > *p.sensors.homeHigh)
        std::swap(*p.sensors.homeLow, *p.sensors.homeHigh);
    reportSensors(axis);
}

void Machine::placeLimits(int axis, std::optional<std::int32_t> minus, std::optional<std::int32_t> plus) {
    if (!isPulse(axis)) return;
    PulseAxisSim& p = pulse(axis);
    p.sensors.limitsFollowRange = false;
    p.sensors.minusLimit = minus ? std::optional<double>(p.toPulses(*minus)) : std::nullopt;
    p.sensors.plusLimit = plus ? std::optional<double>(p.toPulses(*plus)) : std::nullopt;
    reportSensors(axis);
}

void Machine::followRangeWithLimits(int axis) {
    if (!isPulse(axis)) return;
    pulse(axis).sensors.limitsFollowRange = true;
    pulse(axis).followRange(bounds_[static_cast<std::size_t>(axis)]);
    reportSensors(axis);
}

}  // namespace vantrel
