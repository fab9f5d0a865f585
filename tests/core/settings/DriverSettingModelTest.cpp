#include "settings/DriverSettingModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"

namespace vantrel {
namespace {

using test::RecordingSink;
using M = DriverSettingModel;
constexpr const char* kHalfWidthOnly = "入力は半角数字のみです。";

// Controller address of a pulse-axis field (axis 0..3).
std::uint32_t addr(int axis, std::size_t k) { return 2048u * static_cast<std::uint32_t>(axis) + 256u + static_cast<std::uint32_t>(k); }

class DriverSettingModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = makeDefaultSettingsImage();
        PulseAxisRecord(image, 0).setModel(1);  // 軸1 QM, mm
        PulseAxisRecord(image, 1).setModel(2);  // 軸2 QS, step
        PulseAxisRecord(image, 1).setPositionUnit(2);
        PulseAxisRecord(image, 1).setSpeedUnit(0);
        // 軸3 and 軸4 stay not connected.
    }
    PulseAxisRecord axis1() { return PulseAxisRecord(image, 0); }
    PulseAxisRecord axis2() { return PulseAxisRecord(image, 1); }

    SettingsImage image;
    RecordingSink sink;
    DriverSettingModel model{image, &sink};
};

TEST_F(DriverSettingModelTest, TableLayoutAndDefaultTexts) {
    EXPECT_EQ(model.rowCount(), 18);
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.cellText(0, 1), "軸1");
    EXPECT_EQ(model.cellText(0, 4), "軸4");
    EXPECT_EQ(model.cellText(8, 0), "最大回転速度[r/min]");
    EXPECT_EQ(model.cellText(17, 0), "原点復帰オフセット[step]");
    const char* const column1[] = {"QM", "mm", "mm/s", "10.00 mm", "0.01 mm", "1000", "500", "4000", "直線加減速",
                                   "0.75", "0.06", "3センサ", "CCW", "1000", "0.75", "500", "0"};
    for (int row = 1; row <= 17; ++row) EXPECT_EQ(model.cellText(row, 1), column1[row - 1]) << row;
    EXPECT_EQ(model.cellText(1, 3), "接続無し");
    EXPECT_EQ(model.cellText(2, 2), "step");
    EXPECT_EQ(model.cellText(3, 2), "Hz");
    EXPECT_EQ(model.cellText(4, 2), "---");
    EXPECT_EQ(model.cellText(5, 2), "---");
    EXPECT_EQ(model.choices(1, 1), (std::vector<std::string>{"接続無し", "QM", "QS", "VT3", "LD"}));
    EXPECT_EQ(model.choices(2, 1), (std::vector<std::string>{"mm", "step"}));
    for (int row = 1; row <= 17; ++row) EXPECT_FALSE(model.helpText(row, 1).empty()) << row;
    EXPECT_NE(model.helpText(2, 1).find("注意：\nこの項目を変更することで設定データ等への影響があります。"), std::string::npos);
}

TEST_F(DriverSettingModelTest, ModelAndSpeedUnitCodes) {
    const std::pair<int, const char*> models[] = {{0, "接続無し"}, {1, "QM"}, {2, "QS"}, {3, "VT3"}, {4, "接続無し"}, {5, "LD"}, {9, "接続無し"}};
    for (const auto& [code, text] : models) {
        axis1().setModel(static_cast<std::uint8_t>(code));
        EXPECT_EQ(model.cellText(1, 1), text) << code;
    }
    const std::pair<int, const char*> speeds[] = {{0, "Hz"}, {1, "mm/s"}, {2, "deg/s"}, {3, "r/min"}, {7, "Hz"}};
    for (const auto& [code, text] : speeds) {
        axis1().setSpeedUnit(static_cast<std::uint8_t>(code));
        EXPECT_EQ(model.cellText(3, 1), text) << code;
    }
}

