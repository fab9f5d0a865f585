#include "settings/RivoPointModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"

namespace vantrel {
namespace {

using test::RecordingSink;

// Controller address of point-record offset q of driver h (0..15), point j (0..99).
std::uint32_t addr(int h, int j, int q) { return 0x50000u + 32u + 6416u * static_cast<std::uint32_t>(h) + 64u * static_cast<std::uint32_t>(j) + static_cast<std::uint32_t>(q); }

class RivoPointModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = makeDefaultSettingsImage();
        for (int d = 0; d < 16; ++d) NetworkDriverRecord(image, d).setModel(2);
        NetworkDriverRecord(image, 15).setModel(0);  // 軸16 not connected
    }
    NetworkPointRecord point(int driver, int j) { return NetworkDriverRecord(image, driver).point(j); }

    SettingsImage image;
    RecordingSink sink;
    RivoPointModel model{image, &sink};
};

TEST_F(RivoPointModelTest, RowsLabelsAndHeaders) {
    EXPECT_EQ(model.rowCount(), 1025);
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_EQ(model.cellText(0, 3), "位置\n[step]");
    EXPECT_EQ(model.cellText(0, 6), "減速時間\n[s]");
    EXPECT_EQ(model.cellText(1, 0), "PT001");
    EXPECT_EQ(model.cellText(17, 0), "PT002");
    EXPECT_EQ(model.cellText(16, 0), "");
    EXPECT_EQ(model.cellText(1024, 1), "軸16");
    EXPECT_EQ(model.cellText(1009, 0), "PT064");
    EXPECT_EQ(model.cellText(1, 2), "INC");
    EXPECT_EQ(model.cellText(1, 3), "0");
    EXPECT_EQ(model.cellText(1, 4), "1000");
    EXPECT_EQ(model.cellText(1, 5), "1.000");
    EXPECT_EQ(model.choices(1, 2), (std::vector<std::string>{"INC", "ABS"}));
    EXPECT_NE(model.helpText(1, 4).find("0～1000000 [Hz]"), std::string::npos);
}

TEST_F(RivoPointModelTest, UnconnectedDriverRowsAreReadOnly) {
    for (int column = 1; column <= 6; ++column) {
        EXPECT_EQ(model.cellKind(1024, column), CellKind::ReadOnly) << column;
        EXPECT_EQ(model.backgroundColour(1024, column), cellColour::kReadOnlyGrey) << column;
    }
    EXPECT_EQ(model.cellKind(1023, 3), CellKind::Text);
    EXPECT_EQ(model.cellKind(1023, 1), CellKind::Label);
    const SettingsImage before = image;
    EXPECT_FALSE(model.commit(1024, 3, "5"));
    EXPECT_FALSE(model.commit(16, 2, "ABS"));
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
}

TEST_F(RivoPointModelTest, LastRowIsDriverSixteenOfPointSixtyFour) {
    NetworkDriverRecord(image, 15).setModel(4);
    EXPECT_FALSE(model.commit(1024, 3, "-123"));
    EXPECT_EQ(point(15, 63).position(), -123);
    EXPECT_EQ(sink.writes.at(0), RecordingSink::value(addr(15, 63, 4), 4, -123));
    // Point 65 of that driver is untouched.
    EXPECT_EQ(point(15, 64).position(), 0);
}

TEST_F(RivoPointModelTest, ModeStepPositionAndSpeed) {
    EXPECT_FALSE(model.commit(18, 2, "ABS"));  // driver 2, point 2
    EXPECT_EQ(point(1, 1).mode(), 1);
    EXPECT_EQ(model.cellText(18, 2), "ABS");
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(addr(1, 1, 0), 1, 1));
    EXPECT_FALSE(model.commit(18, 3, "9000000"));
    EXPECT_EQ(point(1, 1).position(), 8000000);
    EXPECT_FALSE(model.commit(18, 3, "-9000000"));
    EXPECT_EQ(point(1, 1).position(), -8000000);
    EXPECT_FALSE(model.commit(18, 4, "-5"));
    EXPECT_EQ(point(1, 1).speed(), 0);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(addr(1, 1, 8), 4, 0));
    EXPECT_FALSE(model.commit(18, 4, "2000000"));
    EXPECT_EQ(point(1, 1).speed(), 1000000);
}

