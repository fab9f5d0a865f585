#pragma once

// The simulated controller: a pure request -> reply engine. It holds the
// controller's memory (see ControllerMemory), its program file and the record
// of what the PC sent, and answers every request code of the controller
// protocol with the reply layout the PC reads. Beside it stands the machine
// (Machine): axes, sensors, I/O, alarms and run state, which the engine
// advances to the clock's time before each request and which JOG, status poll
// and register requests act on.
// No I/O and no threads of its own; every public call takes one lock, so a
// server thread may call handle() while tests and the console read and change
// the state.
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
#include "sim/Machine.h"
#include "sim/ProgramCompiler.h"
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
    // Whether the controller compiles the files it receives and runs their
    // programs (ProgramCompiler, TaskRunner). Off for a plain engine, which
    // accepts every file; the stand-alone machine turns it on.
    void setCompiling(bool on);
    // Compiles `text` as a received file; when accepted it becomes the
    // program file and its programs are the ones the controller runs.
    CompileVerdict loadPrograms(const std::string& text);
    // The default programs installed beside the program (Ncstepini.sys), as
    // the PC loads them at start; false when the file is missing or refused.
    bool loadDefaultPrograms();

    std::uint16_t modeWord() const;
    void setModeWord(std::uint16_t mode);

    std::uint8_t alarmCode() const;
    // Sets the current alarm and records it, newest first, in the alarm record;
    // every axis stops and the run ends.
    void raiseAlarm(std::uint8_t code);
    // Clears the current alarm whatever its cause (the record keeps it).
    void clearAlarm();
    std::array<std::uint8_t, 10> alarmHistory() const;
    void setAlarmHistory(const std::array<std::uint8_t, 10>& history);

    // What the controller reports. setStatus takes the values as the machine's
    // own; they stay until the machine changes them (a move, a sensor, an output).
    SimStatus status() const;
    void setStatus(const SimStatus& status);
    // What the PC last sent in its status polls.
    SimOutputs outputs() const;
    bool running() const;

    // General input n (1..16) as the machine's wiring would set it.
    void setGeneralInput(int input, bool on);
    // The controller's general outputs OUT1..OUT16 (what the status poll reads back).
    std::uint16_t generalOutputs() const;

    // How the machine moves: Instant (the default: a move is done when asked)
    // or Timed (speed and acceleration in the clock's time).
    void setMotionModel(MotionModel model);
    // The machine as vantrel-sim and the demo run it: timed motion, OUTn wired
    // to INn, programs compiled and run.
    void useStandAloneMachine();
    // Runs `f(Machine&)` under the lock, with the machine advanced to the
    // clock's time first: the way to set inputs, wiring, sensors and alarms,
    // and to move axes, from a console, a test or a program runner.
    template <class F>
    decltype(auto) withMachine(F&& f) {
        std::lock_guard lock(mutex_);
        machine_.advanceTo(clock_());
        return f(machine_);
    }

    // FLASH steps completed, in order, and the number of completed writes (step 2 done).
    std::vector<int> flashStepsDone() const;
    int flashWriteCount() const;
    // Scope byte of the last initialise request (0 when none).
    int lastInitialiseScope() const;
    // Areas (1..3) whose settings write was accepted, in order.
    std::vector<int> settingsAreasAccepted() const;

    // A monotonic clock in milliseconds, the machine's time. Tests set a clock of their own.
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
    std::uint8_t firstProgramNumber() const;
    // Takes an accepted file: the program file, and its programs for the runner.
    void acceptPrograms(std::string text, const CompileVerdict& verdict);
    static bool consume(CodeFault& fault, std::uint8_t code);

    mutable std::mutex mutex_;
    Clock clock_;
    ControllerMemory memory_;
    Machine machine_{memory_};
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
    bool compiling_ = false;
    std::array<SettingsArea, 3> areas_;
    std::vector<int> areasAccepted_;
    int lastRequestedMode_ = -1;  // requested mode of the last poll; -1 before any
    SimOutputs outputs_;
    std::vector<int> flashSteps_;
    int flashWrites_ = 0;
    int lastInitialise_ = 0;
    std::array<int, 256> requestCounts_{};
    std::map<std::uint8_t, Bytes> lastRequests_;
    int badFrames_ = 0;
    SimFaults faults_;
    bool hangUpDue_ = false;
};

}  // namespace vantrel
