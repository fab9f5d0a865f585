#include "settings/ProhibitAreaModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"

namespace vantrel {
namespace {

using test::RecordingSink;
using Page = ProhibitAreaModel::Page;

std::uint32_t positionAddress(int axis, int index) { return 0x20000u + static_cast<std::uint32_t>(*SettingsImage::positionRecordOffset(axis, index)) + 3; }

class ProhibitAreaModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = makeDefaultSettingsImage();
        PulseAxisRecord(image, 1).setPositionUnit(2);  // 軸2 step
        PulseAxisRecord(image, 2).setPositionUnit(1);  // 軸3 deg
    }
    SettingsImage image;
    RecordingSink sink;
    ProhibitAreaModel model{image, &sink};
};

TEST_F(ProhibitAreaModelTest, PagesAndTexts) {
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.cellText(0, 0), "軸");
    EXPECT_EQ(model.cellText(0, 1), "位置\r\n([mm] or [step])");
    EXPECT_EQ(model.cellText(1, 0), "軸1最大位置");
    EXPECT_EQ(model.cellText(8, 0), "軸4最小位置");
    EXPECT_EQ(model.cellText(1, 1), "20000.00 mm");
    EXPECT_EQ(model.cellText(2, 1), "-20000.00 mm");
    image.writePosition(1, 221, 2000000);
    EXPECT_EQ(model.cellText(3, 1), "2000000 step");
    model.setPage(Page::ProhibitedAreas);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.cellText(0, 5), "禁止エリア5\r\n([mm] or [step])");
    EXPECT_EQ(model.cellText(1, 3), "0.00 mm");
    EXPECT_EQ(ProhibitAreaModel::pageButtonText(Page::MovableRange), "最大領域");
    EXPECT_EQ(ProhibitAreaModel::clearButtonText(4), "エリア4クリア");
    EXPECT_NE(model.helpText(1, 1).find("動作禁止領域"), std::string::npos);
    model.setPage(Page::MovableRange);
    EXPECT_NE(model.helpText(1, 1).find("20000.00 [mm]"), std::string::npos);
    EXPECT_NE(model.helpText(2, 1).find("-20000.00 [mm]"), std::string::npos);
}

TEST_F(ProhibitAreaModelTest, MovableBoundsRoundDifferently) {
    EXPECT_FALSE(model.commit(1, 1, "10.006"));
    EXPECT_EQ(image.readPosition(0, 221), 1000);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(positionAddress(0, 221), 3, 1000));
    image.writePosition(0, 221, 2000000);
    EXPECT_FALSE(model.commit(2, 1, "10.006"));
    EXPECT_EQ(image.readPosition(0, 231), 1001);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(positionAddress(0, 231), 3, 1001));
    // Halves of the minimum go away from zero, also where binary fractions fall short.
    EXPECT_FALSE(model.commit(2, 1, "1.005"));
    EXPECT_EQ(image.readPosition(0, 231), 101);
    EXPECT_FALSE(model.commit(2, 1, "-1.005"));
    EXPECT_EQ(image.readPosition(0, 231), -101);
    EXPECT_FALSE(model.commit(2, 1, "-0.004"));
    EXPECT_EQ(image.readPosition(0, 231), 0);
}

TEST_F(ProhibitAreaModelTest, MovableBoundsHoldTheirPartner) {
    image.writePosition(0, 221, 20000);  // maximum 200.00 mm
    EXPECT_FALSE(model.commit(2, 1, "500"));
    EXPECT_EQ(image.readPosition(0, 231), 20000);
    EXPECT_EQ(model.cellText(2, 1), "200.00 mm");
    EXPECT_FALSE(model.commit(1, 1, "-300"));  // maximum not below minimum
    EXPECT_EQ(image.readPosition(0, 221), 20000);
    // An unset partner limits nothing.
    image.writePosition(0, 231, NOT_SET_POSITION);
    EXPECT_FALSE(model.commit(1, 1, "-300"));
    EXPECT_EQ(image.readPosition(0, 221), -30000);
}

