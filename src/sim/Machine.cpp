#include "sim/Machine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel {

namespace {

// The longest step of simulated time between two looks at the sensors and limits.
constexpr double kSliceSeconds = 0.005;
// Steps of one advance at most; longer advances take longer steps.
constexpr double kMaxSlices = 100000;
// The instant model runs a home search to its end in steps of this length, at most kSettleSteps of them.
constexpr double kSettleSeconds = 3600;
constexpr int kSettleSteps = 1000;
// Positions within this many units of a bound are on it.
constexpr double kBoundTolerance = 1e-6;

std::int32_t reportValue(double v) {
    // Truncated towards zero, with a margin for the rounding of the motion sums.
    const double nudged = v + (v >= 0 ? 1e-6 : -1e-6);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!(nudged > lo)) return std::numeric_limits<std::int32_t>::min();
    if (!(nudged < hi)) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(nudged));
}

}  // namespace

Machine::Machine(const ControllerMemory& memory) : settings_(memory) { reloadSettings(); }

void Machine::reloadSettings() {
    refreshSettings();
    for (int a = 0; a < kPulseAxes; ++a) reportSensors(a);
}

Machine::~Machine() = default;

void Machine::setMotionModel(MotionModel model) {
    model_ = model;
    for (int a = 0; a < kAxes; ++a) stopAxis(a);
}

void Machine::refreshSettings() {
    for (int a = 0; a < kPulseAxes; ++a) {
        PulseAxisSim& p = pulse(a);
        p.settings = settings_.pulseAxis(a);
        bounds_[static_cast<std::size_t>(a)] = settings_.bounds(a);
        p.followRange(bounds_[static_cast<std::size_t>(a)]);
        updateExcitation(a);  // a model chosen or changed
        // The sensor word changes when a sensor or its logic does, not on every request.
        const std::uint8_t logic = settings_.sensorLogic(a);
        const std::uint8_t states = p.sensorStates(p.physical());
        auto& seen = seenSensors_[static_cast<std::size_t>(a)];
        if (logic != sensorLogic_[static_cast<std::size_t>(a)] || states != seen) {
            sensorLogic_[static_cast<std::size_t>(a)] = logic;
            reportSensors(a);
        }
    }
}

void Machine::advanceTo(std::int64_t nowMillis) {
    if (!started_) {
        now_ = nowMillis;
        started_ = true;
    }
    refreshSettings();
    if (nowMillis > now_) {
        if (model_ == MotionModel::Timed) {
            double elapsed = 0;
            const double total = static_cast<double>(nowMillis - now_) / 1000.0;
            const double slice = std::max(kSliceSeconds, total / kMaxSlices);
            auto anyMoving = [&] {
                for (int a = 0; a < kAxes; ++a)
                    if (axisBusy(a)) return true;
                return false;
            };
            while (elapsed < total && anyMoving()) {
                const double dt = std::min(slice, total - elapsed);
                step(dt);
                elapsed += dt;
                // A JOG nobody asks for any more ramps down.
                const double at = static_cast<double>(now_) + elapsed * 1000.0;
                for (int a = 0; a < kAxes; ++a)
                    if (timedJogging(a) && static_cast<double>(jogUntil_[static_cast<std::size_t>(a)]) <= at)
                        motionOf(a).decelerate();
            }
        } else {
            // An instant JOG's speed falls back to 0 once its requests stop.
            for (int a = 0; a < kAxes; ++a) {
                if (instantJogging(a) && nowMillis - instantJogs_[static_cast<std::size_t>(a)].millis > kJogGapMillis) {
                    endInstantJog(a);
                    report(a);
                }
            }
        }
        now_ = nowMillis;
    }
    if (runner_) runner_->advance(*this, now_);
}

void Machine::step(double seconds) {
    for (int a = 0; a < kPulseAxes; ++a) {
        PulseAxisSim& p = pulse(a);
        // A home sequence between two of its moves still takes its next step.
        if (!p.motion.moving() && !p.homing()) continue;
        const double from = p.counter();
        p.motion.advance(seconds);
        afterPulseMotion(a, from);
    }
    for (int d = 0; d < kNetworkDrivers; ++d) {
        NetworkDriverSim& n = network_[static_cast<std::size_t>(d)];
        if (!n.motion.moving()) continue;
        n.motion.advance(seconds);
        afterNetworkMotion(d);
    }
}

