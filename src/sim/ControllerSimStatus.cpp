#include "sim/ControllerSim.h"

#include <algorithm>
#include <cstdlib>

#include "data/ByteOrder.h"
#include "sim/ReplyFrame.h"
#include "sim/SimProtocol.h"

namespace vantrel {

using namespace simproto;

namespace {

std::int32_t signExtend24(std::uint32_t v) {
    return (v & 0x800000) ? static_cast<std::int32_t>(v) - 0x1000000 : static_cast<std::int32_t>(v);
}

std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

// --- JOG --------------------------------------------------------------------

ControllerSim::Reply ControllerSim::jog(const std::uint8_t* req) {
    const std::uint8_t operation = req[32];
    const std::uint8_t axis = req[33];
    const std::uint16_t point = readU16LE(req + 34);
    const std::int32_t distance = static_cast<std::int32_t>(readU32LE(req + 36));
    const std::int32_t speed = static_cast<std::int32_t>(readU32LE(req + 40));

    SimAxisValues* values = nullptr;
    if (axis < 4)
        values = &status_.pulseAxes[axis];
    else if (axis < 20)
        values = &status_.networkDrivers[axis - 4].values;

    std::int32_t replySpeed = 0;
    if (operation != 1 && operation != 2) jogMotion_ = JogMotion{};
    if (values != nullptr) {
        std::int64_t position = values->commandPosition;
        switch (operation) {
        case 1:  // JOG ">" and "<": moves at the speed asked while the requests keep coming
        case 2: {
            const std::int64_t step = jogDistance(operation, axis, speed);
            position += operation == 1 ? step : -step;
            replySpeed = operation == 1 ? speed : -speed;
            break;
        }
        case 3:  // inching by the distance asked
        case 4:
            position += operation == 3 ? static_cast<std::int64_t>(distance) : -static_cast<std::int64_t>(distance);
            replySpeed = speed;
            break;
        case 5:  // home return
            position = 0;
            if (axis < 4) status_.driverInputs[axis] |= kDriverHomeEndBit;
            break;
        case 6: {  // test run to a stored point
            std::optional<std::int64_t> target;
            if (axis < 4 && point >= 1 && point <= layout::kPositionCount) {
                const std::uint32_t at = ControllerMemory::kPositions + layout::kPositionBlockSize * axis +
                                         layout::kPositionRecordsStart + layout::kPositionRecordSize * (point - 1u) + 3;
                const std::uint32_t raw = memory_.readValue(at, 3).value_or(kNotSetPosition);
                if (raw != kNotSetPosition) target = signExtend24(raw);
            } else if (axis >= 4 && point >= 1 && point <= layout::kNetworkPointCount) {
                const std::uint32_t at = ControllerMemory::kNetwork + layout::kNetworkCommParamsSize +
                                         layout::kNetworkDriverSize * (axis - 4u) + layout::kNetworkPointsStart +
                                         layout::kNetworkPointSize * (point - 1u);
                const bool absolute = memory_.readValue(at, 1).value_or(0) == 1;
                const auto pointPosition = static_cast<std::int32_t>(memory_.readValue(at + 4, 4).value_or(0));
                target = absolute ? pointPosition : position + pointPosition;
            }
            if (target) {
                position = *target;
                replySpeed = speed;
            } else {
                raiseAlarmLocked(kPointSettingAlarm);
            }
            break;
        }
        default:  // 7 stop, anything else: stand still
            break;
        }
        values->commandPosition = clampToInt32(position);
        values->detectedPosition = values->commandPosition;
    }

    ReplyFrame f(48, req[1], kJog);
    f.setS32(36, values ? values->commandPosition : 0);
    f.setS32(40, replySpeed);
    return {f.finish()};
}

std::int64_t ControllerSim::jogDistance(int operation, int axis, std::int32_t speed) {
    // The first request of a JOG stands for one 50 ms tick of the JOG button;
    // each further one for the time since the previous request.
    constexpr std::int64_t kTickMillis = 50;
    constexpr std::int64_t kMotionGapMillis = 200;
    const std::int64_t now = clock_();
    std::int64_t elapsed = kTickMillis;
    const bool continues = jogMotion_.operation == operation && jogMotion_.axis == axis && now >= jogMotion_.lastMillis &&
                           now - jogMotion_.lastMillis <= kMotionGapMillis;
    if (continues)
        elapsed = now - jogMotion_.lastMillis;
    else
        jogMotion_ = JogMotion{operation, axis, now, 0};
    jogMotion_.lastMillis = now;
    const std::int64_t thousandths = jogMotion_.remainder + std::abs(static_cast<std::int64_t>(speed)) * elapsed;
    jogMotion_.remainder = thousandths % 1000;
    return thousandths / 1000;
}

// --- Alarm record -----------------------------------------------------------

ControllerSim::Reply ControllerSim::alarmRecord(const std::uint8_t* req) {
    ReplyFrame f(44, req[1], kAlarmRecord);
    f.setBytes(32, alarmHistory_.data(), alarmHistory_.size());
    return {f.finish()};
}

void ControllerSim::raiseAlarmLocked(std::uint8_t code) {
    alarmCode_ = code;
    std::copy_backward(alarmHistory_.begin(), alarmHistory_.end() - 1, alarmHistory_.end());
    alarmHistory_[0] = code;
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
    std::uint8_t replyFunction = function;
    std::uint32_t replyData = data;
    if (slave > 16) {
        replyFunction = static_cast<std::uint8_t>(function | 0x80);
        replyData = 0;
    } else {
        auto& regs = registers_[slave - 1u];
        auto reg = [&](std::uint16_t a) { return regs.count(a) ? regs[a] : std::uint16_t{0}; };
        if (function == 3) {
            replyData = registerCount == 2 ? (static_cast<std::uint32_t>(reg(registerAddress)) << 16) |
                                                 reg(static_cast<std::uint16_t>(registerAddress + 1))
                                           : reg(registerAddress);
        } else if (function == 16) {
            if (registerCount == 2) {
                regs[registerAddress] = static_cast<std::uint16_t>(data >> 16);
                regs[static_cast<std::uint16_t>(registerAddress + 1)] = static_cast<std::uint16_t>(data);
            } else {
                regs[registerAddress] = static_cast<std::uint16_t>(data);
            }
        } else if (function != 8) {
            replyFunction = static_cast<std::uint8_t>(function | 0x80);
            replyData = 0;
        }
    }
    const std::uint32_t base = ControllerMemory::kLiveValues;
    memory_.writeValue(base, 1, slave);
    memory_.writeValue(base + 1, 1, replyFunction);
    memory_.writeValue(base + 2, 2, 0);
    memory_.writeValue(base + 4, 2, registerAddress);
    memory_.writeValue(base + 6, 2, registerCount);
    memory_.writeValue(base + 8, 4, replyData);
}

ControllerSim::Reply ControllerSim::statusPoll(const std::uint8_t* req) {
    // What the PC sends; outputs and inputs travel active-low.
    // The mode follows a change of the PC's requested mode; a mode the
    // controller took by itself stays until the PC asks for another.
    const std::uint16_t requestedMode = readU16LE(req + 32);
    outputs_.requestedMode = requestedMode;
    if (requestedMode <= kAutoRunMode && requestedMode != lastRequestedMode_) {
        mode_ = requestedMode;
        if (mode_ == kEditTestMode) status_.runFlags.fill(0);
    }
    lastRequestedMode_ = requestedMode;
    const std::uint8_t run = req[5];
    if (run != 0) outputs_.lastRunRequest = run;
    if (run == kRunStart && mode_ == kAutoRunMode) {
        status_.runFlags[0] = firstProgramNumber();
        status_.stepValues[0] = 0;
    } else if (run == kRunStop) {
        status_.runFlags.fill(0);
    }
    outputs_.generalOutputs = static_cast<std::uint16_t>(~readU16LE(req + 6));
    for (std::size_t i = 0; i < 4; ++i) {
        outputs_.driverOutputs[i] = static_cast<std::uint8_t>(~req[8 + i]);
        if (outputs_.driverOutputs[i] & kDriverAlarmResetOutput) status_.driverInputs[i] &= ~kDriverAlarmBit;
    }
    outputs_.hostOutputs = static_cast<std::uint16_t>(~readU16LE(req + 12));
    if (readU16LE(req + 14) == kAlarmResetRequest) {
        ++outputs_.alarmResets;
        alarmCode_ = 0;
        for (auto& b : status_.driverInputs) b &= ~kDriverAlarmBit;
    }
    const std::uint16_t networkResets = readU16LE(req + 16);
    outputs_.networkAlarmResets |= networkResets;
    for (std::size_t d = 0; d < 16; ++d) {
        if (networkResets & (1u << d)) {
            status_.networkDrivers[d].status &= ~kNetworkAlarmBit;
            status_.networkDrivers[d].alarmCode = 0;
        }
    }
    const std::size_t group = std::min<std::size_t>(readU16LE(req + 34), 3);
    outputs_.selectedGroup = readU16LE(req + 34);
    for (std::size_t i = 0; i < 4; ++i) {
        outputs_.networkOutputs[4 * group + i] = readU16LE(req + 18 + 2 * i);
        status_.networkDrivers[4 * group + i].inputs = outputs_.networkOutputs[4 * group + i];
    }
    applyRegisterRequest(req + 36);

    const bool running = std::any_of(status_.runFlags.begin(), status_.runFlags.end(), [](std::uint8_t f) { return f != 0; });
    // Host outputs: the PC drives them in edit-test mode; in the run modes the
    // controller drives ALM, PRG-RUN and PRG-READY itself.
    std::uint16_t hostOut = outputs_.hostOutputs & static_cast<std::uint16_t>(~kHostForcedBits);
    if (mode_ != kEditTestMode) {
        hostOut = static_cast<std::uint16_t>((hostOut & ~0x0007u) | (alarmCode_ != 0 ? 0x1 : 0) | (running ? 0x2 : 0) |
                                             (running ? 0 : 0x4));
    }

    ReplyFrame f(212, req[1], kStatusPoll);
    f.setU8(5, alarmCode_);
    f.setU16(6, static_cast<std::uint16_t>(~status_.generalInputs));
    for (std::size_t i = 0; i < 4; ++i) f.setU8(8 + i, static_cast<std::uint8_t>(~status_.driverInputs[i]));
    f.setU16(12, static_cast<std::uint16_t>(~status_.hostInputs));
    const auto sensorsOnWire = static_cast<std::uint16_t>(~status_.sensorInputs);
    f.setU8(14, static_cast<std::uint8_t>(sensorsOnWire >> 8));  // big-endian
    f.setU8(15, static_cast<std::uint8_t>(sensorsOnWire));
    f.setU16(16, static_cast<std::uint16_t>(~outputs_.generalOutputs));
    for (std::size_t i = 0; i < 4; ++i) f.setU8(18 + i, static_cast<std::uint8_t>(~outputs_.driverOutputs[i]));
    f.setU16(22, static_cast<std::uint16_t>(~hostOut));
    for (std::size_t i = 0; i < 4; ++i) {
        const SimAxisValues& p = status_.pulseAxes[i];
        f.setS32(32 + 4 * i, p.commandPosition);
        f.setS32(48 + 4 * i, p.detectedPosition);
        f.setS32(64 + 4 * i, p.commandSpeed);
        f.setS32(80 + 4 * i, p.detectedSpeed);
        const SimNetworkDriver& d = status_.networkDrivers[4 * group + i];
        f.setS32(96 + 4 * i, d.values.commandPosition);
        f.setS32(112 + 4 * i, d.values.detectedPosition);
        f.setS32(128 + 4 * i, d.values.commandSpeed);
        f.setS32(144 + 4 * i, d.values.detectedSpeed);
        f.setU32(160 + 4 * i, d.status);
        f.setU16(176 + 2 * i, d.alarmCode);
        f.setU16(184 + 2 * i, d.inputs);
    }
    f.setBytes(192, status_.runFlags.data(), 8);
    f.setBytes(200, status_.stepValues.data(), 8);
    f.setU16(208, mode_);
    return {f.finish()};
}


}  // namespace vantrel