TEST_F(DriverSettingModelTest, CellStatesByModelAndUnit) {
    // mm axis: all but rows 3 and 6 editable.
    for (int row = 2; row <= 17; ++row) EXPECT_EQ(model.isEditable(row, 1), row != 3 && row != 6) << row;
    EXPECT_EQ(model.cellKind(2, 1), CellKind::DropDown);
    EXPECT_EQ(model.cellKind(4, 1), CellKind::Text);
    // step axis: rows 4 and 5 read-only, row 6 editable.
    for (int row = 2; row <= 17; ++row) EXPECT_EQ(model.isEditable(row, 2), row != 3 && row != 4 && row != 5) << row;
    // Not connected: only row 1.
    EXPECT_TRUE(model.isEditable(1, 3));
    for (int row = 2; row <= 17; ++row) {
        EXPECT_FALSE(model.isEditable(row, 3)) << row;
        EXPECT_EQ(model.backgroundColour(row, 3), cellColour::kReadOnlyGrey) << row;
    }
    // A deg axis from a loaded image: only travel (and the speed unit) read-only.
    axis1().setPositionUnit(1);
    for (int row = 2; row <= 17; ++row) EXPECT_EQ(model.isEditable(row, 1), row != 3 && row != 4) << row;
    EXPECT_EQ(model.cellText(4, 1), "10.00 deg");
    EXPECT_EQ(model.cellText(2, 1), "mm");
}

TEST_F(DriverSettingModelTest, NotConnectedAxisRefusesNothingButChangesNothing) {
    const SettingsImage before = image;
    EXPECT_FALSE(model.commit(8, 3, "100"));
    EXPECT_FALSE(model.commit(2, 4, "step"));
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
}

TEST_F(DriverSettingModelTest, ChoosingAModelMakesTheColumnEditable) {
    EXPECT_FALSE(model.commit(1, 3, "VT3"));
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::axis(addr(2, 176), 1, 3));
    EXPECT_TRUE(model.isEditable(8, 3));
    EXPECT_FALSE(model.commit(1, 3, "LD"));
    EXPECT_EQ(PulseAxisRecord(image, 2).model(), 5);
    EXPECT_FALSE(model.commit(1, 3, "接続無し"));
    EXPECT_EQ(PulseAxisRecord(image, 2).model(), 0);
    EXPECT_FALSE(model.isEditable(8, 3));
}

TEST_F(DriverSettingModelTest, ResolutionNotIntegerIsYellow) {
    axis1().setMinTravel(3);  // 10.00 mm / 0.03 mm
    EXPECT_EQ(model.recomputeResolution(0), M::ResolutionState::NotInteger);
    EXPECT_EQ(axis1().resolution(), 333);
    EXPECT_EQ(model.cellText(6, 1), "333");
    EXPECT_EQ(model.backgroundColour(6, 1), cellColour::kYellow);
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::axis(addr(0, 32), 2, 333));
}

TEST_F(DriverSettingModelTest, ResolutionBelowRangeIsRedAndLimited) {
    EXPECT_FALSE(model.commit(4, 1, "1.00"));
    EXPECT_FALSE(model.commit(5, 1, "0.02"));  // 1.00 / 0.02 = 50
    EXPECT_EQ(axis1().resolution(), 100);
    EXPECT_EQ(model.backgroundColour(6, 1), cellColour::kRed);
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(addr(0, 32), 2, 100));
}

TEST_F(DriverSettingModelTest, ResolutionAboveRangeIsRedAndLimited) {
    EXPECT_FALSE(model.commit(4, 1, "125"));  // 12500 / 1 = 12500
    EXPECT_EQ(axis1().resolution(), 10000);
    EXPECT_EQ(model.backgroundColour(6, 1), cellColour::kRed);
    // A multiple within range is the plain read-only grey.
    EXPECT_FALSE(model.commit(4, 1, "10"));
    EXPECT_EQ(model.backgroundColour(6, 1), cellColour::kReadOnlyGrey);
    EXPECT_EQ(axis1().resolution(), 1000);
}