TEST_F(RivoPointModelTest, TimesInMilliseconds) {
    EXPECT_FALSE(model.commit(3, 5, "0.0004"));
    EXPECT_EQ(point(2, 0).accelTime(), 1);
    EXPECT_EQ(model.cellText(3, 5), "0.001");
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(addr(2, 0, 12), 4, 1));
    EXPECT_FALSE(model.commit(3, 6, "1.2345"));
    EXPECT_EQ(point(2, 0).decelTime(), 1234);
    EXPECT_EQ(model.cellText(3, 6), "1.234");
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(addr(2, 0, 16), 4, 1234));
    EXPECT_FALSE(model.commit(3, 5, "5000"));
    EXPECT_EQ(point(2, 0).accelTime(), 1000000);
    EXPECT_FALSE(model.commit(3, 5, "-3"));
    EXPECT_EQ(point(2, 0).accelTime(), 1);
    EXPECT_FALSE(model.commit(3, 5, "0.75"));
    EXPECT_EQ(point(2, 0).accelTime(), 750);
}

TEST_F(RivoPointModelTest, MillimetreDriverUsesTheRatioWords) {
    NetworkDriverRecord driver(image, 0);
    driver.setUnit(0);
    driver.setRatio1(1);   // 1 step = 0.01 mm x 1 / 2
    driver.setRatio2(2);
    point(0, 0).setPosition(-1);
    EXPECT_EQ(model.cellText(1, 3), "0.00 mm");
    point(0, 0).setPosition(-10);
    EXPECT_EQ(model.cellText(1, 3), "-0.05 mm");
    EXPECT_EQ(model.editText(1, 3), "-0.05");
    point(0, 0).setSpeed(2468);
    EXPECT_EQ(model.cellText(1, 4), "12.34 mm/s");
    // 1.5 mm = 150 hundredths = 300 steps.
    EXPECT_FALSE(model.commit(1, 3, "1.5"));
    EXPECT_EQ(point(0, 0).position(), 300);
    EXPECT_EQ(model.cellText(1, 3), "1.50 mm");
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(addr(0, 0, 4), 4, 300));
    EXPECT_FALSE(model.commit(1, 3, "-80000"));
    EXPECT_EQ(point(0, 0).position(), -8000000);  // -16,000,000 limited
    EXPECT_FALSE(model.commit(1, 4, "6000"));
    EXPECT_EQ(point(0, 0).speed(), 1000000);  // 1,200,000 limited
    EXPECT_FALSE(model.commit(1, 4, "-2"));
    EXPECT_EQ(point(0, 0).speed(), 0);
}

TEST_F(RivoPointModelTest, ZeroRatioWordNeverDivides) {
    NetworkDriverRecord driver(image, 0);
    driver.setUnit(0);
    driver.setRatio1(0);
    driver.setRatio2(3);
    point(0, 0).setPosition(777);
    // Without a usable ratio the values stay in steps and Hz.
    EXPECT_EQ(model.cellText(1, 3), "777");
    EXPECT_FALSE(model.commit(1, 3, "555"));
    EXPECT_EQ(point(0, 0).position(), 555);
    driver.setRatio1(3);
    driver.setRatio2(0);
    EXPECT_EQ(model.cellText(1, 4), "1000");
    EXPECT_FALSE(model.commit(1, 4, "12"));
    EXPECT_EQ(point(0, 0).speed(), 12);
    EXPECT_EQ(RivoPointModel::hundredthsOfSteps(5, 0, 0), 5);
    EXPECT_EQ(RivoPointModel::stepsOfMillimetres(1.0, 7, 0), 100);
    EXPECT_EQ(RivoPointModel::hertzOfMillimetresPerSecond(1.0, 0, 7), 100);
}

TEST_F(RivoPointModelTest, BadTextIsRefused) {
    const SettingsImage before = image;
    for (int column = 3; column <= 6; ++column) {
        const MaybeRefusal refusal = model.commit(1, column, "1.2.3");
        ASSERT_TRUE(refusal) << column;
        EXPECT_EQ(refusal->text, "入力は半角数字のみです。");
    }
    EXPECT_FALSE(model.commit(1, 2, "XYZ"));  // no such mode: nothing
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
}

}  // namespace
}  // namespace vantrel
