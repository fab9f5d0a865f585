#include <gtest/gtest.h>

#include "commands/NetworkAxisCommandEditor.h"
#include "commands/NetworkMoveEditor.h"
#include "commands/ShiftEditor.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using test::EditorFixture;

class NetworkAndShiftEditorTest : public EditorFixture {
protected:
    const CommandEditRecord& reopen(int row) {
        EXPECT_TRUE(steps.beginEditExisting(row));
        return steps.lastEditRecord();
    }
};

TEST_F(NetworkAndShiftEditorTest, NetworkMoveShowsThePointThroughTheDriverUnit) {
    NetworkDriverRecord driver(image, 2);
    NetworkPointRecord point = driver.point(4);
    point.setMode(1);
    point.setPosition(-12345);
    point.setSpeed(2000);
    point.setAccelTime(750);
    point.setDecelTime(1500);

    NetworkMoveEditor editor(kCodeMove2P, {}, false, image);
    EXPECT_EQ(editor.title(), "軸移動(RIVO)");
    EXPECT_EQ(editor.axisChoices().texts().back(), "016");
    EXPECT_EQ(editor.pointChoices().size(), 64);
    EXPECT_EQ(editor.modeText(), "inc");
    editor.chooseAxis(2);
    editor.choosePoint(4);
    EXPECT_EQ(editor.modeText(), "abs");
    EXPECT_EQ(editor.positionText(), "-12345");
    EXPECT_EQ(editor.speedUnit(), "Hz");
    EXPECT_EQ(editor.accelTimeText(), "0.750");
    EXPECT_EQ(editor.decelTimeText(), "1.500");

    // A driver in mm: the raw value x first ratio word / second ratio word, in hundredths.
    driver.setUnit(0);
    driver.setRatio1(3);
    driver.setRatio2(2);
    EXPECT_EQ(editor.positionText(), "-185.17");
    EXPECT_EQ(editor.speedText(), "30.00");
    EXPECT_EQ(editor.positionUnit(), "mm");
    driver.setRatio2(0);  // nothing to divide by: steps as they are
    EXPECT_EQ(editor.positionText(), "-12345");

    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(firstStepOperand(), "A3 P005 ");
    const NetworkMoveEditor again(kCodeMove2P, reopen(0), true, image);
    EXPECT_EQ(again.axisChoices().chosenNumber(), 3);
    EXPECT_EQ(again.pointChoices().chosenNumber(), 5);
}

TEST_F(NetworkAndShiftEditorTest, NetworkAxisCommandsByMode) {
    struct Case {
        std::uint8_t code;
        const char* title;
        bool off;
        const char* operand;
    };
    const Case cases[] = {
        {kCodeHome2, "原点復帰(RIVO)", false, "A16 "},
        {kCodeSav2, "励磁ON/OFF(RIVO)", true, "A16 OFF"},
        {kCodeNioRd, "ﾘﾓｰﾄI/O読出", false, "A16 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        load("\tPROG\t#001\r\n");
        NetworkAxisCommandEditor editor(c.code, {}, false);
        EXPECT_EQ(editor.title(), c.title);
        EXPECT_EQ(editor.hasOnOff(), c.code == kCodeSav2);
        EXPECT_EQ(editor.axisChoices().chosenNumber(), 1);
        editor.chooseAxis(15);
        editor.setOn(!c.off);
        const EditorResult result = editor.accept();
        ASSERT_TRUE(steps.storeCommand(result.record));
        EXPECT_EQ(store.current().step(0).code, c.code);
        EXPECT_EQ(firstStepOperand(), c.operand);
        const NetworkAxisCommandEditor again(c.code, reopen(0), true);
        EXPECT_EQ(again.axisChoices().chosenNumber(), 16);
        EXPECT_EQ(again.on(), !c.off || !again.hasOnOff());
    }
}

TEST_F(NetworkAndShiftEditorTest, ShiftOnWritesItsPointOffStoresNoAxis) {
    test::setPoint(image, 0, 82, 250, 100);
    ShiftEditor shift({}, false, image);
    EXPECT_EQ(shift.title(), "シフト演算");
    EXPECT_EQ(shift.pointChoices().texts().front(), "081");
    EXPECT_EQ(shift.pointChoices().texts().back(), "095");
    EXPECT_EQ(ShiftEditor::axisLabel(3), "軸4：");
    shift.choosePoint(2);  // 083
    EXPECT_EQ(shift.positionText(0), "2.50");
    EXPECT_EQ(shift.accept().refusal->text, "数字を入力してください");  // axes 2..4 hold no position
    for (int axis : {1, 2, 3}) shift.setPositionText(axis, "0");
    shift.setPositionText(0, "-1.5");
    shift.setSecondShift(true);
    const EditorResult on = shift.accept();
    ASSERT_TRUE(on);
    EXPECT_EQ(on.record.point1, 82);  // 0-based
    ASSERT_TRUE(steps.storeCommand(on.record));
    EXPECT_EQ(firstStepOperand(), "ON 2 P083 ");
    EXPECT_EQ(image.readPosition(0, 82), -150);

    ShiftEditor again(reopen(0), true, image);
    EXPECT_TRUE(again.secondShift());
    EXPECT_EQ(again.pointChoices().chosenNumber(), 83);
    again.setOn(false);
    EXPECT_FALSE(again.pointControlsEnabled());
    again.setPositionText(0, "abc");  // not read for OFF
    const EditorResult off = again.accept();
    ASSERT_TRUE(off);
    for (int axis = 0; axis < 4; ++axis) EXPECT_EQ(off.record.axes[static_cast<std::size_t>(axis)].selected, 0);
    ASSERT_TRUE(steps.storeCommand(off.record));
    EXPECT_EQ(firstStepOperand(), "OFF 2 ");
    EXPECT_EQ(image.readPosition(0, 82), -150);
}

}  // namespace
}  // namespace vantrel