TEST_F(DriverSettingModelTest, TravelAndMinTravelCommitsAreClampedAndSent) {
    EXPECT_FALSE(model.commit(5, 1, "0.001"));
    EXPECT_EQ(axis1().minTravel(), 1u);
    EXPECT_EQ(model.cellText(5, 1), "0.01 mm");
    ASSERT_EQ(sink.writes.size(), 2u);
    EXPECT_EQ(sink.writes[0], RecordingSink::axis(addr(0, 208), 4, 1));
    EXPECT_EQ(sink.writes[1], RecordingSink::axis(addr(0, 32), 2, 1000));
    sink.writes.clear();
    EXPECT_FALSE(model.commit(4, 1, "200"));
    EXPECT_EQ(axis1().travelPerRev(), 12500);
    EXPECT_EQ(model.cellText(4, 1), "125.00 mm");
    EXPECT_EQ(sink.writes[0], RecordingSink::axis(addr(0, 30), 2, 12500));
    // 0.75 stores 75, not 74; 0.755 also 75.
    EXPECT_FALSE(model.commit(5, 1, "0.75"));
    EXPECT_EQ(axis1().minTravel(), 75u);
    EXPECT_FALSE(model.commit(5, 1, "0.755"));
    EXPECT_EQ(axis1().minTravel(), 75u);
}

TEST_F(DriverSettingModelTest, ZeroTravelOrMinTravelLeavesResolutionAlone) {
    axis1().setMinTravel(0);
    axis1().setResolution(1234);
    EXPECT_EQ(model.recomputeResolution(0), M::ResolutionState::Unchanged);
    EXPECT_EQ(axis1().resolution(), 1234);
    EXPECT_TRUE(sink.writes.empty());
    axis1().setMinTravel(1);
    axis1().setTravelPerRev(0);
    EXPECT_EQ(model.recomputeResolution(0), M::ResolutionState::Unchanged);
}

TEST_F(DriverSettingModelTest, OpeningRecomputesConnectedMillimetreAxesOnly) {
    axis1().setMinTravel(3);
    PulseAxisRecord(image, 2).setMinTravel(3);  // not connected: untouched
    model.opened();
    EXPECT_EQ(axis1().resolution(), 333);
    EXPECT_EQ(PulseAxisRecord(image, 2).resolution(), 1000);
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::axis(addr(0, 32), 2, 333));
}

TEST_F(DriverSettingModelTest, AccelTableSendOrderAndEntries) {
    axis1().setAccelTime(0, 6);
    axis1().setAccelTime(25, 75);
    model.recomputeAccelTable(0);
    const std::uint32_t expected[] = {8, 11, 14, 17, 19, 22, 25, 28, 30, 33, 36, 39, 41, 44, 47, 50, 52, 55, 58, 61, 63, 66, 69, 72};
    ASSERT_EQ(sink.writes.size(), 26u);
    for (int i = 1; i <= 24; ++i) {
        EXPECT_EQ(axis1().accelTime(i), expected[i - 1]) << i;
        EXPECT_EQ(sink.writes[static_cast<std::size_t>(i - 1)], RecordingSink::axis(addr(0, 72 + 4 * i), 4, static_cast<std::int32_t>(expected[i - 1])));
    }
    EXPECT_EQ(sink.writes[24], RecordingSink::axis(addr(0, 72 + 100), 4, 75));
    EXPECT_EQ(sink.writes[25], RecordingSink::axis(addr(0, 72), 4, 6));
}

TEST_F(DriverSettingModelTest, MaximumTimeBelowMinimumBecomesMinimum) {
    EXPECT_FALSE(model.commit(11, 1, "0.60"));
    EXPECT_EQ(axis1().accelTime(0), 60u);
    sink.writes.clear();
    EXPECT_FALSE(model.commit(10, 1, "0.50"));
    EXPECT_EQ(axis1().accelTime(25), 60u);
    for (int i = 1; i <= 24; ++i) EXPECT_EQ(axis1().accelTime(i), 60u) << i;
    EXPECT_EQ(model.cellText(10, 1), "0.60");
    ASSERT_EQ(sink.writes.size(), 26u);
    EXPECT_EQ(sink.writes[24], RecordingSink::axis(addr(0, 172), 4, 60));
}

