#pragma once

// The motion of one axis along its line, in pulses and pulses per second. A
// move starts at once at the start speed, ramps linearly up to its operating
// speed, cruises, and ramps down to the start speed where it stops on its
// target; a JOG has no target and runs until it is told to stop, when it ramps
// down the same way. Positions are doubles so that slow speeds and short steps
// add up without loss.

namespace vantrel {

struct MotionRamp {
    double startSpeed = 0;    // Hz, reached at once (limited to the operating speed)
    double speed = 0;         // operating speed, Hz
    double acceleration = 0;  // Hz per second; 0: the speed changes at once
};

class AxisMotion {
public:
    double position() const { return position_; }
    // Signed speed: positive towards larger positions.
    double velocity() const { return direction_ * speed_; }
    bool moving() const { return moving_; }
    int direction() const { return moving_ ? direction_ : 0; }
    bool hasTarget() const { return moving_ && targeted_; }
    double target() const { return target_; }

    // Puts the axis at `position`, standing.
    void place(double position);
    // Starts towards `target`; an axis already moving the same way keeps its speed.
    void moveTo(double target, const MotionRamp& ramp);
    // Runs in `direction` (+1 or -1) without a target; a JOG already running
    // the same way takes the new speed and ramp.
    void jog(int direction, const MotionRamp& ramp);
    // Ramps down and stops as soon as the ramp allows.
    void decelerate();
    // Stops where it is.
    void halt();
    // Moves on by `seconds`.
    void advance(double seconds);
    // Distance the axis needs to ramp down from its present speed.
    double stoppingDistance() const;

private:
    double floorSpeed() const;
    void finish();
    // Ramps the speed towards `speed` for at most `limit` seconds; the time taken.
    double rampTowards(double speed, double limit);

    double position_ = 0;
    double speed_ = 0;  // magnitude
    int direction_ = 1;
    bool moving_ = false;
    bool targeted_ = false;
    double target_ = 0;
    MotionRamp ramp_;
};

}  // namespace vantrel