void Machine::settle() {
    for (int i = 0; i < kSettleSteps; ++i) {
        bool moving = false;
        for (int a = 0; a < kAxes; ++a) moving = moving || axisBusy(a);
        if (!moving) return;
        step(kSettleSeconds);
    }
    // Still searching after all that: the home is not to be found.
    for (int a = 0; a < kPulseAxes; ++a) {
        if (pulse(a).homing()) {
            pulse(a).endHome();
            pulse(a).motion.halt();
            raiseAlarm(kHomeNotFoundAlarm);
        }
    }
}

void Machine::afterPulseMotion(int axis, double from) {
    PulseAxisSim& p = pulse(axis);
    const bool wasHoming = p.homing();
    if (wasHoming && p.homePhase() != PulseAxisSim::HomePhase::Offset) {
        // The search runs over the limit switches on purpose and ignores the movable range.
        if (!p.stepHome(p.physicalOf(from))) {
            p.endHome();
            p.motion.halt();
            report(axis);
            raiseAlarm(kHomeNotFoundAlarm);
            return;
        }
    } else {
        const double to = p.counter();
        if (auto crossing = firstLimit(axis, from, to)) {
            stopAt(axis, *crossing, to >= from ? 1 : -1);
            return;
        }
        if (wasHoming) p.stepHome(p.physicalOf(from));
    }
    if (wasHoming && !p.homing()) status_.driverInputs[static_cast<std::size_t>(axis)] |= PulseAxisSim::kHomeEnd;
    report(axis);
}

bool Machine::insideArea(int axis, int area, double counterPulses) const {
    const auto& range = bounds_[static_cast<std::size_t>(axis)].areas[static_cast<std::size_t>(area)];
    if (!range) return false;
    const double units = pulse(axis).toUnits(counterPulses);
    return units >= range->min - kBoundTolerance && units <= range->max + kBoundTolerance;
}

std::optional<Machine::Crossing> Machine::firstLimit(int axis, double from, double to) const {
    const PulseAxisSim& p = pulse(axis);
    const int d = to > from ? 1 : (to < from ? -1 : 0);
    if (d == 0) return std::nullopt;
    std::optional<Crossing> best;
    auto consider = [&](double at, std::uint8_t alarm) {
        if (!best || (at - from) * d < (best->at - from) * d) best = Crossing{at, alarm};
    };
    // Leaving the movable range.
    if (const auto& range = bounds_[static_cast<std::size_t>(axis)].movable) {
        const double edge = p.toPulses(d > 0 ? range->max : range->min);
        if ((to - edge) * d > kBoundTolerance) consider((from - edge) * d > 0 ? from : edge, kAreaOverAlarm);
    }
    // Reaching a limit switch.
    if (const auto& limit = d > 0 ? p.sensors.plusLimit : p.sensors.minusLimit) {
        const double edge = *limit - p.shift;
        if ((to - edge) * d >= 0) consider((from - edge) * d >= 0 ? from : edge, kLimitSensorAlarm);
    }
    // Entering a prohibited area while every other axis it is set on is inside its own part.
    for (int k = 0; k < static_cast<int>(AxisBounds{}.areas.size()); ++k) {
        const auto& range = bounds_[static_cast<std::size_t>(axis)].areas[static_cast<std::size_t>(k)];
        if (!range) continue;
        bool othersInside = true;
        for (int b = 0; b < kPulseAxes && othersInside; ++b) {
            if (b == axis || !bounds_[static_cast<std::size_t>(b)].areas[static_cast<std::size_t>(k)]) continue;
            othersInside = insideArea(b, k, pulse(b).counter());
        }
        if (!othersInside) continue;
        const double edge = p.toPulses(d > 0 ? range->min : range->max);
        if ((edge - from) * d > kBoundTolerance && (to - edge) * d >= 0) consider(edge, kProhibitedAreaAlarm);
    }
    return best;
}

