#include "sim/ControllerSim.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "data/ByteOrder.h"
#include "data/ControllerMode.h"
#include "data/DefaultImage.h"
#include "link/FrameCrc.h"
#include "sim/ReplyFrame.h"

namespace vantrel {

namespace {

// Request codes.
constexpr std::uint8_t kIdentify = 0x00;
constexpr std::uint8_t kReadSettings = 0x01;
constexpr std::uint8_t kProgramPiece = 0x03;
constexpr std::uint8_t kReadProgram = 0x05;
constexpr std::uint8_t kWriteValue = 0x07;
constexpr std::uint8_t kReadValue = 0x09;
constexpr std::uint8_t kJog = 0x0B;
constexpr std::uint8_t kWriteAxisParameter = 0x0D;
constexpr std::uint8_t kInitialise = 0x13;
constexpr std::uint8_t kSettingsBlock = 0x15;
constexpr std::uint8_t kAlarmRecord = 0x19;
constexpr std::uint8_t kStatusPoll = 0xAA;
constexpr std::uint8_t kFlashStep = 0xC1;

// Reply codes that differ from the request code.
constexpr std::uint8_t kProgramFinalCode = 4;
constexpr std::uint8_t kSettingsFinalCode = 0x18;

constexpr std::size_t kHeadSize = 32;
constexpr std::size_t kMinFrame = 36;
constexpr std::size_t kPieceSize = 20;
constexpr std::size_t kBlockSize = 19;
constexpr std::size_t kMaxProgramSize = 131072;
// Bound of a program read padded by the announced-size fault.
constexpr std::size_t kMaxAnnouncedDelivery = 16u << 20;

constexpr std::size_t kSettingsPhase0Length = 40;
constexpr std::size_t kSettingsPhase1Length = 65536;
constexpr std::size_t kSettingsPhase2Length = kHeadSize + ControllerMemory::kSize;  // 524,320

// Result values of a compile that the controller refuses because the file did
// not arrive whole or exceeds its buffer: code size error, program 1, step 0.
constexpr ControllerSim::CompileError kIncompleteFileError{8, 1, 1, 0};

constexpr auto kEditTestMode = static_cast<std::uint16_t>(ControllerMode::EditTest);
constexpr auto kAutoRunMode = static_cast<std::uint16_t>(ControllerMode::AutoRun);

// Run requests and one-shots of the status poll.
constexpr std::uint8_t kRunStart = 0xD7;
constexpr std::uint8_t kRunStop = 0xD8;
constexpr std::uint16_t kAlarmResetRequest = 1;
constexpr std::uint16_t kHostForcedBits = 0x00F0;

// Driver status bits.
constexpr std::uint8_t kDriverAlarmBit = 0x02;
constexpr std::uint8_t kDriverHomeEndBit = 0x10;
constexpr std::uint8_t kDriverAlarmResetOutput = 0x02;
constexpr std::uint32_t kNetworkAlarmBit = 0x80;

// Alarm raised by a test run to a point that holds no position.
constexpr std::uint8_t kPointSettingAlarm = 33;

// The raw 24 bits of a point that holds no position.
constexpr auto kNotSetPosition = static_cast<std::uint32_t>(NOT_SET_POSITION);

std::size_t areaSize(int area) {
    switch (area) {
    case 1: return layout::kPulseAxisSize * layout::kPulseAxisCount;  // 1,024
    case 2: return ControllerMemory::kPositionsSize;                  // 68,864
    case 3: return ControllerMemory::kNetworkSize;                    // 102,672
    default: return 0;
    }
}

std::int32_t signExtend24(std::uint32_t v) {
    return (v & 0x800000) ? static_cast<std::int32_t>(v) - 0x1000000 : static_cast<std::int32_t>(v);
}

std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

ControllerSim::ControllerSim() : ControllerSim(makeDefaultSettingsImage()) {}

ControllerSim::ControllerSim(const SettingsImage& image) {
    memory_.loadImage(image);
    clock_ = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

void ControllerSim::setClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = std::move(clock);
}

// --- Frames -----------------------------------------------------------------

bool ControllerSim::consume(CodeFault& fault, std::uint8_t code) {
    if (!fault.hits(code)) return false;
    if (fault.count > 0 && --fault.count == 0) fault.code = -1;
    return true;
}

ControllerSim::Bytes ControllerSim::handle(const std::uint8_t* request, std::size_t length) {
    std::lock_guard lock(mutex_);
    // A frame the controller cannot trust gets no answer: wrong start byte,
    // length field disagreeing with the bytes received, or a bad check code.
    if (request == nullptr || length < kMinFrame || request[0] != 0x02 || readU16LE(request + 2) != length ||
        FrameCrc::compute(request, length - 2) != readU16LE(request + length - 2)) {
        ++badFrames_;
        return {};
    }
    const std::uint8_t code = request[4];
    ++requestCounts_[code];
    if (faults_.hangUpOnCode == code && --faults_.hangUpAtRequest <= 0) {
        faults_.hangUpOnCode = -1;
        faults_.hangUpAfterBytes = static_cast<long long>(faults_.hangUpReplyBytes);
        hangUpDue_ = true;
    }
    lastRequests_[code].assign(request, request + length);

    Reply reply = answer(request, length);
    if (reply.bytes.empty()) return {};
    if (consume(faults_.noReply, code)) return {};
    if (consume(faults_.wrongSequence, code)) {
        reply.bytes[1] = static_cast<std::uint8_t>(request[1] + 1);
        if (!reply.bulk) {
            const std::size_t n = reply.bytes.size();
            writeU16LE(&reply.bytes[n - 2], FrameCrc::compute(reply.bytes.data(), n - 2));
        }
    }
    if (consume(faults_.shortReply, code)) reply.bytes.resize(std::min(reply.bytes.size(), faults_.shortReplyLength));
    return std::move(reply.bytes);
}

ControllerSim::Reply ControllerSim::answer(const std::uint8_t* req, std::size_t length) {
    // Each request has a fixed length (pieces and blocks: head plus their data);
    // anything else is not a request this controller knows.
    switch (req[4]) {
    case kIdentify: return length == 36 ? identify(req) : Reply{};
    case kReadSettings: return length == 40 ? readSettings(req) : Reply{};
    case kProgramPiece: return programPiece(req, length);
    case kReadProgram: return length == 40 ? readProgram(req) : Reply{};
    case kWriteValue: return length == 48 ? writeOneValue(req) : Reply{};
    case kReadValue: return length == 40 ? readOneValue(req) : Reply{};
    case kJog: return length == 60 ? jog(req) : Reply{};
    case kWriteAxisParameter: return length == 48 ? writeAxisParameter(req) : Reply{};
    case kInitialise: return length == 36 ? initialise(req) : Reply{};
    case kSettingsBlock: return settingsBlock(req, length);
    case kAlarmRecord: return length == 36 ? alarmRecord(req) : Reply{};
    case kStatusPoll: return length == 52 ? statusPoll(req) : Reply{};
    case kFlashStep: return length == 36 ? flashStep(req) : Reply{};
    default: return {};
    }
}

// --- Identify ---------------------------------------------------------------

ControllerSim::Reply ControllerSim::identify(const std::uint8_t* req) {
    ReplyFrame f(88, req[1], kIdentify);
    const std::string name = faults_.identifyNotMain ? "SUB" : kControllerName;
    const std::string version = "VANTREL SIM 1.0";
    f.setBytes(32, reinterpret_cast<const std::uint8_t*>(name.data()), name.size());
    f.setBytes(48, reinterpret_cast<const std::uint8_t*>(version.data()), version.size());
    f.setU16(82, mode_);
    // The PC takes this mode as its requested mode.
    lastRequestedMode_ = mode_;
    return {f.finish()};
}

// --- Settings read ----------------------------------------------------------

ControllerSim::Reply ControllerSim::readSettings(const std::uint8_t* req) {
    const std::uint32_t phase = readU32LE(req + 32);
    if (phase == 0) {
        ReplyFrame f(kSettingsPhase0Length, req[1], kReadSettings);
        return {f.finish()};
    }
    if (phase == 1) {
        // The pulse-axis parameter records, one every 256 bytes from reply offset 288.
        ReplyFrame f(kSettingsPhase1Length, req[1], kReadSettings);
        for (std::uint32_t a = 0; a < layout::kPulseAxisCount; ++a) {
            memory_.readParameters(ControllerMemory::kParameterStride * a + ControllerMemory::kParameterBase,
                                   f.data() + kHeadSize + 256 + 256 * a, ControllerMemory::kParameterRecordSize);
        }
        return {f.takeBulk(), true};
    }
    if (phase == 2) {
        // The whole memory from address 0 after the head.
        ReplyFrame f(kSettingsPhase2Length, req[1], kReadSettings);
        f.setBytes(kHeadSize, memory_.bytes(), ControllerMemory::kSize);
        return {f.takeBulk(), true};
    }
    return {};
}

// --- Program transfer -------------------------------------------------------

ControllerSim::Reply ControllerSim::programPiece(const std::uint8_t* req, std::size_t length) {
    if (length < 40) return {};
    const std::size_t count = readU16LE(req + 32);
    const std::size_t index = readU16LE(req + 34);
    const std::size_t n = readU16LE(req + 36);
    if (n > kPieceSize || length != 40 + n || count == 0 || index >= count) return {};

    // A first piece, or a piece of a file of another size, starts a new file.
    if (index == 0 || count != pieceCount_) {
        pieceCount_ = count;
        pieces_.assign(count * kPieceSize, 0);
        piecesReceived_.assign(count, false);
        lastPieceLength_ = 0;
    }
    std::memcpy(&pieces_[index * kPieceSize], req + 38, n);
    // Every piece but the last carries a full 20 bytes.
    piecesReceived_[index] = (index + 1 == count) || n == kPieceSize;
    if (index + 1 < count) return {};

    lastPieceLength_ = n;
    const bool whole = std::all_of(piecesReceived_.begin(), piecesReceived_.end(), [](bool b) { return b; });
    const std::size_t size = (count - 1) * kPieceSize + lastPieceLength_;
    std::optional<CompileError> error = compileError_;
    if (!whole || size > kMaxProgramSize) error = kIncompleteFileError;

    ReplyFrame f(60, req[1], kProgramFinalCode);
    if (error) {
        for (std::size_t i = 0; i < 4; ++i) f.setU16(34 + 2 * i, (*error)[i]);
    } else {
        f.setU16(32, 1);
        programFile_.assign(reinterpret_cast<const char*>(pieces_.data()), size);
    }
    ++compileCount_;
    pieceCount_ = 0;
    pieces_.clear();
    piecesReceived_.clear();
    return {f.finish()};
}

ControllerSim::Reply ControllerSim::readProgram(const std::uint8_t* req) {
    const std::uint32_t phase = readU32LE(req + 32);
    if (phase == 0) {
        programSnapshot_ = programFile_;
        programReadOpen_ = true;
        announcedProgramSize_ = faults_.announcedProgramSize != 0 ? faults_.announcedProgramSize
                                                                  : static_cast<std::uint32_t>(programSnapshot_.size());
        ReplyFrame f(40, req[1], kReadProgram);
        f.setU32(32, announcedProgramSize_);
        return {f.finish()};
    }
    if (phase == 1) {
        if (!programReadOpen_) {
            // Phase 1 without a phase 0: deliver the current file.
            programSnapshot_ = programFile_;
            announcedProgramSize_ = static_cast<std::uint32_t>(programSnapshot_.size());
        }
        const std::size_t size = std::min<std::size_t>(announcedProgramSize_, kMaxAnnouncedDelivery);
        ReplyFrame f(kHeadSize + size, req[1], kReadProgram);
        f.setBytes(kHeadSize, reinterpret_cast<const std::uint8_t*>(programSnapshot_.data()),
                   std::min(size, programSnapshot_.size()));
        programSnapshot_.clear();
        programReadOpen_ = false;
        announcedProgramSize_ = 0;
        return {f.takeBulk(), true};
    }
    return {};
}

// --- Single values ----------------------------------------------------------

ControllerSim::Reply ControllerSim::writeOneValue(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    const std::uint32_t value = readU32LE(req + 40);
    // An address outside the memory or a size outside 1..4 stores nothing; the
    // write is still answered so the PC does not repeat it for ever.
    memory_.writeValue(address, size, value);
    return echoValueWrite(req, kWriteValue);
}

// The answer to a value or parameter write echoes its address, size and value.
ControllerSim::Reply ControllerSim::echoValueWrite(const std::uint8_t* req, std::uint8_t code) {
    ReplyFrame f(48, req[1], code);
    f.setU32(32, readU32LE(req + 32));
    f.setU16(36, readU16LE(req + 36));
    f.setU32(40, readU32LE(req + 40));
    return {f.finish()};
}

ControllerSim::Reply ControllerSim::readOneValue(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    ReplyFrame f(48, req[1], kReadValue);
    f.setU32(32, address);
    f.setU16(36, size);
    // The value goes out as the bytes lie in memory (big-endian where the controller keeps it so).
    if (size >= 1 && size <= 4) memory_.read(address, f.data() + 40, size);
    return {f.finish()};
}

ControllerSim::Reply ControllerSim::writeAxisParameter(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    const std::uint32_t value = readU32LE(req + 40);
    memory_.writeParameterValue(address, size, value);
    return echoValueWrite(req, kWriteAxisParameter);
}

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

// --- Initialise -------------------------------------------------------------

ControllerSim::Reply ControllerSim::initialise(const std::uint8_t* req) {
    const std::uint8_t scope = req[32];
    if (scope < 1 || scope > 3) return {};  // nothing reset: no "done" reply
    const SettingsImage defaults = makeDefaultSettingsImage();
    SettingsImage image = memory_.toImage();
    auto restore = [&](std::size_t offset, std::size_t size) {
        std::memcpy(image.data() + offset, defaults.data() + offset, size);
    };
    if (scope == 3) {
        image = defaults;
    } else if (scope == 1) {
        // Axis settings: pulse-axis records, network communication parameters
        // and the head of every network driver record.
        restore(layout::kPulseAxes, layout::kPulseAxisSize * layout::kPulseAxisCount);
        restore(layout::kNetworkCommParams, layout::kNetworkCommParamsSize);
        for (std::size_t d = 0; d < static_cast<std::size_t>(layout::kNetworkDriverCount); ++d)
            restore(layout::kNetworkDrivers + layout::kNetworkDriverSize * d, layout::kNetworkPointsStart);
    } else {
        // Parameters: position blocks, network points, sensor logic, timers, counters.
        restore(layout::kPositionBlocks, ControllerMemory::kPositionsSize);
        for (std::size_t d = 0; d < static_cast<std::size_t>(layout::kNetworkDriverCount); ++d)
            restore(layout::kNetworkDrivers + layout::kNetworkDriverSize * d + layout::kNetworkPointsStart,
                    layout::kNetworkDriverSize - layout::kNetworkPointsStart);
        restore(layout::kFlagWords, layout::kFlagWordsSize);
        restore(layout::kTimers, 2 * layout::kTimerCount);
        restore(layout::kCounters, 4 * layout::kCounterCount);
    }
    memory_.loadImage(image);
    lastInitialise_ = scope;
    ReplyFrame f(36, req[1], kInitialise);
    return {f.finish()};
}

// --- Settings write ---------------------------------------------------------

ControllerSim::Reply ControllerSim::settingsBlock(const std::uint8_t* req, std::size_t length) {
    if (length < 41) return {};
    const std::size_t count = readU16LE(req + 32);
    const std::size_t index = readU16LE(req + 34);
    const std::size_t n = readU16LE(req + 36);
    const int areaNumber = req[38];
    const std::size_t size = areaSize(areaNumber);
    if (size == 0 || n > kBlockSize || length != 41 + n || count == 0 || index >= count) return {};

    // Blocks collect in a staging copy; memory changes only when the whole
    // area has arrived, so a broken transfer leaves nothing half written.
    SettingsArea& area = areas_[static_cast<std::size_t>(areaNumber - 1)];
    if (index == 0 || count != area.count) {
        area.staging.assign(size, 0);
        area.received.assign(count, false);
        area.count = count;
    }
    const std::size_t offset = index * kBlockSize;
    const std::size_t expected = offset < size ? std::min(kBlockSize, size - offset) : 0;
    if (n == expected && expected > 0) {
        std::memcpy(&area.staging[offset], req + 39, n);
        area.received[index] = true;
    }
    if (index + 1 < count) return {};

    const std::size_t expectedCount = (size + kBlockSize - 1) / kBlockSize;
    const bool whole = count == expectedCount &&
                       std::all_of(area.received.begin(), area.received.end(), [](bool b) { return b; });
    const bool accepted = whole && faults_.rejectSettingsArea != areaNumber && faults_.receptionErrorSettingsArea != areaNumber;
    if (accepted) {
        commitSettingsArea(areaNumber, area.staging);
        areasAccepted_.push_back(areaNumber);
    }
    area = SettingsArea{};

    ReplyFrame f(60, req[1], kSettingsFinalCode);
    f.setU16(32, accepted ? 1 : 0);
    if (faults_.receptionErrorSettingsArea == areaNumber) {
        // The reception-failure reply: its big-endian words 0..28 add up to 0xFFFF.
        std::uint16_t sum = 0;
        for (std::size_t w = 0; w < 28; ++w) sum = static_cast<std::uint16_t>(sum + readBE(f.data() + 2 * w, 2));
        writeBE(f.data() + 56, 2, static_cast<std::uint16_t>(0xFFFF - sum));
    }
    return {f.finish()};
}

void ControllerSim::commitSettingsArea(int area, const Bytes& bytes) {
    if (area == 1) {
        // The four pulse-axis records, each into its place of the parameter space.
        for (std::uint32_t a = 0; a < layout::kPulseAxisCount; ++a)
            memory_.writeParameters(ControllerMemory::kParameterStride * a + ControllerMemory::kParameterBase,
                                    bytes.data() + layout::kPulseAxisSize * a, layout::kPulseAxisSize);
    } else if (area == 2) {
        memory_.write(ControllerMemory::kPositions, bytes.data(), bytes.size());
    } else {
        // The blocks arrive in the PC's order; the controller keeps the network fields big-endian.
        Bytes swapped = bytes;
        ControllerMemory::swapNetworkArea(swapped.data());
        memory_.write(ControllerMemory::kNetwork, swapped.data(), swapped.size());
    }
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

std::uint8_t ControllerSim::firstProgramNumber() const {
    // The first program section header "\tPROG\t#nnn" of the program file.
    const std::size_t at = programFile_.find("PROG\t#");
    if (at == std::string::npos) return 1;
    int number = 0;
    for (std::size_t i = at + 6; i < programFile_.size() && i < at + 9; ++i) {
        if (programFile_[i] < '0' || programFile_[i] > '9') break;
        number = number * 10 + (programFile_[i] - '0');
    }
    return static_cast<std::uint8_t>(number >= 1 && number <= 255 ? number : 1);
}

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

// --- FLASH ------------------------------------------------------------------

ControllerSim::Reply ControllerSim::flashStep(const std::uint8_t* req) {
    const int step = req[32];
    ReplyFrame f(60, req[1], kFlashStep);
    if (step > 2 || step == faults_.flashFailStep) {
        f.setU8(32, 0);
    } else if (step == faults_.flashVerifyErrorStep) {
        f.setU8(32, 0);
        f.setU16(34, 1);
    } else {
        f.setU8(32, 1);
        flashSteps_.push_back(step);
        if (step == 2) ++flashWrites_;
    }
    return {f.finish()};
}

// --- State for tests and hosts ------------------------------------------------

ControllerSim::Bytes ControllerSim::readMemory(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    Bytes out(size, 0);
    memory_.read(address, out.data(), size);
    return out;
}

std::optional<std::uint32_t> ControllerSim::readValue(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    return memory_.readValue(address, size);
}

void ControllerSim::writeValue(std::uint32_t address, std::size_t size, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    memory_.writeValue(address, size, value);
}

ControllerSim::Bytes ControllerSim::readParameters(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    Bytes out(size, 0);
    memory_.readParameters(address, out.data(), size);
    return out;
}

SettingsImage ControllerSim::settingsImage() const {
    std::lock_guard lock(mutex_);
    return memory_.toImage();
}

void ControllerSim::loadSettingsImage(const SettingsImage& image) {
    std::lock_guard lock(mutex_);
    memory_.loadImage(image);
}

std::string ControllerSim::programFile() const {
    std::lock_guard lock(mutex_);
    return programFile_;
}

void ControllerSim::setProgramFile(const std::string& text) {
    std::lock_guard lock(mutex_);
    programFile_ = text;
}

void ControllerSim::setCompileError(std::optional<CompileError> error) {
    std::lock_guard lock(mutex_);
    compileError_ = error;
}

int ControllerSim::compileCount() const {
    std::lock_guard lock(mutex_);
    return compileCount_;
}

std::uint16_t ControllerSim::modeWord() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

void ControllerSim::setModeWord(std::uint16_t mode) {
    std::lock_guard lock(mutex_);
    mode_ = mode;
}

std::uint8_t ControllerSim::alarmCode() const {
    std::lock_guard lock(mutex_);
    return alarmCode_;
}

void ControllerSim::raiseAlarm(std::uint8_t code) {
    std::lock_guard lock(mutex_);
    raiseAlarmLocked(code);
}

std::array<std::uint8_t, 10> ControllerSim::alarmHistory() const {
    std::lock_guard lock(mutex_);
    return alarmHistory_;
}

void ControllerSim::setAlarmHistory(const std::array<std::uint8_t, 10>& history) {
    std::lock_guard lock(mutex_);
    alarmHistory_ = history;
}

SimStatus ControllerSim::status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void ControllerSim::setStatus(const SimStatus& status) {
    std::lock_guard lock(mutex_);
    status_ = status;
}

SimOutputs ControllerSim::outputs() const {
    std::lock_guard lock(mutex_);
    return outputs_;
}

bool ControllerSim::running() const {
    std::lock_guard lock(mutex_);
    return std::any_of(status_.runFlags.begin(), status_.runFlags.end(), [](std::uint8_t f) { return f != 0; });
}

std::vector<int> ControllerSim::flashStepsDone() const {
    std::lock_guard lock(mutex_);
    return flashSteps_;
}

int ControllerSim::flashWriteCount() const {
    std::lock_guard lock(mutex_);
    return flashWrites_;
}

int ControllerSim::lastInitialiseScope() const {
    std::lock_guard lock(mutex_);
    return lastInitialise_;
}

std::vector<int> ControllerSim::settingsAreasAccepted() const {
    std::lock_guard lock(mutex_);
    return areasAccepted_;
}

int ControllerSim::requestCount(std::uint8_t code) const {
    std::lock_guard lock(mutex_);
    return requestCounts_[code];
}

ControllerSim::Bytes ControllerSim::lastRequest(std::uint8_t code) const {
    std::lock_guard lock(mutex_);
    auto it = lastRequests_.find(code);
    return it == lastRequests_.end() ? Bytes{} : it->second;
}

int ControllerSim::badFrameCount() const {
    std::lock_guard lock(mutex_);
    return badFrames_;
}

SimFaults ControllerSim::faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void ControllerSim::setFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    hangUpDue_ = false;
}

std::pair<std::size_t, bool> ControllerSim::hangUpAllowance(std::size_t wanted) {
    std::lock_guard lock(mutex_);
    if (faults_.hangUpAfterBytes < 0) return {wanted, false};
    const auto remaining = static_cast<std::size_t>(faults_.hangUpAfterBytes);
    const std::size_t allowed = std::min(wanted, remaining);
    faults_.hangUpAfterBytes -= static_cast<long long>(allowed);
    if (faults_.hangUpAfterBytes > 0) return {allowed, false};
    faults_.hangUpAfterBytes = -1;
    hangUpDue_ = false;
    return {allowed, true};
}

bool ControllerSim::hangUpDue() const {
    std::lock_guard lock(mutex_);
    return hangUpDue_;
}

}  // namespace vantrel
