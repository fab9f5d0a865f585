#include "sim/PulseAxisSim.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

HomeRequest HomeRequest::fromSettings(const PulseAxisSettings& s) {
    HomeRequest r;
    r.speed = static_cast<std::int32_t>(std::min<std::uint32_t>(s.homeSpeed, 1000000));
    r.accelTime = static_cast<std::int32_t>(std::min<std::uint32_t>(s.homeAccelTime, 100000));
    r.startSpeed = static_cast<std::int32_t>(std::min<std::uint32_t>(s.homeStartSpeed, 1000000));
    r.offset = s.homeOffset;
    r.method = s.homeMethod;
    r.direction = s.homeDirection;
    return r;
}

std::uint8_t PulseAxisSim::sensorStates(double p) const {
    std::uint8_t states = 0;
    if (sensors.homeLow && sensors.homeHigh && p >= *sensors.homeLow && p <= *sensors.homeHigh) states |= kHomesBit;
    if (sensors.plusLimit && p >= *sensors.plusLimit) states |= kPlusLimitBit;
    if (sensors.minusLimit && p <= *sensors.minusLimit) states |= kMinusLimitBit;
    return states;
}

void PulseAxisSim::followRange(const AxisBounds& bounds) {
    if (!sensors.limitsFollowRange) return;
    // Without a movable range the switches sit at the ends of the position scale.
    constexpr double kScaleEnd = 8000000.0;
    const double max = bounds.movable ? bounds.movable->max : kScaleEnd;
    const double min = bounds.movable ? bounds.movable->min : -kScaleEnd;
    // The range is in counter units; before any home return counter and physical coincide.
    sensors.plusLimit = toPulses(max) + kLimitMargin;
    sensors.minusLimit = toPulses(min) - kLimitMargin;
}

MotionRamp PulseAxisSim::homeRamp(double speed) const {
    MotionRamp ramp;
    ramp.speed = speed;
    ramp.startSpeed = std::min<double>(home_.startSpeed, speed);
    ramp.acceleration = home_.accelTime > 0 ? (speed - ramp.startSpeed) / (home_.accelTime / 100.0) : 0;
    return ramp;
}

bool PulseAxisSim::startHome(const HomeRequest& request) {
    home_ = request;
    reversed_ = false;
    const int d = request.direction != 0 ? 1 : -1;
    if (request.method == 1) {
        const auto& limit = d > 0 ? sensors.plusLimit : sensors.minusLimit;
        if (!limit) return false;
        homePhase_ = HomePhase::SeekLimit;
        motion.jog(d, homeRamp(home_.speed));
        return true;
    }
    if (!sensors.homeLow || !sensors.homeHigh) return false;
    if (sensorStates(physical()) & kHomesBit) {
        // Starting on the dog: leave it backwards first, so it is met from the right side.
        homePhase_ = HomePhase::LeaveDog;
        motion.jog(-d, homeRamp(std::max<double>(1, home_.startSpeed)));
    } else {
        homePhase_ = HomePhase::SeekDog;
        motion.jog(d, homeRamp(home_.speed));
    }
    return true;
}

std::optional<double> PulseAxisSim::edgeBetween(double from, double to, double edge) {
    if ((from < edge && to >= edge) || (from > edge && to <= edge)) return edge;
    return std::nullopt;
}

void PulseAxisSim::setHome(double atPhysical) {
    shift = atPhysical;
    motion.place(0);
    if (home_.offset == 0) {
        homePhase_ = HomePhase::None;
        return;
    }
    homePhase_ = HomePhase::Offset;
    const double speed = std::max<double>(1, home_.startSpeed);
    MotionRamp ramp;
    ramp.speed = speed;
    ramp.startSpeed = speed;
    motion.moveTo(home_.offset, ramp);
}

bool PulseAxisSim::stepHome(double from) {
    const double to = physical();
    const int d = home_.direction != 0 ? 1 : -1;
    switch (homePhase_) {
    case HomePhase::LeaveDog:
        if (!(sensorStates(to) & kHomesBit)) {
            homePhase_ = HomePhase::SeekDog;
            motion.jog(d, homeRamp(home_.speed));
        }
        return true;
    case HomePhase::SeekDog: {
        const int travel = to >= from ? 1 : -1;
        const double entry = travel > 0 ? *sensors.homeLow : *sensors.homeHigh;
        if (auto at = edgeBetween(from, to, entry)) {
            setHome(*at);
            return true;
        }
        const auto& limit = travel > 0 ? sensors.plusLimit : sensors.minusLimit;
        if (limit && edgeBetween(from, to, *limit)) {
            if (reversed_) return false;  // both ends reached without the dog
            reversed_ = true;
            motion.place(*limit - shift);
            motion.jog(-travel, homeRamp(home_.speed));
        }
        return true;
    }
    case HomePhase::SeekLimit: {
        const auto& limit = d > 0 ? sensors.plusLimit : sensors.minusLimit;
        if (limit && edgeBetween(from, to, *limit)) {
            motion.place(*limit - shift);
            homePhase_ = HomePhase::LeaveLimit;
            MotionRamp ramp;
            ramp.speed = ramp.startSpeed = std::max<double>(1, home_.startSpeed);
            motion.moveTo(counter() - d * kBackOff, ramp);
        }
        return true;
    }
    case HomePhase::LeaveLimit:
        if (!motion.moving()) setHome(to);
        return true;
    case HomePhase::Offset:
        if (!motion.moving()) homePhase_ = HomePhase::None;
        return true;
    case HomePhase::None: return true;
    }
    return true;
}

}  // namespace vantrel
