#include "data/Units.h"

#include "data/SettingsImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace vantrel {
namespace {

TEST(UnitsTest, UnitTexts)
{
    EXPECT_EQ(positionUnitText(kPositionUnitMm), "mm");
    EXPECT_EQ(positionUnitText(kPositionUnitDeg), "deg");
    EXPECT_EQ(positionUnitText(kPositionUnitStep), "step");
    EXPECT_EQ(positionUnitText(7), "mm");
    EXPECT_EQ(speedUnitText(0), "Hz");
    EXPECT_EQ(speedUnitText(1), "mm/s");
    EXPECT_EQ(speedUnitText(2), "deg/s");
    EXPECT_EQ(speedUnitText(3), "r/min");
    EXPECT_EQ(speedUnitText(200), "Hz");
}

TEST(ValueTextTest, MillimetrePositions)
{
    EXPECT_EQ(positionText(-5, kPositionUnitMm), "-0.05 mm");
    EXPECT_EQ(positionText(-50, kPositionUnitMm), "-0.50 mm");
    EXPECT_EQ(positionText(-99, kPositionUnitMm), "-0.99 mm");
    EXPECT_EQ(positionText(-100, kPositionUnitMm), "-1.00 mm");
    EXPECT_EQ(positionText(-105, kPositionUnitMm), "-1.05 mm");
    EXPECT_EQ(positionText(-1234, kPositionUnitMm), "-12.34 mm");
    EXPECT_EQ(positionText(0, kPositionUnitMm), "0.00 mm");
    EXPECT_EQ(positionText(7, kPositionUnitMm), "0.07 mm");
    EXPECT_EQ(positionText(8'000'000, kPositionUnitMm), "80000.00 mm");
    EXPECT_EQ(positionText(-8'000'000, kPositionUnitMm), "-80000.00 mm");
}

TEST(ValueTextTest, DegreeAndStepPositionsAndNotSet)
{
    EXPECT_EQ(positionText(1234, kPositionUnitDeg), "12.34 deg");
    EXPECT_EQ(positionText(-5, kPositionUnitDeg), "-0.05 deg");  // keeps its sign
    EXPECT_EQ(positionText(1234, kPositionUnitStep), "1234 step");
    EXPECT_EQ(positionText(-5, kPositionUnitStep), "-5 step");
    EXPECT_EQ(positionText(NOT_SET_POSITION, kPositionUnitMm), "---");
    EXPECT_EQ(positionText(NOT_SET_POSITION, kPositionUnitStep), "---");
    EXPECT_EQ(positionEditText(-5, kPositionUnitMm), "-0.05");
    EXPECT_EQ(positionEditText(1234, kPositionUnitDeg), "12.34");
    EXPECT_EQ(positionEditText(-77, kPositionUnitStep), "-77");
    EXPECT_EQ(positionEditText(NOT_SET_POSITION, kPositionUnitMm), "---");
}

TEST(ValueTextTest, TravelAndTimes)
{
    EXPECT_EQ(travelText(1000, kPositionUnitMm), "10.00 mm");
    EXPECT_EQ(travelText(1, kPositionUnitMm), "0.01 mm");
    EXPECT_EQ(travelText(12500, kPositionUnitDeg), "125.00 deg");
    EXPECT_EQ(travelText(1000, kPositionUnitStep), "---");
    EXPECT_EQ(twoDecimalText(75), "0.75");
    EXPECT_EQ(twoDecimalText(100000), "1000.00");
    EXPECT_EQ(twoDecimalText(-3, " mm/s"), "-0.03 mm/s");
    EXPECT_EQ(twoDecimalText(250, " mm/s"), "2.50 mm/s");
    EXPECT_EQ(twoDecimalText(std::numeric_limits<std::int64_t>::min()), "-92233720368547758.08");
}

TEST(ValueTextTest, MillisecondTexts)
{
    EXPECT_EQ(millisecondsText(750), "0.750");
    EXPECT_EQ(millisecondsText(1), "0.001");
    EXPECT_EQ(millisecondsText(1000), "1.000");
    EXPECT_EQ(millisecondsText(1234), "1.234");
    EXPECT_EQ(millisecondsText(1'000'000), "1000.000");
    EXPECT_EQ(millisecondsText(-5), "-0.005");
}

}  // namespace
}  // namespace vantrel
