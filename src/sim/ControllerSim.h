#pragma once

// The simulated controller: a pure request -> reply engine. It holds the
// controller's memory (see ControllerMemory), its program file, mode word,
// alarm record, status values and the outputs the PC sends, and answers every
// request code of the controller protocol with the reply layout the PC reads.
// No I/O and no threads of its own; every public call takes one lock, so a
// server thread may call handle() while tests read the state.
//
// Faults (SimFaults) act on the reply only: the request itself still takes
// effect, as when a reply is lost on the line.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/SettingsImage.h"
#include "sim/ControllerMemory.h"
#include "sim/SimFaults.h"
#include "sim/SimOutputs.h"
#include "sim/SimStatus.h"

namespace vantrel {

class ControllerSim {
public:
    using Bytes = std::vector<std::uint8_t>;
    using CompileError = std::array<std::uint16_t, 4>;  // the four result values of a refused compile

    // Starts from the default settings image, edit-test mode, no program.
    ControllerSim();
    explicit ControllerSim(const SettingsImage& image);

    // One request frame in, the reply out (empty when the controller stays silent).
    Bytes handle(const std::uint8_t* request, std::size_t length);
    Bytes handle(const Bytes& request) { return handle(request.data(), request.size()); }

    // Controller memory by address (0 .. 0x7FFFF), raw bytes in the controller's order.
    Bytes readMemory(std::uint32_t address, std::size_t size) const;
    // A value of 1..4 bytes in the order the controller keeps at that address.
    std::optional<std::uint32_t> readValue(std::uint32_t address, std::size_t size) const;
    void writeValue(std::uint32_t address, std::size_t size, std::uint32_t value);
    // Pulse-axis parameter space of the 0x0D request (2048 * axis + 256 + offset).
    Bytes readParameters(std::uint32_t address, std::size_t size) const;
    // The controller's settings as the PC's image (reserved last byte 0), and the reverse.
    SettingsImage settingsImage() const;
    void loadSettingsImage(const SettingsImage& image);

    // Program file (the text the compile sent and the program read returns).
    std::string programFile() const;
    void setProgramFile(const std::string& text);
    // Verdict of the next compiles: nothing = accept; values = refuse with these result values.
    void setCompileError(std::optional<CompileError> error);
    int compileCount() const;  // verdicts given

    std::uint16_t modeWord() const;
    void setModeWord(std::uint16_t mode);

    std::uint8_t alarmCode() const;
    // Sets the current alarm and records it, newest first, in the alarm record.
    void raiseAlarm(std::uint8_t code);
    std::array<std::uint8_t, 10> alarmHistory() const;
    void setAlarmHistory(const std::array<std::uint8_t, 10>& history);

    SimStatus status() const;
    void setStatus(const SimStatus& status);
    SimOutputs outputs() const;
    bool running() const;

    // FLASH steps completed, in order, and the number of completed writes (step 2 done).
    std::vector<int> flashStepsDone() const;
    int flashWriteCount() const;
    // Scope byte of the last initialise request (0 when none).
    int lastInitialiseScope() const;
    // Areas (1..3) whose settings write was accepted, in order.
    std::vector<int> settingsAreasAccepted() const;

    // A monotonic clock in milliseconds; a held JOG moves the axis at its speed
    // for the time between its requests. Tests set a clock of their own.
    using Clock = std::function<std::int64_t()>;
    void setClock(Clock clock);

    // Requests seen per code (well-formed frames only) and the last of each.
    int requestCount(std::uint8_t code) const;
    Bytes lastRequest(std::uint8_t code) const;
    int badFrameCount() const;

    SimFaults faults() const;
    void setFaults(const SimFaults& faults);
    // For the PtyServer's hang-up switch: how many of `wanted` bytes may still go
    // out, and whether the line is hung up after them.
    std::pair<std::size_t, bool> hangUpAllowance(std::size_t wanted);
    // Whether the hang-up at a chosen request is due at this frame, even if it has no reply.
    bool hangUpDue() const;

    // The name the identify reply carries.
    static constexpr const char* kControllerName = "MAIN";

private:
    struct Reply {
        Bytes bytes;
        bool bulk = false;  // a bulk block without check code
    };
    // The JOG motion in progress: the same operation on the same axis, asked
    // again within the motion gap, continues it.
    struct JogMotion {
        int operation = 0;
        int axis = -1;
        std::int64_t lastMillis = 0;
        std::int64_t remainder = 0;  // thousandths of a position unit not yet moved
    };
    struct SettingsArea {
        Bytes staging;
        std::vector<bool> received;
        std::size_t count = 0;
    };

    Reply answer(const std::uint8_t* req, std::size_t length);
    Reply identify(const std::uint8_t* req);
    Reply readSettings(const std::uint8_t* req);
    Reply programPiece(const std::uint8_t* req, std::size_t length);
    Reply readProgram(const std::uint8_t* req);
    Reply writeOneValue(const std::uint8_t* req);
    Reply readOneValue(const std::uint8_t* req);
    Reply jog(const std::uint8_t* req);
    Reply writeAxisParameter(const std::uint8_t* req);
    static Reply echoValueWrite(const std::uint8_t* req, std::uint8_t code);
    Reply initialise(const std::uint8_t* req);
    Reply settingsBlock(const std::uint8_t* req, std::size_t length);
    Reply alarmRecord(const std::uint8_t* req);
    Reply statusPoll(const std::uint8_t* req);
    Reply flashStep(const std::uint8_t* req);

    void applyRegisterRequest(const std::uint8_t* request12);
    void commitSettingsArea(int area, const Bytes& bytes);
    void raiseAlarmLocked(std::uint8_t code);
    std::uint8_t firstProgramNumber() const;
    std::int64_t jogDistance(int operation, int axis, std::int32_t speed);
    static bool consume(CodeFault& fault, std::uint8_t code);

    mutable std::mutex mutex_;
    Clock clock_;
    JogMotion jogMotion_;
    ControllerMemory memory_;
    std::string programFile_;
    std::string programSnapshot_;
    std::uint32_t announcedProgramSize_ = 0;
    bool programReadOpen_ = false;  // phase 0 answered, phase 1 not yet
    Bytes pieces_;
    std::vector<bool> piecesReceived_;
    std::size_t pieceCount_ = 0;
    std::size_t lastPieceLength_ = 0;
    std::optional<CompileError> compileError_;
    int compileCount_ = 0;
    std::array<SettingsArea, 3> areas_;
    std::vector<int> areasAccepted_;
    std::uint16_t mode_ = 0;
    int lastRequestedMode_ = -1;  // requested mode of the last poll; -1 before any
    std::uint8_t alarmCode_ = 0;
    std::array<std::uint8_t, 10> alarmHistory_{};
    SimStatus status_;
    SimOutputs outputs_;
    std::vector<int> flashSteps_;
    int flashWrites_ = 0;
    int lastInitialise_ = 0;
    std::array<int, 256> requestCounts_{};
    std::map<std::uint8_t, Bytes> lastRequests_;
    int badFrames_ = 0;
    SimFaults faults_;
    bool hangUpDue_ = false;
    std::array<std::map<std::uint16_t, std::uint16_t>, 16> registers_;
};

}  // namespace vantrel
