#include "sim/TaskRunner.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "data/ControllerMode.h"
#include "sim/PulseAxisSim.h"

namespace vantrel {

using namespace simprog;

namespace {

// Rounds of steps one advance runs at most: a program that loops without
// waiting goes on at the next advance.
constexpr int kRoundsPerAdvance = 1000;
constexpr auto kStepRun = static_cast<std::uint16_t>(ControllerMode::StepRun);
constexpr auto kAutoRun = static_cast<std::uint16_t>(ControllerMode::AutoRun);
// The bits of a pulse axis' sensor nibble.
constexpr std::array<std::uint8_t, 3> kSensorBits{PulseAxisSim::kHomesBit, PulseAxisSim::kPlusLimitBit,
                                                 PulseAxisSim::kMinusLimitBit};

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool compare(std::int64_t a, CompareOp op, std::int64_t b) {
    switch (op) {
    case CompareOp::Equal: return a == b;
    case CompareOp::NotEqual: return a != b;
    case CompareOp::Less: return a < b;
    case CompareOp::Greater: return a > b;
    }
    return false;
}

}  // namespace

TaskRunner::TaskRunner(const ControllerMemory& memory, std::shared_ptr<const ProgramSet> programs)
    : memory_(memory), settings_(memory), programs_(std::move(programs)) {
    variables_.assign(programs_->variables.size(), 0);
    timerStarts_.fill(-1);
    accelEntries_.fill(kDefaultAccelEntry);
}

const std::vector<Instruction>* TaskRunner::programOf(int number) const {
    const auto it = programs_->programs.find(number);
    return it == programs_->programs.end() ? nullptr : &it->second;
}

std::int32_t TaskRunner::variable(std::string_view name) const {
    const auto& names = programs_->variables;
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? 0 : variables_[static_cast<std::size_t>(it - names.begin())];
}

// --- Run and stop ---------------------------------------------------------------

void TaskRunner::activate(int index, int program) {
    Task& t = tasks_[static_cast<std::size_t>(index)];
    t = Task{};
    t.active = true;
    t.baseProgram = t.program = program;
}

void TaskRunner::endTask(int index) {
    tasks_[static_cast<std::size_t>(index)] = Task{};
    if (pausedBy_ == index) pausedBy_ = -1;
}

void TaskRunner::start(Machine& machine) {
    const bool anyActive = std::any_of(tasks_.begin(), tasks_.end(), [](const Task& t) { return t.active; });
    if (!tasks_[0].active && (machine.mode() == kAutoRun || !anyActive) && programOf(kMainProgram)) {
        activate(0, kMainProgram);
    }
    if (machine.mode() == kStepRun)
        for (Task& t : tasks_)
            if (t.active && !t.started) t.credits = 1;
    publish(machine);
    advance(machine, machine.now());
}

void TaskRunner::stop(Machine& machine) {
    for (Task& t : tasks_) t = Task{};
    pausedBy_ = -1;
    ++generation_;
    publish(machine);
    machine.stopAll();
}

void TaskRunner::publish(Machine& machine) const {
    for (int i = 0; i < kTasks; ++i) {
        const Task& t = tasks_[static_cast<std::size_t>(i)];
        machine.setTask(i, static_cast<std::uint8_t>(t.active ? t.program : 0),
                        static_cast<std::uint8_t>(t.active ? std::clamp(t.step, 0, 255) : 0));
    }
}

void TaskRunner::advance(Machine& machine, std::int64_t nowMillis) {
    now_ = nowMillis;
    // Nothing runs: the pairs were reported when the last task ended.
    if (std::none_of(tasks_.begin(), tasks_.end(), [](const Task& t) { return t.active; })) return;
    const std::uint64_t generation = generation_;
    for (int round = 0; round < kRoundsPerAdvance; ++round) {
        bool progressed = false;
        for (int i = 0; i < kTasks; ++i) {
            if (!tasks_[static_cast<std::size_t>(i)].active) continue;
            progressed = runTask(machine, i) || progressed;
            if (generation_ != generation) return;  // stopped by an alarm on the way
        }
        if (!progressed) break;
    }
    publish(machine);
}

// One look at a task: finishes its wait or carries out its next step. True
// when it got on.
bool TaskRunner::runTask(Machine& machine, int index) {
    Task& t = tasks_[static_cast<std::size_t>(index)];
    if (t.wait.kind != Wait::Kind::None) {
        const std::uint64_t generation = generation_;
        if (!waitOver(machine, t)) return false;
        if (generation_ != generation) return true;  // an alarm on the way ended every task
        t.wait = Wait{};
        t.started = false;
        ++t.step;
        return true;
    }
    if (pausedBy_ >= 0 && pausedBy_ != index && !t.started) return false;
    if (!t.started) {
        if (machine.mode() == kStepRun) {
            if (t.credits == 0) return false;
            --t.credits;
        }
        t.started = true;
    }
    const std::uint64_t generation = generation_;
    const Flow f = execute(machine, index);
    if (generation_ != generation) return true;
    switch (f) {
    case Flow::Next:
        ++t.step;
        t.started = false;
        return true;
    case Flow::Jump:
        t.started = false;
        return true;
    case Flow::Block: return true;
    case Flow::Retry: return false;
    case Flow::End: endTask(index); return true;
    }
    return false;
}

bool TaskRunner::waitOver(Machine& machine, Task& task) {
    switch (task.wait.kind) {
    case Wait::Kind::Time: return now_ >= task.wait.until;
    case Wait::Kind::Condition: return holds(machine, programOf(task.program)->at(static_cast<std::size_t>(task.step)).condition);
    case Wait::Kind::Motion: return motionOver(machine, task.wait);
    case Wait::Kind::Arc: return !nextArcSegment(machine, task.wait.arc);
    case Wait::Kind::None: return true;
    }
    return true;
}

TaskRunner::Flow TaskRunner::execute(Machine& machine, int index) {
    Task& t = tasks_[static_cast<std::size_t>(index)];
    const std::vector<Instruction>* steps = programOf(t.program);
    // Past the last step: back to the caller, or the task ends.
    if (!steps || t.step >= static_cast<int>(steps->size())) return returnFromCall(t);
    return flow(machine, index, (*steps)[static_cast<std::size_t>(t.step)]);
}

TaskRunner::Flow TaskRunner::returnFromCall(Task& task) {
    if (task.calls.empty()) return Flow::End;
    std::tie(task.program, task.step) = task.calls.back();
    task.calls.pop_back();
    return Flow::Jump;
}

TaskRunner::Flow TaskRunner::flow(Machine& machine, int index, const Instruction& in) {
    Task& t = tasks_[static_cast<std::size_t>(index)];
    auto jumpTo = [&](int step) {
        t.step = step;
        return Flow::Jump;
    };
    auto call = [&](int program) {
        if (t.calls.size() >= kMaxCallDepth) {
            machine.raiseAlarm(kProgramAlarm);
            return Flow::End;
        }
        t.calls.emplace_back(t.program, t.step + 1);
        t.program = program;
        return jumpTo(0);
    };
    switch (in.op) {
    case Op::Nop:
    case Op::EndIf:
    case Op::Declare: return Flow::Next;
    case Op::Goto: return jumpTo(in.target);
    case Op::Gosub: return call(in.number);
    case Op::Return: return returnFromCall(t);
    case Op::End: return Flow::End;
    case Op::IfGoto: return holds(machine, in.condition) ? jumpTo(in.target) : Flow::Next;
    case Op::IfGosub: return holds(machine, in.condition) ? call(in.number) : Flow::Next;
    case Op::IfThen:
        return compare(valueOf(machine, in.left), in.compare, valueOf(machine, in.right)) ? Flow::Next : jumpTo(in.target);
    case Op::Else: return jumpTo(in.target);
    case Op::ProgramOn: {
        for (const Task& other : tasks_)
            if (other.active && other.baseProgram == in.number) return Flow::Next;
        const auto free = std::find_if(tasks_.begin(), tasks_.end(), [](const Task& o) { return !o.active; });
        if (free == tasks_.end()) {
            machine.raiseAlarm(kProgramAlarm);
            return Flow::End;
        }
        activate(static_cast<int>(free - tasks_.begin()), in.number);
        return Flow::Next;
    }
    case Op::ProgramOff:
        for (int i = 0; i < kTasks; ++i) {
            Task& other = tasks_[static_cast<std::size_t>(i)];
            if (!other.active || other.baseProgram != in.number) continue;
            if (i == index) return Flow::End;
            endTask(i);
        }
        return Flow::Next;
    case Op::In:
        if (holds(machine, in.condition)) return Flow::Next;
        t.wait.kind = Wait::Kind::Condition;
        return Flow::Block;
    case Op::Wait: {
        t.wait.kind = Wait::Kind::Time;
        t.wait.until = now_ + timerMillis(in.number);
        return Flow::Block;
    }
    case Op::Out: setOutputs(machine, in); return Flow::Next;
    case Op::Counter: {
        std::int32_t& c = counters_[static_cast<std::size_t>(in.number)];
        const std::int32_t next = in.kind == 0 ? c + 1 : in.kind == 1 ? c - 1 : in.kind == 2 ? 0 : in.value;
        c = std::clamp<std::int32_t>(next, 0, 1000000);
        return Flow::Next;
    }
    case Op::Memory: {
        int& m = memories_[static_cast<std::size_t>(in.number)];
        m = std::clamp(m + (in.kind == 0 ? 1 : -1), 0, 255);
        return Flow::Next;
    }
    case Op::Pause: pausedBy_ = in.on ? index : -1; return Flow::Next;
    case Op::Alarm: machine.raiseAlarm(static_cast<std::uint8_t>(kUserAlarmBase + in.number)); return Flow::End;
    case Op::Calc:
        if (calculate(machine, in)) return Flow::Next;
        machine.raiseAlarm(kProgramAlarm);
        return Flow::End;
    case Op::NetRead:
        remoteInputs_[static_cast<std::size_t>(in.number)] =
            static_cast<std::uint16_t>(machine.status().networkDrivers[static_cast<std::size_t>(in.number)].status);
        return Flow::Next;
    case Op::NetWrite: setOutputs(machine, in); return Flow::Next;
    case Op::Path:
        passDistances_.fill(0);
        for (int a = 0; a < 4; ++a)
            if (in.axes & (1u << a)) passDistances_[static_cast<std::size_t>(a)] = in.perAxis[static_cast<std::size_t>(a)];
        return Flow::Next;
    case Op::Acc:
        accelEntries_.fill(kDefaultAccelEntry);
        for (int a = 0; a < 4; ++a)
            if (in.axes & (1u << a)) accelEntries_[static_cast<std::size_t>(a)] = in.perAxis[static_cast<std::size_t>(a)];
        return Flow::Next;
    case Op::Shift:
        shiftPoints_[static_cast<std::size_t>(in.number)] = in.on ? in.point : 0;
        return Flow::Next;
    default: return motion(machine, t, in);
    }
}

// --- Values ------------------------------------------------------------------------

bool TaskRunner::holds(Machine& machine, const Condition& condition) const {
    for (const auto& group : condition.anyOf) {
        bool all = true;
        for (const ConditionTerm& term : group) {
            if (term.kind == ConditionTerm::Kind::Compare)
                all = compare(symbolValue(machine, term.symbol), term.op, term.value);
            else
                all = symbolOn(machine, term.symbol) == (term.kind == ConditionTerm::Kind::On);
            if (!all) break;
        }
        if (all) return true;
    }
    return false;
}

bool TaskRunner::timerContact(int timer) const {
    const std::int64_t started = timerStarts_[static_cast<std::size_t>(timer)];
    if (started < 0) return false;
    return now_ - started >= timerMillis(timer);
}

std::int64_t TaskRunner::timerMillis(int timer) const {
    const auto preset = memory_.readValue(ControllerMemory::kTimers + 2 * static_cast<std::uint32_t>(timer), 2);
    return 10 * static_cast<std::int64_t>(preset.value_or(0));
}

bool TaskRunner::symbolOn(Machine& machine, const IoSymbol& s) const {
    const SimStatus& st = machine.status();
    const auto axis = static_cast<std::size_t>(s.index);
    auto bit = [](std::uint32_t word, int n) { return ((word >> n) & 1u) != 0; };
    switch (s.family) {
    case IoFamily::Input: return bit(machine.generalInputs(), s.index);
    case IoFamily::HostInput: return bit(machine.hostInputs(), s.index);
    case IoFamily::Sensor: {
        // The sensor as detected: the input as wired, with its contact logic taken off.
        const auto wired = static_cast<std::uint8_t>(st.sensorInputs >> kSensorNibbleShift[axis]);
        const auto detected = static_cast<std::uint8_t>(wired ^ settings_.sensorLogic(s.index));
        return (detected & kSensorBits[static_cast<std::size_t>(s.bit)]) != 0;
    }
    case IoFamily::DriverInput: return bit(st.driverInputs[axis], s.bit);
    case IoFamily::Output: return bit(machine.generalOutputs(), s.index);
    case IoFamily::HostOutput: return bit(machine.hostOutputs(), s.index);
    case IoFamily::DriverOutput: return bit(machine.driverOutputs(s.index), s.bit);
    case IoFamily::Timer: return timerContact(s.index);
    case IoFamily::Counter: return counters_[axis] != 0;
    case IoFamily::CounterUp: {
        const auto preset = memory_.readValue(ControllerMemory::kCounters + 4 * static_cast<std::uint32_t>(s.index), 4);
        return counters_[axis] == static_cast<std::int32_t>(preset.value_or(0));
    }
    case IoFamily::Memory: return memories_[axis] != 0;
    case IoFamily::RemoteInput: return bit(remoteInputs_[axis], s.bit);
    case IoFamily::RemoteOutput: return bit(st.networkDrivers[axis].inputs, s.bit);
    case IoFamily::AxisState:
        switch (s.bit) {
        case 0: return machine.axisBusy(s.index);
        case 1: return !machine.axisBusy(s.index);
        case 2: return bit(st.driverInputs[axis], 4);  // HOME-END
        default: return bit(st.driverInputs[axis], 1);  // ALM
        }
    }
    return false;
}

std::int32_t TaskRunner::symbolValue(Machine& machine, const IoSymbol& s) const {
    switch (s.family) {
    case IoFamily::Counter:
    case IoFamily::CounterUp: return counters_[static_cast<std::size_t>(s.index)];
    case IoFamily::Memory: return memories_[static_cast<std::size_t>(s.index)];
    default: return symbolOn(machine, s) ? 1 : 0;
    }
}

std::int32_t TaskRunner::valueOf(Machine& machine, const ValueRef& v) const {
    switch (v.kind) {
    case ValueRef::Kind::Constant: return v.value;
    case ValueRef::Kind::Variable: return variables_[static_cast<std::size_t>(v.value)];
    case ValueRef::Kind::System: break;
    }
    // MR100..103 detected, MR104..107 command position, MR110..113 detected speed; MR040 no error.
    const int n = v.value;
    if (n >= 100 && n <= 103) return machine.axisValues(n - 100).detectedPosition;
    if (n >= 104 && n <= 107) return machine.axisValues(n - 104).commandPosition;
    if (n >= 110 && n <= 113) return machine.axisValues(n - 110).detectedSpeed;
    return 0;
}

bool TaskRunner::calculate(Machine& machine, const Instruction& in) {
    std::int64_t result = valueOf(machine, in.expression.first);
    for (const auto& [op, ref] : in.expression.rest) {
        const std::int64_t v = valueOf(machine, ref);
        switch (op) {
        case '+': result += v; break;
        case '-': result -= v; break;
        case '*': result *= v; break;
        default:
            if (v == 0) return false;
            result /= v;
            break;
        }
        result = saturate(result);
    }
    variables_[static_cast<std::size_t>(in.assignTo)] = saturate(result);
    return true;
}

void TaskRunner::setOutputs(Machine& machine, const Instruction& in) {
    for (const auto& [s, on] : in.outputs) {
        switch (s.family) {
        case IoFamily::Output: machine.setGeneralOutput(s.index + 1, on); break;
        case IoFamily::DriverOutput:
            machine.setProgramDriverOutputs(s.index, static_cast<std::uint8_t>(1u << s.bit), on);
            break;
        case IoFamily::Timer: {
            std::int64_t& started = timerStarts_[static_cast<std::size_t>(s.index)];
            if (!on)
                started = -1;
            else if (started < 0)
                started = now_;
            break;
        }
        case IoFamily::RemoteOutput:
            machine.setProgramNetworkInputs(s.index, static_cast<std::uint16_t>(1u << s.bit), on);
            break;
        default: break;
        }
    }
}

}  // namespace vantrel
