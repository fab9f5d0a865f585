#include "sim/AxisMotion.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

// Below a millionth of a pulse two positions are the same.
constexpr double kEpsilon = 1e-6;
// Each phase change ends one pass of advance(); a move has at most four.
constexpr int kMaxPhases = 16;

}  // namespace

void AxisMotion::place(double position) {
    position_ = position;
    halt();
}

double AxisMotion::floorSpeed() const { return std::min(ramp_.startSpeed, ramp_.speed); }

void AxisMotion::moveTo(double target, const MotionRamp& ramp) {
    const int direction = target >= position_ ? 1 : -1;
    if (!moving_ || direction != direction_) speed_ = std::min(ramp.startSpeed, ramp.speed);
    ramp_ = ramp;
    direction_ = direction;
    target_ = target;
    targeted_ = true;
    moving_ = std::abs(target - position_) > kEpsilon;
    if (!moving_) finish();
}

void AxisMotion::jog(int direction, const MotionRamp& ramp) {
    direction = direction >= 0 ? 1 : -1;
    if (!moving_ || direction != direction_ || targeted_) speed_ = std::min(ramp.startSpeed, ramp.speed);
    ramp_ = ramp;
    direction_ = direction;
    targeted_ = false;
    moving_ = true;
}

double AxisMotion::stoppingDistance() const {
    const double floor = floorSpeed();
    if (!moving_ || ramp_.acceleration <= 0 || speed_ <= floor) return 0;
    return (speed_ * speed_ - floor * floor) / (2 * ramp_.acceleration);
}

void AxisMotion::decelerate() {
    if (!moving_) return;
    const double stopAt = position_ + direction_ * stoppingDistance();
    // A target nearer than the stopping point stays the target.
    if (targeted_ && (target_ - stopAt) * direction_ < 0) return;
    target_ = stopAt;
    targeted_ = true;
    if (std::abs(target_ - position_) <= kEpsilon) finish();
}

void AxisMotion::halt() {
    moving_ = false;
    targeted_ = false;
    speed_ = 0;
}

void AxisMotion::finish() {
    if (targeted_) position_ = target_;
    halt();
}

void AxisMotion::advance(double seconds) {
    double dt = seconds;
    for (int phase = 0; moving_ && dt > 0 && phase < kMaxPhases; ++phase) {
        const double a = ramp_.acceleration;
        const double top = ramp_.speed;
        if (a <= 0) speed_ = top;  // no ramp: at speed at once

        if (!targeted_) {
            // A JOG: ramp to the operating speed, then run.
            dt -= rampTowards(top, dt);
            if (speed_ == top && dt > 0) {
                position_ += direction_ * speed_ * dt;
                dt = 0;
            }
            continue;
        }

        const double remaining = (target_ - position_) * direction_;
        if (remaining <= kEpsilon) {
            finish();
            return;
        }
        if (a <= 0) {
            if (speed_ <= 0) {
                halt();  // no speed to move with
                return;
            }
            const double t = remaining / speed_;
            if (dt >= t) {
                finish();
                return;
            }
            position_ += direction_ * speed_ * dt;
            return;
        }
        const double braking = stoppingDistance();
        if (remaining <= braking + kEpsilon) {
            // Ramping down onto the target, arriving at the start speed.
            const double arrival = std::min(floorSpeed(), speed_);
            const double landing = 2 * remaining / (speed_ + arrival);
            if (dt >= landing) {
                finish();
                return;
            }
            const double rate = (speed_ * speed_ - arrival * arrival) / (2 * remaining);
            const double next = speed_ - rate * dt;
            position_ += direction_ * (speed_ + next) / 2 * dt;
            speed_ = next;
            return;
        }
        const double toBraking = remaining - braking;
        if (speed_ < top) {
            // Ramp up until the operating speed or the braking point, whichever comes first.
            const double toBrake = (-speed_ + std::sqrt(speed_ * speed_ + a * toBraking)) / a;
            dt -= rampTowards(top, std::min(dt, toBrake));
            continue;
        }
        if (speed_ > top) {
            dt -= rampTowards(top, dt);
            continue;
        }
        const double t = std::min(toBraking / speed_, dt);
        position_ += direction_ * speed_ * t;
        dt -= t;
    }
}

double AxisMotion::rampTowards(double speed, double limit) {
    const double a = ramp_.acceleration;
    if (a <= 0 || speed_ == speed || limit <= 0) return 0;
    const double sign = speed > speed_ ? 1.0 : -1.0;
    const double t = std::min(std::abs(speed - speed_) / a, limit);
    position_ += direction_ * (speed_ * t + sign * a * t * t / 2);
    speed_ = t * a >= std::abs(speed - speed_) ? speed : speed_ + sign * a * t;
    return t;
}

}  // namespace vantrel
