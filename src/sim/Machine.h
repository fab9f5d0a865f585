#pragma once

// The machine behind the simulated controller: four pulse-train axes with
// their sensors, limits and drivers, sixteen network drivers, the general and
// host I/O with a wiring table, the alarm with its history, and the run state
// of the eight tasks. It has no thread of its own: the controller advances it
// to the time of each request (advanceTo), so a test that drives the clock
// drives the machine.
//
// Axes are numbered as the JOG request numbers them: 0..3 pulse axes 1..4,
// 4..19 network drivers 1..16. Positions are in the axis' position unit (0.01
// mm, 0.01 deg or step; steps for network drivers), speeds in Hz.
//
// What it reports lives in one SimStatus that events update (a move starting
// or ending, a sensor reached, an output switched), so values set there by
// setStatus stay until the machine itself changes them.

#include <array>
#include <cstdint>
#include <memory>

#include "sim/ControllerMemory.h"
#include "sim/MachineSettings.h"
#include "sim/NetworkDriverSim.h"
#include "sim/PulseAxisSim.h"
#include "sim/SimStatus.h"

namespace vantrel {

class Machine;

enum class MotionModel {
    // A move is done the moment it is asked; a held JOG moves at its speed for
    // the time between its requests (the first standing for one 50 ms tick).
    Instant,
    // Moves take the time their speed and acceleration give.
    Timed,
};

enum class MoveResult {
    Started,  // accepted (a move that is already done counts too)
    Refused,  // nothing moves: unknown or released axis, external stop, blocked direction, busy, no speed
    Alarm,    // refused with an alarm (see alarmCode())
};

// Speed of a move: Hz, and the time from start speed to speed (pulse axes in
// 0.01 s, network drivers in ms; 0: at once).
struct MoveSpeed {
    std::int32_t speed = 0;
    std::int32_t accelTime = 0;
};

// Where a move goes: to a position or by a distance, in the axis' position unit.
struct MoveTarget {
    bool absolute = true;
    std::int32_t value = 0;
    static MoveTarget to(std::int32_t position) { return {true, position}; }
    static MoveTarget by(std::int32_t distance) { return {false, distance}; }
};

// What runs the programs of the eight tasks. The machine tells it when the
// run starts and stops and gives it the time on every advance; it moves axes
// and switches outputs through the machine's entry points.
class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    virtual void start(Machine& machine) = 0;
    virtual void stop(Machine& machine) = 0;
    virtual void advance(Machine& machine, std::int64_t nowMillis) = 0;
};

class Machine {
public:
    static constexpr int kPulseAxes = 4;
    static constexpr int kNetworkDrivers = 16;
    static constexpr int kAxes = kPulseAxes + kNetworkDrivers;
    static constexpr int kGeneralInputs = 16;
    static constexpr int kTasks = 8;

    // Host input bits.
    static constexpr std::uint16_t kExtStop = 0x1;
    static constexpr std::uint16_t kPrgStart = 0x2;
    static constexpr std::uint16_t kPrgStop = 0x4;
    static constexpr std::uint16_t kAlmRst = 0x8;
    // Host output bits the controller drives while a run mode is on.
    static constexpr std::uint16_t kAlmOut = 0x1;
    static constexpr std::uint16_t kPrgRunOut = 0x2;
    static constexpr std::uint16_t kPrgReadyOut = 0x4;
    // Driver output bits (what the PC switches for a pulse axis).
    static constexpr std::uint8_t kExciteOutput = 0x01;  // C-ON / S-ON, or AWO by the model
    static constexpr std::uint8_t kAlarmResetOutput = 0x02;
    static constexpr std::uint8_t kFreeOutput = 0x04;

    // Alarms the machine raises itself.
    static constexpr std::uint8_t kLimitSensorAlarm = 23;
    static constexpr std::uint8_t kAreaOverAlarm = 24;
    static constexpr std::uint8_t kProhibitedAreaAlarm = 25;
    static constexpr std::uint8_t kHomeNotFoundAlarm = 27;
    static constexpr std::uint8_t kHomeReturnAlarm = 29;
    static constexpr std::uint8_t kPointAlarm = 33;
    static constexpr std::uint8_t kSpeedOverAlarm = 34;

    explicit Machine(const ControllerMemory& memory);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    MotionModel motionModel() const { return model_; }
    void setMotionModel(MotionModel model);

    // Reads the settings again after the controller's memory was replaced whole.
    void reloadSettings();
    // Moves everything on to `nowMillis` (a monotonic clock); earlier times are ignored.
    void advanceTo(std::int64_t nowMillis);
    std::int64_t now() const { return now_; }

