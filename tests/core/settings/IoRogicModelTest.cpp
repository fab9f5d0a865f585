#include "settings/IoRogicModel.h"

#include <gtest/gtest.h>

#include "core/settings/RecordingSink.h"

namespace vantrel {
namespace {

using test::RecordingSink;

class IoRogicModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int axis = 0; axis < 4; ++axis) ControllerFlagWords(image).setSensorLogic(axis, 0x06);
    }
    SettingsImage image;
    RecordingSink sink;
    IoRogicModel model{image, &sink};
};

TEST_F(IoRogicModelTest, LayoutAndDefaultsShow) {
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.cellText(0, 1), "HOMES");
    EXPECT_EQ(model.cellText(0, 2), "+LS");
    EXPECT_EQ(model.cellText(0, 3), "-LS");
    EXPECT_EQ(model.cellText(4, 0), "軸4");
    EXPECT_EQ(model.cellText(1, 1), "A接点");
    EXPECT_EQ(model.cellText(1, 2), "B接点");
    EXPECT_EQ(model.cellText(1, 3), "B接点");
    EXPECT_EQ(model.backgroundColour(1, 1), cellColour::kCyan);
    EXPECT_EQ(model.backgroundColour(1, 2), cellColour::kYellow);
    EXPECT_EQ(model.cellKind(2, 2), CellKind::DropDown);
    EXPECT_EQ(model.choices(2, 2), (std::vector<std::string>{"A接点", "B接点"}));
    EXPECT_NE(model.helpText(3, 2).find("+LS 入力"), std::string::npos);
}

TEST_F(IoRogicModelTest, PlusLimitOfAxisTwoToContactA) {
    EXPECT_FALSE(model.commit(2, 2, "A接点"));
    EXPECT_EQ(image.u8(172566), 0x02);
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::value(0x70006, 1, 0x02));
    EXPECT_EQ(model.cellText(2, 2), "A接点");
    EXPECT_EQ(model.backgroundColour(2, 2), cellColour::kCyan);
    // The other axes keep their bytes.
    EXPECT_EQ(image.u8(172567), 0x06);
    EXPECT_EQ(image.u8(172565), 0x06);
}

TEST_F(IoRogicModelTest, HomesOfAxisFourToContactB) {
    EXPECT_FALSE(model.commit(4, 1, "B接点"));
    EXPECT_EQ(image.u8(172564), 0x0E);
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], RecordingSink::value(0x70004, 1, 0x0E));
    EXPECT_EQ(model.backgroundColour(4, 1), cellColour::kYellow);
}

TEST_F(IoRogicModelTest, ReservedBitsOfTheByteSurvive) {
    image.setU8(172567, 0xF1);
    EXPECT_FALSE(model.commit(1, 3, "B接点"));
    EXPECT_EQ(image.u8(172567), 0xF3);
}

TEST_F(IoRogicModelTest, ForeignTextAndLabelCellsChangeNothing) {
    const SettingsImage before = image;
    EXPECT_FALSE(model.commit(1, 1, "C接点"));
    EXPECT_FALSE(model.commit(0, 1, "A接点"));
    EXPECT_FALSE(model.commit(1, 0, "A接点"));
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
}

TEST_F(IoRogicModelTest, ShowsAnImageReplacedBehindIt) {
    ControllerFlagWords(image).setSensorLogic(2, 0x08);
    EXPECT_EQ(model.cellText(3, 1), "B接点");
    EXPECT_EQ(model.cellText(3, 2), "A接点");
}

}  // namespace
}  // namespace vantrel
