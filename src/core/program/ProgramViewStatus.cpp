#include "program/ProgramViewStatus.h"

#include <cstdio>

#include "data/ControllerMode.h"
#include "program/ProgramListing.h"

namespace vantrel {

std::string ProgramViewStatus::runningTaskText(const RunningTask& task) {
    char text[64];
    std::snprintf(text, sizeof text, "タスク%d: #%03d ステップ%03d", task.task, task.program, task.step + 1);
    return text;
}

namespace {
std::string runningTasksText(const std::vector<RunningTask>& tasks) {
    std::string text;
    for (const RunningTask& task : tasks) {
        if (!text.empty()) text += ProgramViewStatus::kTaskSeparator;
        text += ProgramViewStatus::runningTaskText(task);
    }
    return text;
}
}  // namespace

std::string_view ProgramViewStatus::modeText() const { return controllerModeName(mode_); }

bool ProgramViewStatus::moveRunningRow(const ProgramViewStatusInput& input, Changes& changes) {
    // The first pair that runs the program shown and is not the row already
    // highlighted moves the highlight; with two tasks in the program shown the
    // highlight thus alternates between their steps.
    for (const TaskPosition& task : input.tasks) {
        if (task.program != input.programShown) continue;
        if (task.step == runningRow_) continue;
        changes.previousRunningRow = runningRow_;
        runningRow_ = task.step;
        changes.runningRow = runningRow_;
        changes.scrollRow = scrollRowFor(runningRow_);
        changes.runningRowMoved = true;
        return true;
    }
    return false;
}

ProgramViewStatus::Changes ProgramViewStatus::tick(const ProgramViewStatusInput& input, CompileState& compile) {
    Changes changes;
    if (input.mode != mode_) {
        const bool wasRunMode = runMode();
        mode_ = input.mode;
        changes.modeChanged = true;
        if (runMode() != wasRunMode) {
            if (runningRow_ >= 0) changes.previousRunningRow = runningRow_;
            runningRow_ = -1;
        }
    }
    if (input.programShown != programShown_) {
        programShown_ = input.programShown;
        runningRow_ = -1;
    }

    if (compile.finished) {
        compile.finished = false;
        if (compile.lastStatus == CompileResult::kControllerError) changes.showErrorProgram = true;
    }

    runningTasks_.clear();
    if (runMode())
        for (std::size_t i = 0; i < input.tasks.size(); ++i)
            if (input.tasks[i].program != 0)
                runningTasks_.push_back({static_cast<int>(i), input.tasks[i].program, input.tasks[i].step});
    std::string text = runningTasks_.empty() ? std::string(programStatusText(compile.errorNumber, input.storeClean))
                                             : runningTasksText(runningTasks_);
    const bool onRed = compile.lastStatus == CompileResult::kControllerError && compile.errorNumber >= 1 &&
                       compile.errorNumber <= 10 && compile.errorProgram == input.programShown;
    if (!statusKnown_ || text != statusText_ || onRed != statusOnRed_) {
        statusKnown_ = true;
        statusText_ = std::move(text);
        statusOnRed_ = onRed;
        changes.statusChanged = true;
    }

    if (runMode()) moveRunningRow(input, changes);
    return changes;
}

}  // namespace vantrel