    // --- Motion -------------------------------------------------------------
    // The one entry point of point-to-point moves (JOG window inching, test
    // runs, programs).
    MoveResult moveAxis(int axis, MoveTarget target, MoveSpeed speed);
    // Runs while asked again within the JOG gap; a status poll or silence ends it.
    MoveResult jog(int axis, int direction, MoveSpeed speed);
    // Ends a held JOG (the PC polls again once the JOG button is released).
    void releaseJog();
    MoveResult homeReturn(int axis, const HomeRequest& request);
    // A pulse axis' home return with its own home-seeking settings.
    MoveResult homeReturn(int axis);
    // To point 1001..2000 of a pulse axis or 1..100 of a network driver.
    MoveResult testRun(int axis, int point, MoveSpeed speed);
    void stopAxis(int axis);
    void stopAll();
    // The present command position of a standing axis becomes 0; it does not move.
    void presetPosition(int axis);
    bool axisBusy(int axis) const;
    SimAxisValues axisValues(int axis) const;
    // Where a pulse axis is along the machine (where its sensors are), in position units.
    double physicalPosition(int axis) const;
    // Places the limit switches and the home dog of a pulse axis (physical
    // position units at the present ratio; nothing: no such sensor).
    void placeHomeDog(int axis, std::optional<std::int32_t> low, std::optional<std::int32_t> high);
    void placeLimits(int axis, std::optional<std::int32_t> minus, std::optional<std::int32_t> plus);
    // The limit switches go back to just outside the movable range.
    void followRangeWithLimits(int axis);
    // The sensors of pulse axis 0..3.
    const AxisSensors& sensors(int axis) const { return pulse_.at(static_cast<std::size_t>(axis)).sensors; }

    // --- I/O -----------------------------------------------------------------
    std::uint16_t generalInputs() const { return status_.generalInputs; }
    void setGeneralInput(int input, bool on);  // 1..16
    std::uint16_t generalOutputs() const { return generalOutputs_; }
    void setGeneralOutput(int output, bool on);  // 1..16, as the controller's programs switch them
    // Input n follows output `output` (1..16) whenever that output changes; 0: stays as set.
    void wireInput(int input, int output);
    int wiring(int input) const {
        return input >= 1 && input <= kGeneralInputs ? wiring_[static_cast<std::size_t>(input - 1)] : 0;
    }
    // OUTn drives INn for every n.
    void wireOutputsToInputs();
    std::uint16_t hostInputs() const { return status_.hostInputs; }
    void setHostInput(std::uint16_t bit, bool on);
    std::uint16_t hostOutputs() const;
    std::uint8_t driverOutputs(int axis) const { return isPulse(axis) ? driverOutputs_[static_cast<std::size_t>(axis)] : 0; }

    // What the PC sends with each status poll. General outputs the PC did not
    // change since the last report stay as the controller has them; driver
    // outputs and NET-IN bits change where the PC's word changed since its
    // last one, so bits a program switched stay until the PC switches them.
    void takePcOutputs(std::uint16_t general, const std::array<std::uint8_t, 4>& driver, std::uint16_t host);
    void takeNetworkInputs(int driver, std::uint16_t netIn);
    // Driver output bits of pulse axis 0..3 and NET-IN bits of network driver
    // 0..15, as the controller's programs switch them.
    void setProgramDriverOutputs(int axis, std::uint8_t bits, bool on);
    void setProgramNetworkInputs(int driver, std::uint16_t bits, bool on);
    // Marks the general outputs as reported to the PC.
    void outputsReported() { reportedOutputs_ = generalOutputs_; }

    // --- Alarms ---------------------------------------------------------------
    std::uint8_t alarmCode() const { return alarm_; }
    // Raises an alarm: all axes stop, the run ends, the history records it (newest first).
    void raiseAlarm(std::uint8_t code);
    // Clears the current alarm whatever its cause.
    void clearAlarm();
    // The controller's alarm reset: clears the alarm unless its cause remains
    // (an axis on a limit switch, outside its movable range or inside a
    // prohibited area); driver alarms go in any case.
    void resetAlarm();
    bool alarmCauseRemains() const;
    const std::array<std::uint8_t, 10>& alarmHistory() const { return history_; }
    void setAlarmHistory(const std::array<std::uint8_t, 10>& history) { history_ = history; }
    void setDriverAlarm(int axis, bool on);
    void setNetworkAlarm(int driver, std::uint16_t code);

    // --- Run state ------------------------------------------------------------
    std::uint16_t mode() const { return mode_; }
    void setMode(std::uint16_t mode);
    // The program task 1 runs when no program runner is set.
    void setFirstProgram(std::uint8_t number) { firstProgram_ = number; }
    // The run request: in automatic run it starts the programs, in step run it
    // runs one step. False in edit-test mode, stopped externally or alarmed.
    bool startRun();
    void stopRun();
    bool running() const;
    void setTask(int task, std::uint8_t program, std::uint8_t step);
    void setProgramRunner(std::unique_ptr<ProgramRunner> runner);

    // --- Reported state -------------------------------------------------------
    const SimStatus& status() const { return status_; }
    // Takes these values as the machine's own: positions where they are,
    // inputs as they are, no edges.
    void setStatus(const SimStatus& status);
    // Network driver 0..15.
    NetworkDriverSim& networkDriver(int driver) { return network_.at(static_cast<std::size_t>(driver)); }

private:
    // A held JOG lasts this long after its last request.
    static constexpr std::int64_t kJogGapMillis = 200;