TEST_F(ProhibitAreaModelTest, ClampsToEightMillion) {
    EXPECT_FALSE(model.commit(3, 1, "99999999"));  // step axis maximum
    EXPECT_EQ(image.readPosition(1, 221), 8000000);
    EXPECT_FALSE(model.commit(2, 1, "-90000"));  // mm minimum
    EXPECT_EQ(image.readPosition(0, 231), -8000000);
}

TEST_F(ProhibitAreaModelTest, ProhibitedBoundsOnMillimetreAxes) {
    model.setPage(Page::ProhibitedAreas);
    image.writePosition(0, 236, 500);  // area 2 minimum 5.00 mm
    EXPECT_FALSE(model.commit(1, 2, "3"));
    EXPECT_EQ(image.readPosition(0, 226), 500);
    EXPECT_EQ(sink.writes.back(), RecordingSink::value(positionAddress(0, 226), 3, 500));
    // May lie outside the movable range on an mm axis.
    EXPECT_FALSE(model.commit(1, 2, "30000"));
    EXPECT_EQ(image.readPosition(0, 226), 3000000);
    EXPECT_FALSE(model.commit(2, 2, "40000"));  // minimum not above maximum
    EXPECT_EQ(image.readPosition(0, 236), 3000000);
    // The tiny nudge: 10.006 stays 1000 for a prohibited minimum.
    EXPECT_FALSE(model.commit(2, 3, "-10.006"));
    EXPECT_EQ(image.readPosition(0, 237), -1000);
}

TEST_F(ProhibitAreaModelTest, DegAxisKeepsProhibitedAreasInsideTheMovableRange) {
    model.setPage(Page::ProhibitedAreas);
    image.writePosition(2, 221, 36000);  // 360.00 deg
    image.writePosition(2, 231, 0);
    EXPECT_FALSE(model.commit(5, 1, "400"));
    EXPECT_EQ(image.readPosition(2, 225), 36000);
    EXPECT_EQ(model.cellText(5, 1), "360.00 deg");
    image.writePosition(2, 225, NOT_SET_POSITION);
    EXPECT_FALSE(model.commit(6, 1, "-5"));
    EXPECT_EQ(image.readPosition(2, 235), 0);
}

TEST_F(ProhibitAreaModelTest, ClearingAreaAsksAndZeroesAllAxes) {
    model.setPage(Page::ProhibitedAreas);
    for (int axis = 0; axis < 4; ++axis) {
        image.writePosition(axis, 227, 100 + axis);
        image.writePosition(axis, 237, -100 - axis);
    }
    std::vector<std::string> asked;
    EXPECT_FALSE(model.clearArea(3, [&](const Refusal& q) { asked.push_back(q.text); return false; }));
    EXPECT_EQ(image.readPosition(1, 227), 101);
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_TRUE(model.clearArea(3, [&](const Refusal& q) { asked.push_back(q.text); return true; }));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "禁止領域3をクリアしますか？");
    ASSERT_EQ(sink.writes.size(), 8u);
    for (int axis = 0; axis < 4; ++axis) {
        EXPECT_EQ(image.readPosition(axis, 227), 0);
        EXPECT_EQ(image.readPosition(axis, 237), 0);
        EXPECT_EQ(sink.writes[static_cast<std::size_t>(2 * axis)], RecordingSink::value(positionAddress(axis, 227), 3, 0));
        EXPECT_EQ(sink.writes[static_cast<std::size_t>(2 * axis + 1)], RecordingSink::value(positionAddress(axis, 237), 3, 0));
    }
    EXPECT_EQ(model.cellText(1, 3), "0.00 mm");
    EXPECT_EQ(model.cellText(4, 3), "0 step");
    // Other areas untouched.
    EXPECT_EQ(ProhibitAreaModel::clearQuestion(5), "禁止領域5をクリアしますか？");
    EXPECT_FALSE(model.clearArea(6, [](const Refusal&) { return true; }));
}

TEST_F(ProhibitAreaModelTest, BadTextIsRefused) {
    const SettingsImage before = image;
    const MaybeRefusal refusal = model.commit(1, 1, "+.");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "入力は半角数字のみです。");
    EXPECT_TRUE(image == before);
}

}  // namespace
}  // namespace vantrel
