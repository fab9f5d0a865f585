#include "online/AxisStatusText.h"

#include <gtest/gtest.h>

#include "data/DefaultImage.h"

using namespace vantrel;

TEST(AxisStatusText, MmAxisShowsHundredthsAndSpeedThroughTheRatio) {
    SettingsImage image = makeDefaultSettingsImage();  // 1000 P/R over 10.00 mm: R = 1
    auto t = axisStatusText(image, 0, 12345, -5, -50, 250000);
    EXPECT_EQ(t.commandPosition, "123.45");
    EXPECT_EQ(t.detectedPosition, "-0.05");
    EXPECT_EQ(t.commandSpeed, "-0.50");  // -50 hundredths keeps its sign
    EXPECT_EQ(t.detectedSpeed, "2500.00");
    EXPECT_EQ(t.positionUnit, "mm");
    EXPECT_EQ(t.speedUnit, "mm/s");

    PulseAxisRecord(image, 1).setResolution(2000);  // R = 2: 1000 pulses/s are 5.00 mm/s
    t = axisStatusText(image, 1, 0, 0, 1000, 1001);
    EXPECT_EQ(t.commandSpeed, "5.00");
    EXPECT_EQ(t.detectedSpeed, "5.00");  // truncated, not rounded
}

TEST(AxisStatusText, StepAndDegAxes) {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord step(image, 2);
    step.setPositionUnit(2);
    step.setResolution(500);
    step.setTravelPerRev(500);
    auto t = axisStatusText(image, 2, -700, 33, 1200, 5);
    EXPECT_EQ(t.commandPosition, "-700");
    EXPECT_EQ(t.detectedPosition, "33");
    EXPECT_EQ(t.commandSpeed, "1200");
    EXPECT_EQ(t.speedUnit, "Hz");

    PulseAxisRecord deg(image, 3);
    deg.setPositionUnit(1);
    t = axisStatusText(image, 3, 9000, 0, 100, 100);
    EXPECT_EQ(t.commandPosition, "90.00");
    EXPECT_EQ(t.commandSpeed, "");  // speeds of a deg axis are not shown
}

TEST(AxisStatusText, ZeroTravelDoesNotDivideByZero) {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 0).setTravelPerRev(0);
    const auto t = axisStatusText(image, 0, 100, 100, 300, 300);
    EXPECT_EQ(t.commandSpeed, "3.00");
}