void Machine::stopAt(int axis, const Crossing& crossing, int direction) {
    PulseAxisSim& p = pulse(axis);
    p.motion.place(crossing.at);
    p.endHome();
    p.blockedDirection = direction;
    endInstantJog(axis);
    report(axis);
    raiseAlarm(crossing.alarm);
}

void Machine::afterNetworkMotion(int driver) {
    NetworkDriverSim& n = network_[static_cast<std::size_t>(driver)];
    auto& status = status_.networkDrivers[static_cast<std::size_t>(driver)].status;
    if (n.homing && !n.motion.moving()) {
        n.homing = false;
        status |= NetworkDriverSim::kHomeEnd;
    }
    report(kPulseAxes + driver);
}

void Machine::report(int axis) {
    if (isPulse(axis)) {
        const PulseAxisSim& p = pulse(axis);
        SimAxisValues& v = status_.pulseAxes[static_cast<std::size_t>(axis)];
        v.commandPosition = reportValue(p.toUnits(p.counter()));
        v.detectedPosition = v.commandPosition;
        const InstantJog& held = instantJogs_[static_cast<std::size_t>(axis)];
        const double speed = held.direction != 0 ? held.direction * held.speed : p.motion.velocity();
        v.commandSpeed = reportValue(std::round(speed));
        v.detectedSpeed = v.commandSpeed;
        std::uint8_t& bits = status_.driverInputs[static_cast<std::size_t>(axis)];
        const bool moving = p.motion.moving() || held.direction != 0;
        bits = static_cast<std::uint8_t>(moving ? bits & ~PulseAxisSim::kInPosition : bits | PulseAxisSim::kInPosition);
        // TIM: once every 1/50 revolution of the motor.
        const long long every = std::max(1, p.settings.resolution / 50);
        const long long at = std::llround(std::clamp(p.physical(), -1e15, 1e15));
        bits = static_cast<std::uint8_t>(at % every == 0 ? bits | PulseAxisSim::kTiming : bits & ~PulseAxisSim::kTiming);
        if (p.sensorStates(p.physical()) != seenSensors_[static_cast<std::size_t>(axis)]) reportSensors(axis);
        return;
    }
    if (!isNetwork(axis)) return;
    const NetworkDriverSim& n = driverOf(axis);
    SimNetworkDriver& r = status_.networkDrivers[static_cast<std::size_t>(axis - kPulseAxes)];
    r.values.commandPosition = reportValue(n.motion.position());
    r.values.detectedPosition = r.values.commandPosition;
    const InstantJog& held = instantJogs_[static_cast<std::size_t>(axis)];
    const double speed = held.direction != 0 ? held.direction * held.speed : n.motion.velocity();
    r.values.commandSpeed = NetworkDriverSim::speedInRpm(std::clamp(speed, -1e9, 1e9));
    r.values.detectedSpeed = r.values.commandSpeed;
    const bool moving = n.motion.moving() || held.direction != 0;
    r.status = moving ? r.status | NetworkDriverSim::kMoving : r.status & ~NetworkDriverSim::kMoving;
}

void Machine::reportSensors(int axis) {
    const PulseAxisSim& p = pulse(axis);
    const std::uint8_t states = p.sensorStates(p.physical());
    seenSensors_[static_cast<std::size_t>(axis)] = states;
    // The inputs as wired: a contact-B sensor's input is on while the sensor is not.
    const std::uint8_t logic = sensorLogic_[static_cast<std::size_t>(axis)] &
                               (PulseAxisSim::kHomesBit | PulseAxisSim::kPlusLimitBit | PulseAxisSim::kMinusLimitBit);
    const auto level = static_cast<std::uint16_t>((states ^ logic) & 0x0F);
    const int shift = kSensorNibbleShift[static_cast<std::size_t>(axis)];
    status_.sensorInputs = static_cast<std::uint16_t>((status_.sensorInputs & ~(0x0F << shift)) | (level << shift));
}

}  // namespace vantrel
