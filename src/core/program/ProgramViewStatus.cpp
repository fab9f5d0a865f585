#include "program/ProgramViewStatus.h"

#include "data/ControllerMode.h"
#include "program/ProgramListing.h"

namespace vantrel {

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

    const std::string_view text = programStatusText(compile.errorNumber, input.storeClean);
    const bool onRed = compile.lastStatus == CompileResult::kControllerError && compile.errorNumber >= 1 &&
                       compile.errorNumber <= 10 && compile.errorProgram == input.programShown;
    if (!statusKnown_ || text != statusText_ || onRed != statusOnRed_) {
        statusKnown_ = true;
        statusText_ = text;
        statusOnRed_ = onRed;
        changes.statusChanged = true;
    }

    if (runMode()) moveRunningRow(input, changes);
    return changes;
}

}  // namespace vantrel