TEST_F(DriverSettingModelTest, MinimumTimeAboveMaximumBecomesMaximum) {
    EXPECT_FALSE(model.commit(11, 1, "2"));
    EXPECT_EQ(axis1().accelTime(0), 75u);
    EXPECT_EQ(axis1().accelTime(12), 75u);
    EXPECT_FALSE(model.commit(10, 1, "1000.5"));
    EXPECT_EQ(axis1().accelTime(25), 100000u);
    EXPECT_EQ(model.cellText(10, 1), "1000.00");
}

TEST_F(DriverSettingModelTest, IntegerRowsClampAndUseTheirWidths) {
    EXPECT_FALSE(model.commit(17, 1, "99999"));
    EXPECT_EQ(axis1().homeOffset(), 32767);
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(addr(0, 62), 2, 32767));
    EXPECT_FALSE(model.commit(17, 1, "-99999"));
    EXPECT_EQ(model.cellText(17, 1), "-32768");
    EXPECT_FALSE(model.commit(8, 1, "0"));
    EXPECT_EQ(axis1().maxRotationSpeed(), 1);
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(addr(0, 40), 2, 1));
    EXPECT_FALSE(model.commit(7, 1, "12.9"));
    EXPECT_EQ(axis1().startSpeed(), 12u);
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(addr(0, 204), 4, 12));
    EXPECT_FALSE(model.commit(14, 1, "2000000"));
    EXPECT_EQ(axis1().homeSpeed(), 1000000u);
    EXPECT_FALSE(model.commit(16, 1, "-3"));
    EXPECT_EQ(axis1().homeStartSpeed(), 1u);
    EXPECT_FALSE(model.commit(15, 1, "0.004"));
    EXPECT_EQ(axis1().homeAccelTime(), 1u);
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(addr(0, 196), 4, 1));
}

TEST_F(DriverSettingModelTest, TextThatIsNoNumberIsRefusedAndNothingStored) {
    const SettingsImage before = image;
    for (const char* text : {"", "-", "1,000", "1e3", "１２", "abc", "--1"}) {
        const MaybeRefusal refusal = model.commit(8, 1, text);
        ASSERT_TRUE(refusal) << text;
        EXPECT_EQ(refusal->text, kHalfWidthOnly);
    }
    ASSERT_TRUE(model.commit(4, 1, "."));
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_EQ(model.cellText(8, 1), "4000");
}

TEST_F(DriverSettingModelTest, UnitSwitchResetsTheMechanicalRatioInOrder) {
    axis1().setTravelPerRev(500);
    axis1().setMinTravel(5);
    EXPECT_FALSE(model.commit(2, 1, "step"));
    const std::vector<RecordingSink::Write> expected = {
        RecordingSink::axis(addr(0, 30), 2, 1000), RecordingSink::axis(addr(0, 179), 1, 0),
        RecordingSink::axis(addr(0, 32), 2, 1000), RecordingSink::axis(addr(0, 208), 4, 1),
        RecordingSink::axis(addr(0, 178), 1, 2)};
    EXPECT_EQ(sink.writes, expected);
    EXPECT_EQ(model.cellText(3, 1), "Hz");
    EXPECT_EQ(model.cellText(4, 1), "---");
    EXPECT_EQ(model.cellText(5, 1), "---");
    EXPECT_EQ(model.cellText(6, 1), "1000");
    EXPECT_FALSE(model.isEditable(4, 1));
    EXPECT_TRUE(model.isEditable(6, 1));

    sink.writes.clear();
    EXPECT_FALSE(model.commit(2, 1, "mm"));
    ASSERT_EQ(sink.writes.size(), 5u);
    EXPECT_EQ(sink.writes[1], RecordingSink::axis(addr(0, 179), 1, 1));
    EXPECT_EQ(sink.writes[4], RecordingSink::axis(addr(0, 178), 1, 0));
    EXPECT_EQ(model.cellText(3, 1), "mm/s");
    EXPECT_EQ(model.cellText(4, 1), "10.00 mm");
    EXPECT_EQ(model.cellText(5, 1), "0.01 mm");
    EXPECT_TRUE(model.isEditable(4, 1));
    EXPECT_FALSE(model.isEditable(6, 1));
}

