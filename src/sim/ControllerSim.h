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
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/SettingsImage.h"
#include "sim/ControllerMemory.h"
#include "sim/SimFaults.h"

namespace vantrel {

// Positions and speeds of one axis as the status poll and the JOG reply report them.
struct SimAxisValues {
    std::int32_t commandPosition = 0;
    std::int32_t detectedPosition = 0;
    std::int32_t commandSpeed = 0;
    std::int32_t detectedSpeed = 0;
};

struct SimNetworkDriver {
    SimAxisValues values;
    std::uint32_t status = 0x20;  // reply 160 + 4i: driver outputs (bit 5 READY, bit 7 ALM)
    std::uint16_t alarmCode = 0;  // reply 176 + 2i
    std::uint16_t inputs = 0;     // reply 184 + 2i: the output word the PC last sent for the driver
};

// What the controller reports in the status poll, in plain (not inverted) form.
struct SimStatus {
    std::uint16_t generalInputs = 0;                            // IN1..IN16
    std::array<std::uint8_t, 4> driverInputs{0x01, 0x01, 0x01, 0x01};  // READY, ALM, TIM/ZSG2, END/IN-POS, HOME-END
    std::uint16_t hostInputs = 0;                               // EXT-STOP, PRG-START, PRG-STOP, ALM-RST
    std::uint16_t sensorInputs = 0;                             // axis 1 bits 7..4, 2: 3..0, 3: 15..12, 4: 11..8
    std::array<SimAxisValues, 4> pulseAxes{};
    std::array<SimNetworkDriver, 16> networkDrivers{};
    std::array<std::uint8_t, 8> runFlags{};                    // per task: running program number, 0 idle
    std::array<std::uint8_t, 8> stepValues{};                  // per task: step being run
};

// What the PC last sent in its status polls.
struct SimOutputs {
    std::uint8_t lastRunRequest = 0;  // last non-zero run request (0xD7 start, 0xD8 stop)
    std::uint16_t generalOutputs = 0;
    std::array<std::uint8_t, 4> driverOutputs{};
    std::uint16_t hostOutputs = 0;          // as received (bits 4..7 arrive set)
    int alarmResets = 0;                    // one-shot alarm resets received
    std::uint16_t networkAlarmResets = 0;   // every network alarm-reset mask received, OR-ed
    std::array<std::uint16_t, 16> networkOutputs{};
    std::uint16_t requestedMode = 0;
    std::uint16_t selectedGroup = 0;
    std::array<std::uint32_t, 3> lastRegisterRequest{};  // last non-empty network register request
};

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
    void writeMemory(std::uint32_t address, const Bytes& bytes);
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

    // Requests seen per code (well-formed frames only) and the last of each.
    int requestCount(std::uint8_t code) const;
    Bytes lastRequest(std::uint8_t code) const;
    int badFrameCount() const;

    SimFaults faults() const;
    void setFaults(const SimFaults& faults);
    // For the PtyServer's hang-up switch: how many of `wanted` bytes may still go
    // out, and whether the line is hung up after them.
    std::pair<std::size_t, bool> hangUpAllowance(std::size_t wanted);

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
    Reply initialise(const std::uint8_t* req);
    Reply settingsBlock(const std::uint8_t* req, std::size_t length);
    Reply alarmRecord(const std::uint8_t* req);
    Reply statusPoll(const std::uint8_t* req);
    Reply flashStep(const std::uint8_t* req);

    void applyRegisterRequest(const std::uint8_t* request12);
    void commitSettingsArea(int area, const Bytes& bytes);
    void raiseAlarmLocked(std::uint8_t code);
    std::uint8_t firstProgramNumber() const;
    static bool consume(CodeFault& fault, std::uint8_t code);

    mutable std::mutex mutex_;
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
    std::array<std::map<std::uint16_t, std::uint16_t>, 16> registers_;
};

}  // namespace vantrel
