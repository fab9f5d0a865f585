#include "sim/ControllerSim.h"

#include <algorithm>
#include <limits>

#include "data/ByteOrder.h"
#include "sim/ReplyFrame.h"
#include "sim/SimProtocol.h"

namespace vantrel {

using namespace simproto;

namespace {

// Operation codes of the JOG request record.
constexpr std::uint8_t kJogForward = 1;
constexpr std::uint8_t kJogBackward = 2;
constexpr std::uint8_t kInchForward = 3;
constexpr std::uint8_t kInchBackward = 4;
constexpr std::uint8_t kHomeReturn = 5;
constexpr std::uint8_t kTestRun = 6;
constexpr std::uint8_t kStop = 7;

std::int32_t negated(std::int32_t v) {
    return v == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max() : -v;
}

}  // namespace

// --- JOG --------------------------------------------------------------------

ControllerSim::Reply ControllerSim::jog(const std::uint8_t* req) {
    const std::uint8_t operation = req[32];
    const int axis = req[33];
    const std::uint16_t point = readU16LE(req + 34);
    const auto distance = static_cast<std::int32_t>(readU32LE(req + 36));
    const MoveSpeed speed{static_cast<std::int32_t>(readU32LE(req + 40)), static_cast<std::int32_t>(readU32LE(req + 44))};

    if (operation != kJogForward && operation != kJogBackward) machine_.releaseJog();
    switch (operation) {
    case kJogForward:
    case kJogBackward: machine_.jog(axis, operation == kJogForward ? 1 : -1, speed); break;
    case kInchForward:
    case kInchBackward:
        machine_.moveAxis(axis, MoveTarget::by(operation == kInchForward ? distance : negated(distance)), speed);
        break;
    case kHomeReturn: {
        // A request without a home speed of its own homes with the axis' settings.
        HomeRequest home;
        home.speed = speed.speed;
        home.accelTime = speed.accelTime;
        home.startSpeed = static_cast<std::int32_t>(readU32LE(req + 48));
        home.offset = static_cast<std::int32_t>(readU32LE(req + 52));
        home.method = req[56];
        home.direction = req[57];
        if (home.speed > 0)
            machine_.homeReturn(axis, home);
        else
            machine_.homeReturn(axis);
        break;
    }
    case kTestRun: machine_.testRun(axis, point, speed); break;
    case kStop: machine_.stopAxis(axis); break;
    default: break;  // nothing to do: the axis stands as it is
    }

    const SimAxisValues values = machine_.axisValues(axis);
    ReplyFrame f(48, req[1], kJog);
    f.setS32(36, values.commandPosition);
    f.setS32(40, values.commandSpeed);
    return {f.finish()};
}

// --- Alarm record -----------------------------------------------------------

ControllerSim::Reply ControllerSim::alarmRecord(const std::uint8_t* req) {
    ReplyFrame f(44, req[1], kAlarmRecord);
    f.setBytes(32, machine_.alarmHistory().data(), machine_.alarmHistory().size());
    return {f.finish()};
}

// --- Status poll ------------------------------------------------------------

void ControllerSim::applyRegisterRequest(const std::uint8_t* r) {
    const std::uint8_t slave = r[0];
    if (slave == 0) return;
    const std::uint8_t function = r[1];
    const std::uint16_t registerAddress = readU16LE(r + 4);
    const std::uint16_t registerCount = readU16LE(r + 6);
    const std::uint32_t data = readU32LE(r + 8);
    outputs_.lastRegisterRequest = {readU32LE(r), readU32LE(r + 4), data};

    // The driver's answer lands in the live values, where the PC reads it back.
    NetworkDriverSim::RegisterAnswer answer{static_cast<std::uint8_t>(function | 0x80), 0};
    if (slave <= Machine::kNetworkDrivers)
        answer = machine_.networkDriver(slave - 1).registerRequest(function, registerAddress, registerCount, data);
    const std::uint32_t base = ControllerMemory::kLiveValues;
    memory_.writeValue(base, 1, slave);
    memory_.writeValue(base + 1, 1, answer.function);
    memory_.writeValue(base + 2, 2, 0);
    memory_.writeValue(base + 4, 2, registerAddress);
    memory_.writeValue(base + 6, 2, registerCount);
    memory_.writeValue(base + 8, 4, answer.data);
}

ControllerSim::Reply ControllerSim::statusPoll(const std::uint8_t* req) {
    // The PC polls again: a JOG button it held is released.
    machine_.releaseJog();

    // The mode follows a change of the PC's requested mode; a mode the
    // controller took by itself stays until the PC asks for another.
    const std::uint16_t requestedMode = readU16LE(req + 32);
    outputs_.requestedMode = requestedMode;
    if (requestedMode <= kAutoRunMode && requestedMode != lastRequestedMode_) machine_.setMode(requestedMode);
    lastRequestedMode_ = requestedMode;
    const std::uint8_t run = req[5];
    if (run != 0) outputs_.lastRunRequest = run;
    if (run == kRunStart)
        machine_.startRun();
    else if (run == kRunStop)
        machine_.stopRun();

    // What the PC sends; outputs and inputs travel active-low.
    outputs_.generalOutputs = static_cast<std::uint16_t>(~readU16LE(req + 6));
    for (std::size_t i = 0; i < 4; ++i) outputs_.driverOutputs[i] = static_cast<std::uint8_t>(~req[8 + i]);
    outputs_.hostOutputs = static_cast<std::uint16_t>(~readU16LE(req + 12));
    machine_.takePcOutputs(outputs_.generalOutputs, outputs_.driverOutputs,
                           static_cast<std::uint16_t>(outputs_.hostOutputs & ~kHostForcedBits));
    if (readU16LE(req + 14) == kAlarmResetRequest) {
        ++outputs_.alarmResets;
        machine_.resetAlarm();
    }
    const std::uint16_t networkResets = readU16LE(req + 16);
    outputs_.networkAlarmResets |= networkResets;
    for (int d = 0; d < Machine::kNetworkDrivers; ++d)
        if (networkResets & (1u << d)) machine_.setNetworkAlarm(d, 0);
    const std::size_t group = std::min<std::size_t>(readU16LE(req + 34), 3);
    outputs_.selectedGroup = readU16LE(req + 34);
    for (std::size_t i = 0; i < 4; ++i) {
        outputs_.networkOutputs[4 * group + i] = readU16LE(req + 18 + 2 * i);
        machine_.takeNetworkInputs(static_cast<int>(4 * group + i), outputs_.networkOutputs[4 * group + i]);
    }
    applyRegisterRequest(req + 36);

    const SimStatus& s = machine_.status();
    ReplyFrame f(212, req[1], kStatusPoll);
    f.setU8(5, machine_.alarmCode());
    f.setU16(6, static_cast<std::uint16_t>(~s.generalInputs));
    for (std::size_t i = 0; i < 4; ++i) f.setU8(8 + i, static_cast<std::uint8_t>(~s.driverInputs[i]));
    f.setU16(12, static_cast<std::uint16_t>(~s.hostInputs));
    const auto sensorsOnWire = static_cast<std::uint16_t>(~s.sensorInputs);
    f.setU8(14, static_cast<std::uint8_t>(sensorsOnWire >> 8));  // big-endian
    f.setU8(15, static_cast<std::uint8_t>(sensorsOnWire));
    f.setU16(16, static_cast<std::uint16_t>(~machine_.generalOutputs()));
    for (std::size_t i = 0; i < 4; ++i)
        f.setU8(18 + i, static_cast<std::uint8_t>(~machine_.driverOutputs(static_cast<int>(i))));
    f.setU16(22, static_cast<std::uint16_t>(~machine_.hostOutputs()));
    for (std::size_t i = 0; i < 4; ++i) {
        const SimAxisValues& p = s.pulseAxes[i];
        f.setS32(32 + 4 * i, p.commandPosition);
        f.setS32(48 + 4 * i, p.detectedPosition);
        f.setS32(64 + 4 * i, p.commandSpeed);
        f.setS32(80 + 4 * i, p.detectedSpeed);
        const SimNetworkDriver& d = s.networkDrivers[4 * group + i];
        f.setS32(96 + 4 * i, d.values.commandPosition);
        f.setS32(112 + 4 * i, d.values.detectedPosition);
        f.setS32(128 + 4 * i, d.values.commandSpeed);
        f.setS32(144 + 4 * i, d.values.detectedSpeed);
        f.setU32(160 + 4 * i, d.status);
        f.setU16(176 + 2 * i, d.alarmCode);
        f.setU16(184 + 2 * i, d.inputs);
    }
    f.setBytes(192, s.runFlags.data(), 8);
    f.setBytes(200, s.stepValues.data(), 8);
    f.setU16(208, machine_.mode());
    machine_.outputsReported();
    return {f.finish()};
}

}  // namespace vantrel
