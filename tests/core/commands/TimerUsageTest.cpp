#include "commands/TimerUsage.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Program 1 is the one being edited; programs 2 and 3 are only in the text.
constexpr const char* kPrograms =
    "\tPROG\t#001\r\n"
    "\tWAIT\tT2\r\n"              // step 0
    "\tWAIT\tT20\r\n"             // step 1
    "L001\tWAIT\tT2\t;wait\r\n"   // step 2
    "\tOUT\tT2 ON\r\n"            // step 3: an output, no wait
    "\tEND\t\r\n"
    "\tPROG\t#002\r\n"
    ";\tWAIT\tT2\r\n"             // a comment line, no step
    "\tWAIT\tT2\r\n"
    "\tWAIT\tX2\r\n"              // names no timer
    "\tWAIT\tT0\r\n"
    "\tWAIT\tT101\r\n"
    "\tPROG\t#003\r\n"
    "\tWAIT\tT100\r\n";

TEST(TimerUsageTest, CountsTheTimeWaitsOfEveryProgramButTheStepBeingEdited) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText(kPrograms));
    store.scanDirectory();
    store.selectProgram(1);
    struct Case {
        int timer;
        int exceptStep;
        int steps;
    };
    const Case cases[] = {
        {2, -1, 3},  {2, 0, 2},   {2, 2, 2},   {2, 1, 3},  {20, -1, 1}, {20, 1, 0},
        {100, -1, 1}, {3, -1, 0}, {0, -1, 0}, {101, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("T" + std::to_string(c.timer) + " except step " + std::to_string(c.exceptStep));
        EXPECT_EQ(TimerUsage(store, c.exceptStep).stepsOn(c.timer), c.steps);
    }
    EXPECT_EQ(TimerUsage(store, 0).note(2), "T2 は他の 2 ステップでも使われています");
    EXPECT_EQ(TimerUsage(store, 1).note(20), "");
    EXPECT_EQ(TimerUsage().stepsOn(2), 0);

    // The program being edited counts as it is now, not as the text last held it.
    store.current().step(1).operand = "T2";
    EXPECT_EQ(TimerUsage(store, -1).stepsOn(2), 4);
    EXPECT_EQ(TimerUsage(store, -1).stepsOn(20), 0);
}

}  // namespace
}  // namespace vantrel
