#pragma once

// Runs the compiled programs on the machine in up to eight tasks.
//
// Automatic run: the run request (or PRG-START) starts program 100 as task 0
// when task 0 is not running; ON starts a program in the first free task, OFF
// ends the task that runs a program. Step run: each run request lets every
// running task carry out one step (the first one starts program 100 and runs
// its first step). Stop, EXT-STOP and every alarm end all tasks.
//
// Each task reports the program it is in and the step it is at (the step it
// carries out, or the next one while it waits for a step request) through the
// machine's (program, step) pairs.
//
// Values the programs read and write (counters, memories, variables, timers,
// remote inputs) belong to the controller and are kept from one run to the
// next; a new compile starts them again from 0.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "sim/CompiledProgram.h"
#include "sim/ControllerMemory.h"
#include "sim/Machine.h"
#include "sim/MachineSettings.h"

namespace vantrel {

class TaskRunner : public ProgramRunner {
    using Condition = simprog::Condition;
    using IoSymbol = simprog::IoSymbol;
    using Instruction = simprog::Instruction;
    using ProgramSet = simprog::ProgramSet;
    using ValueRef = simprog::ValueRef;

public:
    static constexpr int kTasks = Machine::kTasks;
    static constexpr int kMainProgram = 100;
    static constexpr std::size_t kMaxCallDepth = 16;
    // Alarm codes of the runner: a program that cannot go on, and a user alarm n = 1..55 (41..95).
    static constexpr std::uint8_t kProgramAlarm = 3;
    static constexpr std::uint8_t kUserAlarmBase = 40;
    static constexpr std::uint8_t kNetworkAlarm = 96;
    // Acceleration table entry of an axis until an ACC chooses another.
    static constexpr int kDefaultAccelEntry = 25;

    TaskRunner(const ControllerMemory& memory, std::shared_ptr<const ProgramSet> programs);

    void start(Machine& machine) override;
    void stop(Machine& machine) override;
    void advance(Machine& machine, std::int64_t nowMillis) override;

    // What the programs keep, for the console and tests.
    std::int32_t variable(std::string_view name) const;
    std::int32_t counter(int index) const { return counters_.at(static_cast<std::size_t>(index)); }
    int memoryValue(int index) const { return memories_.at(static_cast<std::size_t>(index)); }

private:
    struct ArcPath {
        std::array<int, 2> axes{};
        std::array<double, 2> center{};  // position units
        double radius = 0;
        double startAngle = 0;
        double sweep = 0;               // signed, radians
        int segments = 0;
        int done = 0;                   // segments issued
        double speed = 0;               // along the path, Hz of the first axis
        std::array<std::int32_t, 2> end{};
    };
    struct Wait {
        enum class Kind : std::uint8_t { None, Motion, Time, Condition, Arc };
        Kind kind = Kind::None;
        std::uint32_t axes = 0;                 // machine axes 0..19
        bool toTargets = false;                 // a move: the pass distance applies
        std::array<double, 4> targets{};        // pulse axes' targets
        std::int64_t until = 0;
        ArcPath arc;
    };
    struct Task {
        bool active = false;
        int baseProgram = 0;  // the program it was started with
        int program = 0;      // the program it is in
        int step = 0;
        std::vector<std::pair<int, int>> calls;  // (program, step) to return to
        Wait wait;
        bool started = false;  // the present step has begun
        int credits = 0;       // steps it may begin in step run
    };
    enum class Flow { Next, Jump, Block, Retry, End };

    bool runTask(Machine& machine, int index);
    bool waitOver(Machine& machine, Task& task);
    Flow execute(Machine& machine, int index);
    Flow flow(Machine& machine, int index, const Instruction& in);
    void activate(int index, int program);
    void endTask(int index);  // also lifts the hold of its PAUSE
    // Back to the step after the last call, or the end of the task.
    static Flow returnFromCall(Task& task);
    void publish(Machine& machine) const;
    const std::vector<Instruction>* programOf(int number) const;

    // Values the programs read.
    bool holds(Machine& machine, const Condition& condition) const;
    bool symbolOn(Machine& machine, const IoSymbol& symbol) const;
    std::int32_t symbolValue(Machine& machine, const IoSymbol& symbol) const;
    std::int32_t valueOf(Machine& machine, const ValueRef& value) const;
    bool calculate(Machine& machine, const Instruction& in);
    void setOutputs(Machine& machine, const Instruction& in);
    bool timerContact(int timer) const;
    std::int64_t timerMillis(int timer) const;  // the timer's preset

    // Motion (TaskRunnerMotion.cpp).
    Flow motion(Machine& machine, Task& task, const Instruction& in);
    Flow move(Machine& machine, Task& task, const Instruction& in);
    Flow line(Machine& machine, Task& task, const Instruction& in);
    Flow arc(Machine& machine, Task& task, const Instruction& in);
    Flow home(Machine& machine, Task& task, const Instruction& in);
    Flow networkMove(Machine& machine, Task& task, const Instruction& in);
    // Next without the wait flag; else the task waits for `axes` to stop (at
    // `targets`, for moves the pass distance may end early).
    static Flow waitForMotion(Task& task, bool wait, std::uint32_t axes,
                              const std::array<std::int32_t, Machine::kPulseAxes>* targets = nullptr);
    bool nextArcSegment(Machine& machine, ArcPath& arc);
    bool motionOver(Machine& machine, const Wait& wait) const;
    // Where a point sends an axis, in its position unit; nothing when the point is not set.
    std::optional<std::int32_t> pointTarget(Machine& machine, int axis, int point, bool incremental) const;
    double pulseSpeed(int axis, int rate) const;  // Hz of a speed rate in percent, with the speed level
    int speedLevelPercent() const;                // 20..100: the share of every speed the speed level leaves
    std::int32_t accelTime(int axis) const;       // 0.01 s
    double unitsPerPulse(int axis) const;

    const ControllerMemory& memory_;
    MachineSettings settings_;
    std::shared_ptr<const ProgramSet> programs_;
    std::array<Task, kTasks> tasks_{};
    std::uint64_t generation_ = 0;  // changes when every task ends (stop, alarm)
    int pausedBy_ = -1;             // the task whose PAUSE ON holds the others
    std::int64_t now_ = 0;
    std::vector<std::int32_t> variables_;
    std::array<std::int32_t, 8> counters_{};
    std::array<int, 96> memories_{};
    std::array<std::int64_t, 100> timerStarts_{};  // -1: not running
    std::array<std::uint16_t, 16> remoteInputs_{};
    std::array<int, 4> accelEntries_{};
    std::array<std::int32_t, 4> passDistances_{};
    std::array<int, 2> shiftPoints_{};              // 0: shift off
};

}  // namespace vantrel