TEST_F(DriverSettingModelTest, ChoosingTheCurrentUnitKeepsTheRatio) {
    axis1().setTravelPerRev(500);
    axis1().setMinTravel(5);
    EXPECT_FALSE(model.commit(2, 1, "mm"));
    EXPECT_FALSE(model.commit(2, 2, "step"));
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_EQ(axis1().travelPerRev(), 500);
    EXPECT_EQ(axis1().minTravel(), 5u);
    // A deg axis from a loaded image does change to mm.
    axis1().setPositionUnit(1);
    EXPECT_FALSE(model.commit(2, 1, "mm"));
    EXPECT_EQ(sink.writes.size(), 5u);
    EXPECT_EQ(axis1().positionUnit(), 0);
    EXPECT_EQ(axis1().travelPerRev(), 1000);
}

TEST_F(DriverSettingModelTest, UnitSwitchKeepsStoredPositions) {
    image.writePosition(0, 1000, 12345);
    EXPECT_FALSE(model.commit(2, 1, "step"));
    EXPECT_EQ(image.readPosition(0, 1000), 12345);
}

TEST_F(DriverSettingModelTest, StepResolutionIsAlsoTheTravel) {
    EXPECT_FALSE(model.commit(6, 2, "4000"));
    EXPECT_EQ(axis2().resolution(), 4000);
    EXPECT_EQ(axis2().travelPerRev(), 4000);
    const std::vector<RecordingSink::Write> expected = {RecordingSink::axis(addr(1, 32), 2, 4000),
                                                        RecordingSink::axis(addr(1, 30), 2, 4000)};
    EXPECT_EQ(sink.writes, expected);
    EXPECT_FALSE(model.commit(6, 2, "50"));
    EXPECT_EQ(axis2().resolution(), 100);
    EXPECT_EQ(axis2().travelPerRev(), 100);
}

TEST_F(DriverSettingModelTest, ComboRowsStoreTheirCodes) {
    EXPECT_FALSE(model.commit(9, 1, "S字加減速"));
    EXPECT_FALSE(model.commit(12, 1, "2センサ"));
    EXPECT_FALSE(model.commit(13, 1, "CW"));
    const std::vector<RecordingSink::Write> expected = {RecordingSink::axis(addr(0, 194), 1, 1),
                                                        RecordingSink::axis(addr(0, 28), 1, 1),
                                                        RecordingSink::axis(addr(0, 181), 1, 1)};
    EXPECT_EQ(sink.writes, expected);
    EXPECT_EQ(model.cellText(9, 1), "S字加減速");
    EXPECT_EQ(model.cellText(12, 1), "2センサ");
    EXPECT_EQ(model.cellText(13, 1), "CW");
    axis1().setHomeDirection(7);
    EXPECT_EQ(model.cellText(13, 1), "CW");
    EXPECT_FALSE(model.commit(13, 1, "CCW"));
    EXPECT_EQ(axis1().homeDirection(), 0);
}

TEST_F(DriverSettingModelTest, FourthAxisAddresses) {
    PulseAxisRecord(image, 3).setModel(3);
    EXPECT_FALSE(model.commit(8, 4, "3000"));
    EXPECT_EQ(sink.writes.back(), RecordingSink::axis(2048 * 3 + 256 + 40, 2, 3000));
    EXPECT_EQ(image.u16(171536 + 256 * 3 + 40), 3000);
}

TEST_F(DriverSettingModelTest, WithoutASinkTheImageIsStillEdited) {
    DriverSettingModel offline(image, nullptr);
    EXPECT_FALSE(offline.commit(8, 1, "1500"));
    EXPECT_EQ(axis1().maxRotationSpeed(), 1500);
}

}  // namespace
}  // namespace vantrel
