#include "commands/TimerUsage.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Program 1 is the one being edited: its steps 0 and 2 wait on T2, step 1 on T20.
TEST(TimerUsageTest, CountsTheTimeWaitsOfEveryProgramButTheStepBeingEdited) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n\tWAIT\tT2\r\n\tWAIT\tT20\r\nL001\tWAIT\tT2\t;c\r\n\tOUT\tT2 ON\r\n"
                               "\tPROG\t#002\r\n;\tWAIT\tT2\r\n\tWAIT\tT2\r\n\tWAIT\tX2\r\n\tWAIT\tT0\r\n\tWAIT\tT101\r\n"
                               "\tPROG\t#003\r\n\tWAIT\tT100\r\n"));
    store.scanDirectory();
    store.selectProgram(1);
    const struct {
        int timer, exceptStep, steps;
    } cases[] = {{2, -1, 3}, {2, 0, 2}, {2, 2, 2}, {2, 1, 3},  {20, -1, 1},
                 {20, 1, 0}, {100, -1, 1}, {3, -1, 0}, {0, -1, 0}, {101, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TimerUsage(store, c.exceptStep).stepsOn(c.timer), c.steps) << "T" << c.timer << " " << c.exceptStep;
    EXPECT_EQ(TimerUsage(store, 0).note(2), "T2 は他の 2 ステップでも使われています");
    EXPECT_EQ(TimerUsage(store, 1).note(20), "");

    // The program being edited counts as it is now, not as the text last held it.
    store.current().step(1).operand = "T2";
    EXPECT_EQ(TimerUsage(store, -1).stepsOn(2), 4);
}

}  // namespace
}  // namespace vantrel
