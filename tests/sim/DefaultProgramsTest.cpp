// The default programs on the controller the demo and vantrel-sim run: with
// the default settings they home axes 1 and 2 and then repeat a pick-and-place
// cycle, and the console shows where the tasks are.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/ControllerSim.h"
#include "sim/SimConsole.h"

using namespace vantrel;

namespace {

std::string defaultPrograms() {
    std::ifstream f(std::string(VANTREL_SOURCE_DIR) + "/resources/Ncstepini.sys", std::ios::binary);
    std::ostringstream out;
    out << f.rdbuf();
    return out.str();
}

TEST(DefaultPrograms, RunAPickAndPlaceCycleOnTheDefaultSettings) {
    ControllerSim sim;
    std::int64_t now = 1000;
    sim.setClock([&now] { return now; });
    sim.useStandAloneMachine();
    ASSERT_TRUE(sim.loadPrograms(defaultPrograms()).accepted());
    sim.setModeWord(2);
    ASSERT_TRUE(sim.withMachine([](Machine& m) { return m.startRun(); }));
    SimConsole console(sim);
    EXPECT_EQ(console.run("tasks").text, "task 0: program 1 step 1") << "homing through program 1";

    int cycles = 0;
    bool gripper = false;
    bool placed = false;
    for (int t = 0; t < 40000 && cycles < 3; t += 20) {
        now += 20;
        const SimStatus s = sim.withMachine([](Machine& m) { return m.status(); });
        const bool on = (sim.generalOutputs() & 1) != 0;
        if (on && !gripper) {
            ++cycles;
            EXPECT_EQ(s.pulseAxes[0].commandPosition, 5000) << "the gripper closes at the pick point, 50.00 mm";
            EXPECT_EQ(s.pulseAxes[1].commandPosition, 3000);
        }
        if (!on && gripper) {
            placed = s.pulseAxes[0].commandPosition == 25000 && s.pulseAxes[1].commandPosition == 8000;
            EXPECT_TRUE(placed) << "and opens at the place point";
        }
        gripper = on;
        EXPECT_EQ(s.runFlags[0] != 0, true);
    }
    EXPECT_EQ(cycles, 3);
    EXPECT_TRUE(placed);
    EXPECT_EQ(sim.alarmCode(), 0);
}

}  // namespace
