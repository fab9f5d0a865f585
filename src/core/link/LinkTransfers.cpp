// The transfers of the link thread: the settings read (with the program read
// it leads into), the program read and send, the settings write and the FLASH
// write. The loop, the polls and the single values are in LinkThread.cpp.

#include "link/LinkThread.h"

#include <algorithm>
#include <cerrno>

#include "link/Replies.h"
#include "link/Requests.h"
#include "link/SettingsTransfer.h"
#include "platform/AtomicFile.h"
#include "platform/FileRead.h"

namespace vantrel {
namespace {

constexpr int kFlashPercentPerStep = 33;
constexpr int kArea1NoAnswerPercent = 98;
constexpr std::uint16_t kMaxPieceCount = 0xFFFF;

constexpr std::uint8_t op(LinkOp o) { return static_cast<std::uint8_t>(o); }

}  // namespace

// --- settings read -----------------------------------------------------------

void LinkThread::settingsRead() {
    settingsReadComplete_.store(false);
    if (!sendOrFail(makeSettingsReadRequest(link_.nextSequence(RequestCode::ReadSettings), SettingsPhase::Head)))
        return;
    std::array<std::uint8_t, replyLength::kSettingsPhase0> head{};
    const bool headArrived = link_.receive(head.data(), head.size()) == head.size();
    if (stopping()) return;
    if (headArrived) {
        // Phase 1: the pulse-axis parameter records.
        const Sent sent =
            sendFrame(makeSettingsReadRequest(link_.nextSequence(RequestCode::ReadSettings), SettingsPhase::PulseAxes));
        if (sent != Sent::Whole) {
            if (sent == Sent::Nothing) {
                notify([](LinkEvents& e) { e.verifyError(kSettingsReceptionFailed); });
            } else {
                finish(100, kFailed);
                link_.silentDisconnect.store(true);
                link_.linkLost();
            }
            return;
        }
        finish(0, kRunning);
        if (!receiveBulk(bulk_.data(), replyLength::kSettingsPhase1)) return;
        applyPulseAxisPhase(bulk_.data(), image_);
        reportStored(layout::kPulseAxes, layout::kPulseAxisSize * static_cast<std::size_t>(layout::kPulseAxisCount));

        // Phase 2: the controller memory.
        if (!sendOrFail(makeSettingsReadRequest(link_.nextSequence(RequestCode::ReadSettings), SettingsPhase::Memory)))
            return;
        if (!receiveBulk(bulk_.data(), replyLength::kSettingsPhase2)) return;
        applyMemoryPhase(bulk_.data(), image_);
        reportStored(0, image_.size());  // the memory phase touches almost every region
        settingsReadComplete_.store(true);
    }
    notify([](LinkEvents& e) { e.settingsReadDone(); });
    link_.setFilePathLocked(workingProgramFile());
    link_.setPendingOpLocked(op(LinkOp::ProgramRead));
}

// --- program file read and send ----------------------------------------------

void LinkThread::programRead() {
    const std::string path = link_.filePathLocked();
    if (!sendOrFail(makeProgramReadRequest(link_.nextSequence(RequestCode::ReadProgram), ProgramReadPhase::Size)))
        return;
    finish(0, kRunning);
    std::array<std::uint8_t, replyLength::kProgramSize> head{};
    const std::size_t got = link_.receive(head.data(), head.size());
    if (stopping()) return;
    const std::optional<std::uint32_t> announced = decodeProgramSize(head.data(), got);
    setNext(LinkOp::Idle);
    if (!announced) {
        // No size: the controller did not answer; end the progress window.
        finish(100, kNoAnswer);
        return;
    }
    if (*announced > kMaxProgramFileSize) {
        // More than the controller can hold: refuse instead of overrunning.
        finish(100, kFailed);
        return;
    }
    if (!sendOrFail(makeProgramReadRequest(link_.nextSequence(RequestCode::ReadProgram), ProgramReadPhase::File)))
        return;
    const std::size_t total = *announced + kBulkHeadSize;
    if (!receiveBulk(bulk_.data(), total)) return;
    // The working file is replaced only by a complete read, and atomically:
    // a failed write leaves the previous file whole.
    if (!writeFileAtomically(path, bulk_.data() + kBulkHeadSize, *announced)) {
        finish(100, kFileError);
        return;
    }
    notify([&path](LinkEvents& e) { e.programFileRead(path); });
    finish(100, kDone);
}

void LinkThread::programSend() {
    setNext(LinkOp::Idle);
    const FileContent file = readFile(link_.filePathLocked(), std::size_t{kMaxPieceCount} * kProgramPieceSize);
    // Too large for the piece count field: refused as below, not as unreadable.
    if (!file && file.result.error != EFBIG) {
        sleepFor(pauses().fileError);
        finish(100, kFileError);
        return;
    }
    const std::vector<std::uint8_t> bytes(file.bytes.begin(), file.bytes.end());
    const std::size_t pieces = (bytes.size() + kProgramPieceSize - 1) / kProgramPieceSize;
    if (bytes.empty() || pieces > kMaxPieceCount) {
        // Empty, or more pieces than the piece count field carries.
        sleepFor(pauses().fileError);
        finish(100, kFailed);
        return;
    }
    finish(0, kRunning);
    std::uint8_t lastSequence = 0;
    int lastPercent = 0;  // 0 % has just been reported
    for (std::size_t i = 0; i < pieces; ++i) {
        if (stopping()) return;
        const std::size_t at = kProgramPieceSize * i;
        const std::size_t count = std::min(kProgramPieceSize, bytes.size() - at);
        lastSequence = link_.nextSequence(RequestCode::SendProgramPiece);
        if (!sendOrFail(makeProgramPieceRequest(lastSequence, static_cast<std::uint16_t>(pieces),
                                                static_cast<std::uint16_t>(i), bytes.data() + at, count)))
            return;
        reportProgress(static_cast<int>(100 * i / pieces), lastPercent);
    }
    TransferResult result;  // no answer unless a final reply arrives
    for (int attempt = 0; attempt < kFinalReplyAttempts; ++attempt) {
        std::array<std::uint8_t, replyLength::kProgramFinal> reply{};
        const std::size_t got = link_.receive(reply.data(), reply.size());
        if (stopping()) return;
        if (const auto decoded = decodeProgramFinalReply(reply.data(), got, lastSequence)) {
            result = *decoded;
            break;
        }
        if (!sleepFor(pauses().emptyFinalRead)) return;
    }
    {
        std::lock_guard guard(stateLock_);
        transferResult_ = result;
    }
    notify([&result](LinkEvents& e) { e.programSendResult(result); });
    finish(100, kDone);
}

// --- settings write ----------------------------------------------------------------

void LinkThread::settingsWrite(SettingsArea area) {
    const SettingsAreaSpan span = settingsAreaSpan(area);
    const std::size_t blocks = settingsBlockCount(area);
    std::uint8_t lastSequence = 0;
    int lastPercent = -1;
    for (std::size_t i = 0; i < blocks; ++i) {
        if (stopping()) return;
        const std::size_t at = kSettingsBlockSize * i;
        const std::size_t count = std::min(kSettingsBlockSize, span.size - at);
        lastSequence = link_.nextSequence(RequestCode::WriteSettingsBlock);
        if (!sendOrFail(makeSettingsBlockRequest(lastSequence, static_cast<std::uint16_t>(blocks),
                                                 static_cast<std::uint16_t>(i), area,
                                                 image_.data() + span.offset + at, count)))
            return;
        reportProgress(static_cast<int>(100 * i / blocks), lastPercent);
    }
    // Only the last block of an area is answered.
    std::optional<bool> accepted;
    for (int attempt = 0; attempt < kFinalReplyAttempts && !accepted; ++attempt) {
        std::array<std::uint8_t, replyLength::kSettingsFinal> reply{};
        const std::size_t got = link_.receive(reply.data(), reply.size());
        if (stopping()) return;
        if (isSettingsReceptionFailure(reply.data(), got))
            notify([](LinkEvents& e) { e.verifyError(kSettingsReceptionFailed); });
        accepted = decodeSettingsFinalReply(reply.data(), got, lastSequence);
        if (!accepted && !sleepFor(got == 0 ? pauses().emptyFinalRead : pauses().otherFinalReply)) return;
    }
    setNext(LinkOp::Idle);
    switch (area) {
        case SettingsArea::PulseAxes:
            if (accepted)
                setNext(LinkOp::SettingsWriteArea2);  // whatever the flag says
            else
                finish(kArea1NoAnswerPercent, kNoAnswer);
            return;
        case SettingsArea::Positions:
            if (accepted && *accepted) {
                setNext(LinkOp::SettingsWriteArea3);
                queueSettingsSingleValues(image_, queues_);
                finish(100, kRunning);
            } else {
                finish(100, kFailed);
            }
            return;
        case SettingsArea::Network:
            if (accepted && *accepted) {
                finish(100, kDone);
                pauseAfter_ = pauses().settingsWritten;
            } else {
                finish(100, kFailed);
            }
            return;
    }
}

// --- FLASH write ---------------------------------------------------------------------

void LinkThread::flashWrite() {
    setNext(LinkOp::Idle);
    int completed = 0;
    for (int step = 0; step < kFlashSteps; ++step) {
        const std::uint8_t sequence = link_.nextSequence(RequestCode::FlashWriteStep);
        if (!sendOrFail(makeFlashWriteRequest(sequence, static_cast<std::uint8_t>(step)))) return;
        for (int attempt = 0; attempt < kFinalReplyAttempts; ++attempt) {
            std::array<std::uint8_t, replyLength::kFlashWriteStep> reply{};
            const std::size_t got = link_.receive(reply.data(), reply.size());
            if (stopping()) return;
            if (got < reply.size()) {
                if (!sleepFor(pauses().emptyFlashRead)) return;
                continue;
            }
            const FlashStepReply r = decodeFlashStepReply(reply.data(), got, sequence);
            if (r.verifyError) notify([](LinkEvents& e) { e.verifyError(kSettingFailed); });
            if (!r.sequenceMatches) {
                finish(100, kFailed);  // reported, and the waiting goes on
                continue;
            }
            if (!r.stepDone) {
                finish(100, kFailed);
                return;
            }
            ++completed;
            break;
        }
        if (link_.interruptFlag.load()) return;  // cancelled: the window has closed with 255
        finish(kFlashPercentPerStep * (step + 1), kRunning);
    }
    finish(100, completed == 0 ? kFailed : kDone);
}

}  // namespace vantrel
