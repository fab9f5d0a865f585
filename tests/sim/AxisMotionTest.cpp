// The motion profile of one axis: moves reach their target exactly, in the
// time their ramps give, never faster than their speed.

#include <gtest/gtest.h>

#include <cmath>

#include "sim/AxisMotion.h"

using namespace vantrel;

namespace {

struct MoveCase {
    const char* name;
    MotionRamp ramp;
    double distance;
    double seconds;  // time to arrive
};

TEST(AxisMotion, MovesArriveOnTargetInTheTimeTheirRampsGive) {
    const MoveCase cases[] = {
        {"no ramp", {0, 1000, 0}, 1000, 1.0},
        // 1 s up from 500 Hz (750 pulses), 0.5 s at 1000 Hz, 1 s down (750).
        {"trapezoid", {500, 1000, 500}, 2000, 2.5},
        {"trapezoid backwards", {500, 1000, 500}, -2000, 2.5},
        // Too short to reach the speed: up and down again, peak sqrt(100 * 1000) Hz.
        {"triangle", {0, 1000, 1000}, 100, 2 * std::sqrt(100.0 * 1000) / 1000},
        {"start speed above the speed", {2000, 1000, 100}, 1000, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AxisMotion m;
        m.place(10);
        m.moveTo(10 + c.distance, c.ramp);
        double t = 0;
        double last = m.position();
        while (m.moving() && t < 10) {
            m.advance(0.001);
            t += 0.001;
            EXPECT_LE(std::abs(m.velocity()), c.ramp.speed + 1e-9);
            EXPECT_GE((m.position() - last) * (c.distance > 0 ? 1 : -1), -1e-9) << "never backwards";
            last = m.position();
        }
        EXPECT_FALSE(m.moving());
        EXPECT_NEAR(t, c.seconds, 0.0025);
        EXPECT_DOUBLE_EQ(m.position(), 10 + c.distance);
        EXPECT_EQ(m.velocity(), 0);
    }
}

TEST(AxisMotion, LongStepsGiveTheSameEndAsShortOnes) {
    AxisMotion fine;
    AxisMotion coarse;
    const MotionRamp ramp{200, 3000, 4000};
    fine.moveTo(12345, ramp);
    coarse.moveTo(12345, ramp);
    for (int i = 0; i < 1000; ++i) fine.advance(0.001);
    coarse.advance(0.4);
    coarse.advance(0.6);
    EXPECT_NEAR(coarse.position(), fine.position(), 1e-6);
    EXPECT_NEAR(coarse.velocity(), fine.velocity(), 1e-6);
}

TEST(AxisMotion, AStoppedJogRampsDownOverItsStoppingDistance) {
    AxisMotion m;
    m.jog(-1, {0, 1000, 1000});
    m.advance(2.0);  // 1 s up (500 pulses), 1 s at speed (1000)
    EXPECT_NEAR(m.position(), -1500, 1e-6);
    EXPECT_NEAR(m.stoppingDistance(), 500, 1e-6);
    m.decelerate();
    m.advance(0.5);
    EXPECT_TRUE(m.moving());
    m.advance(0.6);
    EXPECT_FALSE(m.moving());
    EXPECT_NEAR(m.position(), -2000, 1e-6);
}

}  // namespace
