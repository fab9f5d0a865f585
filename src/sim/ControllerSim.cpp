#include "sim/ControllerSim.h"

#include <algorithm>
#include <chrono>

#include "data/ByteOrder.h"
#include "data/DefaultImage.h"
#include "link/FrameCrc.h"
#include "sim/ReplyFrame.h"
#include "sim/SimProtocol.h"

namespace vantrel {

using namespace simproto;

ControllerSim::ControllerSim() : ControllerSim(makeDefaultSettingsImage()) {}

ControllerSim::ControllerSim(const SettingsImage& image) {
    memory_.loadImage(image);
    machine_.reloadSettings();
    machine_.setFirstProgram(firstProgramNumber());
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
    machine_.advanceTo(clock_());
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
    f.setU16(82, machine_.mode());
    // The PC takes this mode as its requested mode.
    lastRequestedMode_ = machine_.mode();
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
