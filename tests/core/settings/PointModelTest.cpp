#include "settings/PointModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"

namespace vantrel {
namespace {

using test::RecordingSink;

// Controller address of the position bytes / speed byte of a record.
std::uint32_t positionAddress(int axis, int index) { return 0x20000u + static_cast<std::uint32_t>(*SettingsImage::positionRecordOffset(axis, index)) + 3; }
std::uint32_t speedAddress(int axis, int index) { return 0x20000u + static_cast<std::uint32_t>(*SettingsImage::positionRecordOffset(axis, index)); }

class PointModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = makeDefaultSettingsImage();
        PulseAxisRecord(image, 1).setPositionUnit(2);  // 軸2 step
        PulseAxisRecord(image, 2).setPositionUnit(1);  // 軸3 deg
    }
    SettingsImage image;
    RecordingSink sink;
    PointModel model{image, &sink};
};

TEST_F(PointModelTest, RowsLabelsAndHeaders) {
    EXPECT_EQ(model.rowCount(), 4001);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.cellText(0, 2), "位置\r\n([mm] or [step])");
    EXPECT_EQ(model.cellText(0, 3), "速度\n[％]");
    EXPECT_EQ(model.cellText(1, 0), "PT1001");
    EXPECT_EQ(model.cellText(2, 0), "");
    EXPECT_EQ(model.cellText(5, 0), "PT1002");
    EXPECT_EQ(model.cellText(3, 1), "軸03");
    EXPECT_EQ(model.cellText(3997, 0), "PT2000");
    EXPECT_EQ(model.cellText(4000, 1), "軸04");
    EXPECT_EQ(model.cellText(4001, 1), "");
    EXPECT_EQ(model.cellKind(4000, 2), CellKind::Text);
    EXPECT_EQ(model.cellKind(4000, 1), CellKind::Label);
    EXPECT_EQ(model.cellText(4000, 2), "---");
    EXPECT_EQ(model.cellText(4000, 3), "100");
}

TEST_F(PointModelTest, RowFourThousandIsAxisFourOfPt2000) {
    EXPECT_FALSE(model.commit(4000, 2, "1.5"));
    EXPECT_EQ(image.readPosition(3, 1999), 150);
    EXPECT_EQ(sink.writes.at(0), RecordingSink::value(positionAddress(3, 1999), 3, 150));
}

TEST_F(PointModelTest, MillimetrePositionsRoundHalfAway) {
    EXPECT_FALSE(model.commit(1, 2, "-0.5"));
    EXPECT_EQ(image.readPosition(0, 1000), -50);
    EXPECT_EQ(model.cellText(1, 2), "-0.50 mm");
    EXPECT_EQ(model.editText(1, 2), "-0.50");
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::value(positionAddress(0, 1000), 3, -50));
    EXPECT_FALSE(model.commit(1, 2, "80000.004"));
    EXPECT_EQ(image.readPosition(0, 1000), 8000000);
    EXPECT_EQ(model.cellText(1, 2), "80000.00 mm");
    EXPECT_FALSE(model.commit(1, 2, "-0.004"));
    EXPECT_EQ(image.readPosition(0, 1000), 0);
    EXPECT_FALSE(model.commit(1, 2, "0.005"));
    EXPECT_EQ(image.readPosition(0, 1000), 1);
    EXPECT_FALSE(model.commit(1, 2, "-12.345"));
    EXPECT_EQ(model.cellText(1, 2), "-12.35 mm");
}

TEST_F(PointModelTest, StepPositionsClampToEightMillion) {
    EXPECT_FALSE(model.commit(2, 2, "12345678.9"));
    EXPECT_EQ(image.readPosition(1, 1000), 8000000);
    EXPECT_EQ(model.cellText(2, 2), "8000000 step");
    EXPECT_EQ(model.editText(2, 2), "8000000");
    EXPECT_FALSE(model.commit(2, 2, "-77"));
    EXPECT_EQ(model.cellText(2, 2), "-77 step");
}

TEST_F(PointModelTest, StepAxisWithZeroResolutionNeverDividesByZero) {
    PulseAxisRecord(image, 1).setResolution(0);
    EXPECT_FALSE(model.commit(2, 2, "1234"));
    EXPECT_EQ(image.readPosition(1, 1000), 1234);
}

TEST_F(PointModelTest, DegPositionsInHundredths) {
    EXPECT_FALSE(model.commit(3, 2, "90.25"));
    EXPECT_EQ(image.readPosition(2, 1000), 9025);
    EXPECT_EQ(model.cellText(3, 2), "90.25 deg");
    // Help is for mm and step axes only.
    EXPECT_TRUE(model.helpText(3, 2).empty());
    EXPECT_FALSE(model.helpText(1, 2).empty());
}

TEST_F(PointModelTest, NotSetPositionEditsFromAnEmptyText) {
    EXPECT_EQ(model.cellText(5, 2), "---");
    EXPECT_EQ(model.editText(5, 2), "");
}

TEST_F(PointModelTest, SpeedClampsToOneToHundred) {
    EXPECT_FALSE(model.commit(6, 3, "0"));
    EXPECT_EQ(PositionRecord(image, 1, 1001).speed(), 1);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(speedAddress(1, 1001), 1, 1));
    EXPECT_FALSE(model.commit(6, 3, "250"));
    EXPECT_EQ(PositionRecord(image, 1, 1001).speed(), 100);
    EXPECT_FALSE(model.commit(6, 3, "55.9"));
    EXPECT_EQ(model.cellText(6, 3), "55");
}

TEST_F(PointModelTest, BadTextIsRefusedAndTheStoredValueStays) {
    image.writePosition(0, 1000, 1234);
    const SettingsImage before = image;
    for (const char* text : {"", "-", "12a", "１"}) {
        const MaybeRefusal refusal = model.commit(1, 2, text);
        ASSERT_TRUE(refusal) << text;
        EXPECT_EQ(refusal->text, "入力は半角数字のみです。");
        EXPECT_TRUE(model.commit(1, 3, text));
    }
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_EQ(model.cellText(1, 2), "12.34 mm");
}

TEST_F(PointModelTest, SpeedHelpNamesTheAxisMaximumRotationSpeed) {
    PulseAxisRecord(image, 1).setMaxRotationSpeed(3210);
    const std::string help = model.helpText(2, 3);
    EXPECT_NE(help.find("（現在の最大回転速度設定：3210 [r/min]）"), std::string::npos);
    EXPECT_NE(model.helpText(1, 3).find("4000 [r/min]"), std::string::npos);
}

TEST_F(PointModelTest, LabelCellsTakeNoEdit) {
    const SettingsImage before = image;
    EXPECT_FALSE(model.commit(1, 0, "5"));
    EXPECT_FALSE(model.commit(1, 1, "5"));
    EXPECT_FALSE(model.commit(0, 2, "5"));
    EXPECT_TRUE(image == before);
}

}  // namespace
}  // namespace vantrel
