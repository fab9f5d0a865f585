#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "program/ProgramViewStatus.h"

namespace vantrel {
namespace {

ProgramViewStatusInput running(int mode, std::vector<TaskPosition> tasks, int programShown = 5) {
    ProgramViewStatusInput input;
    input.mode = mode;
    input.programShown = programShown;
    for (std::size_t i = 0; i < tasks.size(); ++i) input.tasks[i] = tasks[i];
    return input;
}

class ProgramViewStatusTest : public ::testing::Test {
protected:
    ProgramViewStatus::Changes tick(const ProgramViewStatusInput& input) { return status.tick(input, compile); }
    ProgramViewStatus status;
    CompileState compile;
};

TEST_F(ProgramViewStatusTest, TheRunningRowFollowsTheFirstPairOfTheProgramShown) {
    struct Step {
        std::vector<TaskPosition> tasks;
        int expectedRow;  // -1: the highlight does not move
        int previousRow;
    };
    const Step steps[] = {
        {{{3, 10}, {5, 4}}, 4, -1},          // another program's pair is passed over
        {{{3, 10}, {5, 4}}, -1, 0},          // the row already highlighted: nothing
        {{{5, 4}, {5, 9}}, 9, 4},            // two tasks in the program: the other one moves it
        {{{5, 4}, {5, 9}}, 4, 9},            // ... and back: the highlight alternates
        {{{0, 0}, {7, 2}}, -1, 0},           // no task in the program: it stays
        {{{5, 0}}, 0, 4},
    };
    tick(running(2, {}));
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto changes = tick(running(2, steps[i].tasks));
        if (steps[i].expectedRow < 0) {
            EXPECT_FALSE(changes.runningRowMoved) << i;
            continue;
        }
        EXPECT_TRUE(changes.runningRowMoved) << i;
        EXPECT_EQ(changes.runningRow, steps[i].expectedRow) << i;
        EXPECT_EQ(changes.previousRunningRow, steps[i].previousRow) << i;
        EXPECT_EQ(status.runningRow(), steps[i].expectedRow) << i;
    }
}

TEST_F(ProgramViewStatusTest, TheStatusSaysWhereEachRunningTaskIsInTheRunModes) {
    const std::tuple<int, std::vector<TaskPosition>, std::vector<RunningTask>, const char*> cases[] = {
        {0, {{1, 2}}, {}, ""},  // edit-test mode: the usual text
        {1, {{1, 2}}, {{0, 1, 2}}, "タスク0: #001 ステップ003"},
        {2, {{0, 0}, {0, 4}, {5, 0}, {100, 254}}, {{2, 5, 0}, {3, 100, 254}},  // tasks without a program left out
         "タスク2: #005 ステップ001　タスク3: #100 ステップ255"},
    };
    for (const auto& [mode, tasks, named, text] : cases) {
        ProgramViewStatus fresh;
        EXPECT_TRUE(fresh.tick(running(mode, tasks), compile).statusChanged) << text;
        EXPECT_EQ(fresh.runningTasks(), named) << text;
        EXPECT_EQ(fresh.statusText(), text);
    }
    // The next step of a task is a change of the status; the same step is none.
    tick(running(1, {{1, 2}}));
    EXPECT_FALSE(tick(running(1, {{1, 2}})).statusChanged);
    EXPECT_TRUE(tick(running(1, {{1, 3}})).statusChanged);
}

TEST_F(ProgramViewStatusTest, ScrollShowsTwentyStepsAfterARowBeyondTwenty) {
    const std::pair<int, int> cases[] = {{0, 0}, {20, 20}, {21, 41}, {200, 220}};
    for (const auto& [step, scroll] : cases) {
        EXPECT_EQ(ProgramViewStatus::scrollRowFor(step), scroll) << step;
        ProgramViewStatus fresh;
        const auto changes = fresh.tick(running(1, {{5, step}}), compile);
        EXPECT_EQ(changes.scrollRow, scroll) << step;
    }
}

TEST_F(ProgramViewStatusTest, OnlyRunModesHighlightAndLeavingThemClearsTheRow) {
    auto changes = tick(running(0, {{5, 3}}));
    EXPECT_TRUE(changes.modeChanged);
    EXPECT_FALSE(changes.runningRowMoved);
    EXPECT_EQ(status.modeText(), "編集テストモード");
    EXPECT_EQ(status.runningRow(), -1);

    changes = tick(running(1, {{5, 3}}));
    EXPECT_TRUE(changes.modeChanged);
    EXPECT_EQ(status.modeText(), "ステップ実行モード");
    EXPECT_EQ(changes.runningRow, 3);

    changes = tick(running(2, {{5, 3}}));  // from one run mode to the other the row stays
    EXPECT_EQ(status.modeText(), "自動実行モード");
    EXPECT_FALSE(changes.runningRowMoved);
    EXPECT_EQ(status.runningRow(), 3);

    changes = tick(running(0, {{5, 3}}));
    EXPECT_EQ(changes.previousRunningRow, 3);  // to be redrawn without its colour
    EXPECT_EQ(status.runningRow(), -1);

    // Another program shown starts without a running row.
    tick(running(2, {{5, 3}}));
    tick(running(2, {{5, 3}}, 6));
    EXPECT_EQ(status.runningRow(), -1);
}

TEST_F(ProgramViewStatusTest, AnIdleTickReportsNothing) {
    ProgramViewStatusInput input = running(2, {{5, 8}, {1, 3}});
    EXPECT_TRUE(tick(input).any());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(tick(input).any()) << i;
    input.tasks = {};  // the tasks ended: the status says the store's state again
    input.storeClean = false;
    const auto changes = tick(input);
    EXPECT_TRUE(changes.statusChanged);
    EXPECT_FALSE(changes.modeChanged);
    EXPECT_EQ(status.statusText(), "プログラム編集中");
}

TEST_F(ProgramViewStatusTest, ACompileErrorSwitchesOnceAndColoursTheStatusOfItsProgram) {
    ProgramViewStatusInput input = running(0, {});
    input.programShown = 3;
    tick(input);
    compile = {CompileResult::kControllerError, 5, 7, 8, true};
    auto changes = tick(input);
    EXPECT_TRUE(changes.showErrorProgram);
    EXPECT_FALSE(compile.finished);
    EXPECT_EQ(status.statusText(), "ﾗﾍﾞﾙｴﾗｰ");
    EXPECT_FALSE(status.statusOnRed());  // program 3 is not the error's

    input.programShown = 7;
    changes = tick(input);
    EXPECT_FALSE(changes.showErrorProgram);
    EXPECT_TRUE(changes.statusChanged);
    EXPECT_TRUE(status.statusOnRed());

    // A compile that succeeds: clean store, empty status.
    compile = {CompileResult::kAccepted, 0, 0, 0, true};
    changes = tick(input);
    EXPECT_FALSE(changes.showErrorProgram);
    EXPECT_EQ(status.statusText(), "");
    EXPECT_FALSE(status.statusOnRed());
}

}  // namespace
}  // namespace vantrel
