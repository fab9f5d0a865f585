#pragma once

// One pulse-train axis of the simulated machine: its motion in pulses, where
// its sensors sit, the driver's input bits and the home-seeking sequence.
//
// Two coordinates: the counter (the command position the controller counts
// and reports, reset by a home return) and the physical position along the
// machine, where the sensors are. physical = counter + shift.

#include <cstdint>
#include <optional>

#include "sim/AxisMotion.h"
#include "sim/MachineSettings.h"

namespace vantrel {

// Where the sensors of an axis sit, in physical pulses.
struct AxisSensors {
    // The home dog: HOMES is on between these two positions.
    std::optional<double> homeLow = -1000.0;
    std::optional<double> homeHigh = -900.0;
    // +LS is on at and above plusLimit, -LS at and below minusLimit. Until
    // placed by hand they sit a little outside the movable range.
    std::optional<double> plusLimit;
    std::optional<double> minusLimit;
    bool limitsFollowRange = true;
};

struct HomeRequest {
    std::int32_t speed = 0;       // Hz
    std::int32_t accelTime = 0;   // 0.01 s
    std::int32_t startSpeed = 0;  // Hz
    std::int32_t offset = 0;      // step
    std::uint8_t method = 0;      // 0 three sensors, 1 two sensors
    std::uint8_t direction = 0;   // 0 CCW (minus), 1 CW (plus)

    static HomeRequest fromSettings(const PulseAxisSettings& s);
};

class PulseAxisSim {
public:
    // Driver input bits.
    static constexpr std::uint8_t kReady = 0x01;
    static constexpr std::uint8_t kAlarm = 0x02;
    static constexpr std::uint8_t kTiming = 0x04;
    static constexpr std::uint8_t kInPosition = 0x08;
    static constexpr std::uint8_t kHomeEnd = 0x10;
    // Logical sensor states, in the bit places of the sensor logic byte.
    static constexpr std::uint8_t kHomesBit = 0x08;
    static constexpr std::uint8_t kPlusLimitBit = 0x04;
    static constexpr std::uint8_t kMinusLimitBit = 0x02;
    // Distance of the limit switches outside the movable range, in pulses.
    static constexpr double kLimitMargin = 1000.0;

    // Home seeking: three sensors run to the home dog (turning once at a limit
    // switch); two sensors run to the limit switch and back off it. Either
    // way the counter becomes 0 where the home was found, and the axis then
    // moves by the offset.
    enum class HomePhase { None, LeaveDog, SeekDog, SeekLimit, LeaveLimit, Offset };
    // How far two-sensor homing backs off the limit switch, in pulses.
    static constexpr double kBackOff = 100.0;

    AxisMotion motion;
    AxisSensors sensors;
    PulseAxisSettings settings;
    double shift = 0;  // physical - counter

    double counter() const { return motion.position(); }
    double physical() const { return motion.position() + shift; }
    double physicalOf(double counter) const { return counter + shift; }
    // Counter pulses to position units and back.
    double toUnits(double pulses) const { return pulses * settings.unitsPerPulse(); }
    double toPulses(double units) const { return units / settings.unitsPerPulse(); }

    // HOMES, +LS and -LS at a physical position (kHomesBit etc.).
    std::uint8_t sensorStates(double physicalPosition) const;
    // The limit switches follow the movable range unless placed by hand.
    void followRange(const AxisBounds& bounds);

    // Home seeking.
    HomePhase homePhase() const { return homePhase_; }
    bool homing() const { return homePhase_ != HomePhase::None; }
    const HomeRequest& homeRequest() const { return home_; }
    // Starts the sequence; false when the sensor it needs is missing.
    bool startHome(const HomeRequest& request);
    void endHome() { homePhase_ = HomePhase::None; }
    // Reacts to the sensors met on the way from `fromPhysical` to the present
    // position. Returns false when the home cannot be found.
    bool stepHome(double fromPhysical);
    MotionRamp homeRamp(double speed) const;

    // The direction a limit stopped the axis in, refused until its alarm is cleared.
    int blockedDirection = 0;

private:
    void setHome(double atPhysical);
    // Where a sensor edge lies between two physical positions, in travel order.
    static std::optional<double> edgeBetween(double from, double to, double edge);

    HomePhase homePhase_ = HomePhase::None;
    HomeRequest home_;
    bool reversed_ = false;
};

}  // namespace vantrel