    struct Crossing {
        double at = 0;  // counter pulses
        std::uint8_t alarm = 0;
    };

    static bool isPulse(int axis) { return axis >= 0 && axis < kPulseAxes; }
    static bool isNetwork(int axis) { return axis >= kPulseAxes && axis < kAxes; }
    PulseAxisSim& pulse(int axis) { return pulse_[static_cast<std::size_t>(axis)]; }
    const PulseAxisSim& pulse(int axis) const { return pulse_[static_cast<std::size_t>(axis)]; }
    NetworkDriverSim& driverOf(int axis) { return network_[static_cast<std::size_t>(axis - kPulseAxes)]; }
    const NetworkDriverSim& driverOf(int axis) const { return network_[static_cast<std::size_t>(axis - kPulseAxes)]; }
    // The motion of a pulse axis or a network driver.
    AxisMotion& motionOf(int axis) { return isPulse(axis) ? pulse(axis).motion : driverOf(axis).motion; }
    // Whether an axis runs a timed JOG (moving without a target, not homing).
    bool timedJogging(int axis);

    void refreshSettings();
    bool pulseExcited(int axis) const;
    // Applies a change of excitation (outputs or model): READY, HOME-END, a freed motor stops.
    void updateExcitation(int axis);
    // Applies a pulse axis' driver output byte: ALM-RST clears the driver's alarm; excitation follows.
    void applyDriverOutputs(int axis);
    // The driver's alarm is gone: READY again while the motor is excited.
    void clearDriverAlarm(int axis);
    // Whether an axis may start a motion in `direction` (0: either); the refusal otherwise.
    bool mayMove(int axis, int direction) const;
    MoveResult checkSpeed(int axis, const MoveSpeed& speed);
    MotionRamp ramp(int axis, const MoveSpeed& speed) const;
    MoveResult startTargetMove(int axis, double targetPulses, const MoveSpeed& speed);
    MoveResult instantJog(int axis, int direction, const MoveSpeed& speed);
    bool instantJogging(int axis) const { return instantJogs_[static_cast<std::size_t>(axis)].direction != 0; }
    void endInstantJog(int axis) { instantJogs_[static_cast<std::size_t>(axis)].direction = 0; }
    // Stops an axis where it is (alarm, freed motor): no ramp, no home search.
    void haltAxis(int axis);

    // Advances every moving axis by `seconds`, applying limits and home seeking.
    void step(double seconds);
    // Runs the motion to its end at once (the instant model).
    void settle();
    void afterPulseMotion(int axis, double fromCounter);
    std::optional<Crossing> firstLimit(int axis, double from, double to) const;
    bool insideArea(int axis, int area, double counterPulses) const;
    void stopAt(int axis, const Crossing& crossing, int direction);
    void afterNetworkMotion(int driver);
    // Takes a new NET-IN word: a driver it releases stops; one it excites again is ready.
    void applyNetworkInputs(int driver, std::uint16_t netIn);
    void report(int axis);
    void reportSensors(int axis);
    void applyWiring(std::uint16_t changedOutputs);
    void hostInputEdge(std::uint16_t rising);

    MachineSettings settings_;
    MotionModel model_ = MotionModel::Instant;
    std::int64_t now_ = 0;
    bool started_ = false;
    std::array<PulseAxisSim, kPulseAxes> pulse_;
    std::array<AxisBounds, kPulseAxes> bounds_;
    std::array<std::uint8_t, kPulseAxes> sensorLogic_{};
    std::array<std::uint8_t, kPulseAxes> seenSensors_{};  // sensor states last reported
    // The JOG of the instant motion model: the same direction asked again
    // within the gap continues it.
    struct InstantJog {
        int direction = 0;
        std::int64_t millis = 0;
        double speed = 0;
    };
    std::array<InstantJog, kAxes> instantJogs_{};
    std::array<bool, kPulseAxes> excited_{true, true, true, true};
    std::array<NetworkDriverSim, kNetworkDrivers> network_;
    std::array<std::int64_t, kAxes> jogUntil_{};
    std::array<std::uint8_t, kPulseAxes> driverOutputs_{};
    std::array<std::uint8_t, kPulseAxes> pcDriverOutputs_{};        // the PC's last words
    std::array<std::uint16_t, kNetworkDrivers> pcNetworkInputs_{};
    std::uint16_t generalOutputs_ = 0;
    std::uint16_t reportedOutputs_ = 0;
    std::uint16_t pcHostOutputs_ = 0;
    std::array<int, kGeneralInputs> wiring_{};
    std::uint8_t alarm_ = 0;
    std::array<std::uint8_t, 10> history_{};
    std::uint16_t mode_ = 0;
    std::uint8_t firstProgram_ = 1;
    std::unique_ptr<ProgramRunner> runner_;
    SimStatus status_;
};

}  // namespace vantrel
