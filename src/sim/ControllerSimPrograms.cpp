#include "sim/ControllerSim.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "data/ByteOrder.h"
#include "platform/AppFolders.h"
#include "sim/ReplyFrame.h"
#include "sim/SimProtocol.h"
#include "sim/TaskRunner.h"

namespace vantrel {

using namespace simproto;

namespace {

// Result values of a compile that the controller refuses because the file did
// not arrive whole or exceeds its buffer: code size error, program 1, step 0.
constexpr ControllerSim::CompileError kIncompleteFileError{8, 1, 1, 0};

}  // namespace

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

    std::string file(reinterpret_cast<const char*>(pieces_.data()), size);
    CompileVerdict verdict;
    if (!error && compiling_) {
        verdict = compileProgramFile(file);
        if (!verdict.accepted()) error = verdict.values;
    }

    ReplyFrame f(60, req[1], kProgramFinalCode);
    if (error) {
        for (std::size_t i = 0; i < 4; ++i) f.setU16(34 + 2 * i, (*error)[i]);
    } else {
        f.setU16(32, 1);
        acceptPrograms(std::move(file), verdict);
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

void ControllerSim::acceptPrograms(std::string text, const CompileVerdict& verdict) {
    programFile_ = std::move(text);
    machine_.setFirstProgram(firstProgramNumber());
    if (verdict.programs) machine_.setProgramRunner(std::make_unique<TaskRunner>(memory_, verdict.programs));
}

void ControllerSim::setCompiling(bool on) {
    std::lock_guard lock(mutex_);
    compiling_ = on;
}

CompileVerdict ControllerSim::loadPrograms(const std::string& text) {
    std::lock_guard lock(mutex_);
    machine_.advanceTo(clock_());
    CompileVerdict verdict = compileProgramFile(text);
    if (verdict.accepted()) acceptPrograms(text, verdict);
    return verdict;
}

bool ControllerSim::loadDefaultPrograms() {
    std::ifstream file(exeFolderPath("Ncstepini.sys"), std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    return loadPrograms(text.str()).accepted();
}

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


}  // namespace vantrel
