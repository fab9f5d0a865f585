#pragma once

// The program editor's 100 ms status refresh, without the window: from the
// controller's mode, the eight (program, step) pairs of its tasks, the store's
// clean flag and the last compile, it keeps the mode and status texts and the
// running-step row, and tells the window what changed since the last tick, so
// that a tick where nothing changed touches nothing on screen.
//
// In the run modes the status field says where each running task is
// ("タスク0: #001 ステップ003"), so a task in a program other than the one shown
// is not lost from sight.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "program/ProgramCompile.h"

namespace vantrel {

struct TaskPosition {
    int program = 0;  // 0: the task runs no program
    int step = 0;     // step index in that program
};

// A task that runs a program, as the status field names it.
struct RunningTask {
    int task = 0;
    int program = 0;
    int step = 0;
    bool operator==(const RunningTask&) const = default;
};

struct ProgramViewStatusInput {
    static constexpr int kTaskCount = 8;
    int mode = 0;  // the controller's mode word
    std::array<TaskPosition, kTaskCount> tasks{};
    bool storeClean = true;
    int programShown = 0;
};

class ProgramViewStatus {
public:
    struct Changes {
        bool modeChanged = false;       // show or hide the edit controls (refill when back in edit-test mode)
        bool statusChanged = false;     // status text or its colour
        bool showErrorProgram = false;  // a compile error was just reported: switch to its program once
        bool runningRowMoved = false;   // redraw previousRunningRow and runningRow, scroll to scrollRow
        int previousRunningRow = -1;
        int runningRow = -1;
        int scrollRow = -1;

        bool any() const { return modeChanged || statusChanged || showErrorProgram || runningRowMoved; }
    };

    // One refresh. Consumes the compile's finished flag.
    Changes tick(const ProgramViewStatusInput& input, CompileState& compile);

    int mode() const { return mode_; }
    bool runMode() const { return mode_ == 1 || mode_ == 2; }
    // "編集テストモード", "ステップ実行モード", "自動実行モード"; empty for other modes.
    std::string_view modeText() const;
    // In a run mode while tasks run: where each is, separated by
    // kTaskSeparator. Otherwise the compile error name, "プログラム編集中" or
    // empty.
    const std::string& statusText() const { return statusText_; }
    // The tasks the status text names, in its order (empty outside the run modes).
    const std::vector<RunningTask>& runningTasks() const { return runningTasks_; }
    static constexpr std::string_view kTaskSeparator = "　";
    // "タスク0: #001 ステップ003": the step as the table numbers it (index + 1).
    static std::string runningTaskText(const RunningTask& task);
    // White on red: the program shown is the program of the compile error.
    bool statusOnRed() const { return statusOnRed_; }
    // The row of the step a task runs in the program shown (run modes), -1 none.
    int runningRow() const { return runMode() ? runningRow_ : -1; }
    // Forgets the running row (another program is shown).
    void clearRunningRow() { runningRow_ = -1; }

    // The row a scroll shows so that `step` is visible with the steps after it.
    static int scrollRowFor(int step) { return step > 20 ? step + 20 : step; }

private:
    bool moveRunningRow(const ProgramViewStatusInput& input, Changes& changes);

    int mode_ = -1;  // none yet: the first tick reports a change
    int programShown_ = -1;
    int runningRow_ = -1;
    std::vector<RunningTask> runningTasks_;
    std::string statusText_;
    bool statusOnRed_ = false;
    bool statusKnown_ = false;
};

}  // namespace vantrel
