// The machine's I/O, alarms and run state.

#include <algorithm>

#include "data/ControllerMode.h"
#include "sim/Machine.h"

namespace vantrel {

namespace {

constexpr auto kEditTestMode = static_cast<std::uint16_t>(ControllerMode::EditTest);
constexpr auto kAutoRunMode = static_cast<std::uint16_t>(ControllerMode::AutoRun);

std::uint16_t bitOf(int n) { return static_cast<std::uint16_t>(1u << (n - 1)); }

}  // namespace

// --- I/O ----------------------------------------------------------------------

void Machine::setGeneralInput(int input, bool on) {
    if (input < 1 || input > kGeneralInputs) return;
    status_.generalInputs = static_cast<std::uint16_t>(on ? status_.generalInputs | bitOf(input)
                                                          : status_.generalInputs & ~bitOf(input));
}

void Machine::setGeneralOutput(int output, bool on) {
    if (output < 1 || output > kGeneralInputs) return;
    const std::uint16_t before = generalOutputs_;
    generalOutputs_ = static_cast<std::uint16_t>(on ? generalOutputs_ | bitOf(output) : generalOutputs_ & ~bitOf(output));
    applyWiring(before ^ generalOutputs_);
}

void Machine::wireInput(int input, int output) {
    if (input < 1 || input > kGeneralInputs) return;
    wiring_[static_cast<std::size_t>(input - 1)] = (output >= 1 && output <= kGeneralInputs) ? output : 0;
    if (output >= 1 && output <= kGeneralInputs) setGeneralInput(input, (generalOutputs_ & bitOf(output)) != 0);
}

void Machine::wireOutputsToInputs() {
    for (int n = 1; n <= kGeneralInputs; ++n) wireInput(n, n);
}

void Machine::applyWiring(std::uint16_t changedOutputs) {
    for (int n = 1; n <= kGeneralInputs; ++n) {
        const int source = wiring_[static_cast<std::size_t>(n - 1)];
        if (source != 0 && (changedOutputs & bitOf(source))) setGeneralInput(n, (generalOutputs_ & bitOf(source)) != 0);
    }
}

void Machine::setHostInput(std::uint16_t bit, bool on) {
    const std::uint16_t before = status_.hostInputs;
    status_.hostInputs = static_cast<std::uint16_t>(on ? before | bit : before & ~bit);
    hostInputEdge(static_cast<std::uint16_t>(~before & status_.hostInputs));
}

void Machine::hostInputEdge(std::uint16_t rising) {
    if (rising & kExtStop) {
        stopAll();
        stopRun();
    }
    if (rising & kPrgStop) stopRun();
    if (rising & kPrgStart) startRun();
    if (rising & kAlmRst) resetAlarm();
}

std::uint16_t Machine::hostOutputs() const {
    // The PC drives them in edit-test mode; in the run modes the controller
    // drives ALM, PRG-RUN and PRG-READY itself.
    std::uint16_t out = pcHostOutputs_ & 0x000F;
    if (mode_ != kEditTestMode) {
        const bool run = running();
        out = static_cast<std::uint16_t>((out & ~(kAlmOut | kPrgRunOut | kPrgReadyOut)) | (alarm_ != 0 ? kAlmOut : 0) |
                                         (run ? kPrgRunOut : 0) | (run ? 0 : kPrgReadyOut));
    }
    return out;
}

void Machine::takePcOutputs(std::uint16_t general, const std::array<std::uint8_t, 4>& driver, std::uint16_t host) {
    // Only the bits the PC changed since the last report: what a program
    // switched meanwhile is not undone by the PC's older copy.
    const auto changed = static_cast<std::uint16_t>(general ^ reportedOutputs_);
    const std::uint16_t before = generalOutputs_;
    generalOutputs_ = static_cast<std::uint16_t>((generalOutputs_ & ~changed) | (general & changed));
    applyWiring(before ^ generalOutputs_);
    pcHostOutputs_ = host;

    for (int a = 0; a < kPulseAxes; ++a) {
        const auto i = static_cast<std::size_t>(a);
        const auto flipped = static_cast<std::uint8_t>(driver[i] ^ pcDriverOutputs_[i]);
        pcDriverOutputs_[i] = driver[i];
        driverOutputs_[i] = static_cast<std::uint8_t>((driverOutputs_[i] & ~flipped) | (driver[i] & flipped));
        applyDriverOutputs(a);
    }
}

void Machine::applyDriverOutputs(int axis) {
    const auto i = static_cast<std::size_t>(axis);
    if ((driverOutputs_[i] & kAlarmResetOutput) && (status_.driverInputs[i] & PulseAxisSim::kAlarm)) clearDriverAlarm(axis);
    updateExcitation(axis);
}

void Machine::clearDriverAlarm(int axis) {
    std::uint8_t& bits = status_.driverInputs[static_cast<std::size_t>(axis)];
    bits &= static_cast<std::uint8_t>(~PulseAxisSim::kAlarm);
    if (pulseExcited(axis)) bits |= PulseAxisSim::kReady;
}

void Machine::updateExcitation(int axis) {
    const bool excited = pulseExcited(axis);
    bool& was = excited_[static_cast<std::size_t>(axis)];
    if (excited == was) return;
    was = excited;
    std::uint8_t& bits = status_.driverInputs[static_cast<std::size_t>(axis)];
    if (!excited) {
        // The motor is free: it stops where it is and its home is lost.
        haltAxis(axis);
        bits &= static_cast<std::uint8_t>(~(PulseAxisSim::kReady | PulseAxisSim::kHomeEnd));
    } else if (!(bits & PulseAxisSim::kAlarm)) {
        bits |= PulseAxisSim::kReady;
    }
}

void Machine::setProgramDriverOutputs(int axis, std::uint8_t bits, bool on) {
    if (!isPulse(axis)) return;
    std::uint8_t& out = driverOutputs_[static_cast<std::size_t>(axis)];
    out = static_cast<std::uint8_t>(on ? out | bits : out & ~bits);
    applyDriverOutputs(axis);
}

void Machine::takeNetworkInputs(int driver, std::uint16_t netIn) {
    if (driver < 0 || driver >= kNetworkDrivers) return;
    std::uint16_t& last = pcNetworkInputs_[static_cast<std::size_t>(driver)];
    const auto changed = static_cast<std::uint16_t>(netIn ^ last);
    last = netIn;
    const std::uint16_t inputs = status_.networkDrivers[static_cast<std::size_t>(driver)].inputs;
    applyNetworkInputs(driver, static_cast<std::uint16_t>((inputs & ~changed) | (netIn & changed)));
}

void Machine::setProgramNetworkInputs(int driver, std::uint16_t bits, bool on) {
    if (driver < 0 || driver >= kNetworkDrivers) return;
    const std::uint16_t inputs = status_.networkDrivers[static_cast<std::size_t>(driver)].inputs;
    applyNetworkInputs(driver, static_cast<std::uint16_t>(on ? inputs | bits : inputs & ~bits));
}

void Machine::applyNetworkInputs(int driver, std::uint16_t netIn) {
    SimNetworkDriver& r = status_.networkDrivers[static_cast<std::size_t>(driver)];
    const bool wasExcited = NetworkDriverSim::excited(r.inputs);
    r.inputs = netIn;
    const bool excited = NetworkDriverSim::excited(netIn);
    if (wasExcited && !excited) {
        haltAxis(kPulseAxes + driver);
        r.status &= ~(NetworkDriverSim::kReady | NetworkDriverSim::kHomeEnd);
    } else if (!wasExcited && excited && r.alarmCode == 0) {
        r.status |= NetworkDriverSim::kReady;
    }
}

// --- Alarms -------------------------------------------------------------------

void Machine::raiseAlarm(std::uint8_t code) {
    alarm_ = code;
    std::copy_backward(history_.begin(), history_.end() - 1, history_.end());
    history_[0] = code;
    // Every axis stops at once and the programs end.
    for (int a = 0; a < kAxes; ++a)
        if (axisBusy(a) || instantJogging(a)) haltAxis(a);
    stopRun();
}

void Machine::clearAlarm() {
    alarm_ = 0;
    for (auto& p : pulse_) p.blockedDirection = 0;
}

bool Machine::alarmCauseRemains() const {
    switch (alarm_) {
    case kLimitSensorAlarm:
        for (int a = 0; a < kPulseAxes; ++a)
            if (pulse(a).sensorStates(pulse(a).physical()) & (PulseAxisSim::kPlusLimitBit | PulseAxisSim::kMinusLimitBit))
                return true;
        return false;
    case kAreaOverAlarm:
        for (int a = 0; a < kPulseAxes; ++a) {
            const auto& range = bounds_[static_cast<std::size_t>(a)].movable;
            const double units = pulse(a).toUnits(pulse(a).counter());
            if (range && (units > range->max + 1e-6 || units < range->min - 1e-6)) return true;
        }
        return false;
    case kProhibitedAreaAlarm:
        for (int k = 0; k < static_cast<int>(AxisBounds{}.areas.size()); ++k) {
            bool any = false;
            bool all = true;
            for (int a = 0; a < kPulseAxes; ++a) {
                if (!bounds_[static_cast<std::size_t>(a)].areas[static_cast<std::size_t>(k)]) continue;
                any = true;
                all = all && insideArea(a, k, pulse(a).counter());
            }
            if (any && all) return true;
        }
        return false;
    default: return false;
    }
}

void Machine::resetAlarm() {
    for (int a = 0; a < kPulseAxes; ++a)
        if (status_.driverInputs[static_cast<std::size_t>(a)] & PulseAxisSim::kAlarm) clearDriverAlarm(a);
    if (!alarmCauseRemains()) clearAlarm();
}

void Machine::setDriverAlarm(int axis, bool on) {
    if (!isPulse(axis)) return;
    std::uint8_t& bits = status_.driverInputs[static_cast<std::size_t>(axis)];
    if (on) {
        bits = static_cast<std::uint8_t>((bits | PulseAxisSim::kAlarm) & ~PulseAxisSim::kReady);
        haltAxis(axis);
    } else {
        clearDriverAlarm(axis);
    }
}

void Machine::setNetworkAlarm(int driver, std::uint16_t code) {
    if (driver < 0 || driver >= kNetworkDrivers) return;
    SimNetworkDriver& r = status_.networkDrivers[static_cast<std::size_t>(driver)];
    r.alarmCode = code;
    if (code != 0) {
        r.status = (r.status | NetworkDriverSim::kAlarm) & ~NetworkDriverSim::kReady;
        haltAxis(kPulseAxes + driver);
    } else {
        r.status &= ~NetworkDriverSim::kAlarm;
        if (NetworkDriverSim::excited(r.inputs)) r.status |= NetworkDriverSim::kReady;
    }
}

// --- Run state ----------------------------------------------------------------

void Machine::setMode(std::uint16_t mode) {
    mode_ = mode;
    if (mode_ == kEditTestMode) stopRun();
}

bool Machine::startRun() {
    if (mode_ == kEditTestMode || mode_ > kAutoRunMode || (status_.hostInputs & kExtStop) || alarm_ != 0) return false;
    if (runner_) {
        runner_->start(*this);
    } else {
        status_.runFlags[0] = firstProgram_;
        status_.stepValues[0] = 0;
    }
    return true;
}

void Machine::stopRun() {
    const bool wasRunning = running();
    status_.runFlags.fill(0);
    if (runner_ && wasRunning) runner_->stop(*this);
}

bool Machine::running() const {
    return std::any_of(status_.runFlags.begin(), status_.runFlags.end(), [](std::uint8_t f) { return f != 0; });
}

void Machine::setTask(int task, std::uint8_t program, std::uint8_t step) {
    if (task < 0 || task >= kTasks) return;
    status_.runFlags[static_cast<std::size_t>(task)] = program;
    status_.stepValues[static_cast<std::size_t>(task)] = step;
}

void Machine::setProgramRunner(std::unique_ptr<ProgramRunner> runner) {
    stopRun();
    runner_ = std::move(runner);
}

// --- Reported state -------------------------------------------------------------

void Machine::setStatus(const SimStatus& status) {
    status_ = status;
    instantJogs_ = {};
    for (int a = 0; a < kPulseAxes; ++a) {
        PulseAxisSim& p = pulse(a);
        p.endHome();
        p.motion.place(p.toPulses(status.pulseAxes[static_cast<std::size_t>(a)].commandPosition));
        // The sensor word stays as given until a sensor changes.
        seenSensors_[static_cast<std::size_t>(a)] = p.sensorStates(p.physical());
    }
    for (int d = 0; d < kNetworkDrivers; ++d) {
        NetworkDriverSim& n = network_[static_cast<std::size_t>(d)];
        n.homing = false;
        n.motion.place(status.networkDrivers[static_cast<std::size_t>(d)].values.commandPosition);
    }
}

}  // namespace vantrel
