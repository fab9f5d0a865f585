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

TEST(AxisStatusText, ResetOnAStepAxisReadsZeroUntilTheAxisMoves) {
    SettingsImage image = makeDefaultSettingsImage();
    for (int axis = 0; axis < 4; ++axis) {
        PulseAxisRecord record(image, axis);
        record.setPositionUnit(2);
        record.setResolution(1000);
        record.setTravelPerRev(static_cast<std::uint16_t>(400 * (axis + 1)));  // R = 2.5, 1.25, 0.83.., 0.625
        const std::int32_t command = 12347 * (axis + 1) - 20000;
        const std::int32_t detected = -3 * axis + 7;
        const ZeroReference zero = captureZeroReference(image, axis, command, detected);
        auto t = axisStatusText(image, axis, command, detected, 0, 0, zero);
        EXPECT_EQ(t.commandPosition, "0") << axis;
        EXPECT_EQ(t.detectedPosition, "0") << axis;
        const auto v = axisUnitValues(image, axis, command, detected, 0, 0, zero);
        EXPECT_EQ(v.commandPosition, 0.0);
        EXPECT_EQ(v.detectedPosition, 0.0);
        // One more step of the detected position shows 1; the command side moves by R.
        t = axisStatusText(image, axis, command + 400 * (axis + 1), detected + 1, 0, 0, zero);
        EXPECT_EQ(t.commandPosition, "1000") << axis;
        EXPECT_EQ(t.detectedPosition, "1") << axis;
    }
}

TEST(AxisStatusText, ZeroReferencesLeaveMmAxesAlone) {
    SettingsImage image = makeDefaultSettingsImage();
    const ZeroReference zero = captureZeroReference(image, 0, 500, 400);
    const auto t = axisStatusText(image, 0, 500, 400, 0, 0, zero);
    EXPECT_EQ(t.commandPosition, "5.00");
    EXPECT_EQ(t.detectedPosition, "4.00");
}

TEST(AxisStatusText, PlotValuesMatchTheTexts) {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 1).setResolution(2000);  // R = 2
    const auto v = axisUnitValues(image, 1, -12345, 50, -1001, 3001);
    EXPECT_DOUBLE_EQ(v.commandPosition, -123.45);
    EXPECT_DOUBLE_EQ(v.detectedPosition, 0.5);
    EXPECT_DOUBLE_EQ(v.commandSpeed, -5.00);  // -500.5 hundredths truncated toward zero
    EXPECT_DOUBLE_EQ(v.detectedSpeed, 15.00);
    PulseAxisRecord step(image, 2);
    step.setPositionUnit(2);
    const auto s = axisUnitValues(image, 2, 100, 100, 4000, -4000);
    EXPECT_DOUBLE_EQ(s.commandSpeed, 4000);
    EXPECT_DOUBLE_EQ(s.detectedSpeed, -4000);
}
