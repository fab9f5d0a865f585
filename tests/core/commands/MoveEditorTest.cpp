#include <gtest/gtest.h>

#include "commands/FieldChecks.h"
#include "commands/MoveEditor.h"
#include "program/PaletteButton.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using test::EditorFixture;

class MoveEditorTest : public EditorFixture {
protected:
    MoveEditor open(std::uint8_t code) { return MoveEditor(code, steps.lastEditRecord(), false, image, autoPointsOf(steps)); }
    MoveEditor reopen(int row) {
        EXPECT_TRUE(steps.beginEditExisting(row));
        const int mode = doubleClickMode(steps.lastEditRecord().code);
        return MoveEditor(static_cast<std::uint8_t>(mode), steps.lastEditRecord(), true, image, autoPointsOf(steps));
    }
};

TEST_F(MoveEditorTest, MixedUnitLinearStepTakesTheNextFreePoint) {
    load("\tPROG\t#001\r\n\tLINE\tA1 P0301 \r\n");
    setUnit(0, kPositionUnitStep);
    setUnit(2, kPositionUnitDeg);
    test::setPoint(image, 1, 301, 1234, 70);
    MoveEditor editor = open(kCodeLineC);
    EXPECT_EQ(editor.title(), "直線補間C");
    EXPECT_EQ(editor.point1(), 302);
    EXPECT_EQ(editor.positionText(0, 0), "---");  // step axis, not set
    EXPECT_EQ(editor.positionText(0, 1), "12.34");
    EXPECT_EQ(editor.positionText(0, 2), "-.--");
    EXPECT_EQ(editor.speedText(0), "100");
    EXPECT_EQ(editor.unitText(0), "step");

    for (int axis : {0, 1, 2}) editor.setAxisChecked(axis, true);
    editor.setPositionText(0, 0, "-8000000");
    editor.setPositionText(0, 1, "-80000");
    editor.setPositionText(0, 2, "90000");  // deg: no message, limited to 80000.00
    editor.setSpeedText(0, "55");
    editor.setIncremental(true);
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_EQ(editor.positionText(0, 1), "-80000.00");
    EXPECT_EQ(editor.positionText(0, 2), "80000.00");
    steps.setSelectedRow(1);
    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(store.renderProgram(), "\tPROG\t#001\r\n\tLINE\tA1 P0301 \r\n\tLINEC\tI A1,A2,A3 P0302 \r\n");
    EXPECT_EQ(image.readPosition(0, 301), -8000000);
    EXPECT_EQ(image.readPosition(1, 301), -8000000);
    EXPECT_EQ(image.readPosition(2, 301), 8000000);
    EXPECT_EQ(PositionRecord(image, 2, 301).speed(), 55);
}

TEST_F(MoveEditorTest, FailedChecksComeInFormOrderAndLeaveTheInput) {
    struct Case {
        const char* name;
        std::array<bool, 4> checked;
        const char* position2;
        const char* speed;
        const char* message;
    };
    const Case cases[] = {
        {"no axis", {false, false, false, false}, "1", "50", "軸を選択してください"},
        {"mm out of range", {false, true, false, false}, "80000.01", "50", "設定値が範囲外です。"},
        {"position before speed", {false, true, false, false}, "x", "0", "数字を入力してください"},
        {"speed 0", {false, true, false, false}, "1", "0", "設定値が範囲外です。"},
        {"speed 101", {false, true, false, false}, "1", "101", "設定値が範囲外です。"},
        {"speed abc", {false, true, false, false}, "1", "abc", "数字を入力してください"},
        {"unchecked axes are not read", {true, false, false, false}, "x", "100", nullptr},
    };
    test::setPoint(image, 0, 300, 100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveEditor editor = open(kCodeLine);
        for (int axis = 0; axis < 4; ++axis) editor.setAxisChecked(axis, c.checked[static_cast<std::size_t>(axis)]);
        editor.setPositionText(0, 1, c.position2);
        editor.setSpeedText(0, c.speed);
        const EditorResult result = editor.accept();
        if (!c.message) {
            EXPECT_TRUE(result);
            continue;
        }
        ASSERT_FALSE(result);
        EXPECT_EQ(result.refusal->text, c.message);
        EXPECT_EQ(editor.positionText(0, 0), "1.00");
        EXPECT_EQ(editor.positionText(0, 1), c.position2);
        EXPECT_EQ(editor.speedText(0), c.speed);
    }
}

TEST_F(MoveEditorTest, ArcNeedsExactlyTwoAxesAndFillsBothPoints) {
    MoveEditor editor = open(kCodeArcC);
    EXPECT_EQ(editor.positionRows(), 2);
    EXPECT_EQ(editor.positionRowLabel(1), "終点");
    EXPECT_EQ(editor.accept().refusal->text, "軸を選択してください");
    editor.setAxisChecked(0, true);
    EXPECT_EQ(editor.accept().refusal->text, "2軸を選択してください");
    for (int axis : {1, 3}) editor.setAxisChecked(axis, true);
    EXPECT_EQ(editor.accept().refusal->text, "2軸を選択してください");

    editor.setAxisChecked(1, false);
    editor.setPositionText(0, 0, "1");
    editor.setPositionText(0, 3, "2");
    editor.setPositionText(1, 0, "3");
    editor.setPositionText(1, 3, "4");
    editor.setSpeedText(0, "30");
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.record.axes[5].selected, 0);
    for (const auto& entry : result.record.axes) EXPECT_EQ(entry.speedRate, 30);

    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(firstStepOperand(), "A1,A4 P0301 P0302 ");
    EXPECT_EQ(image.readPosition(3, 300), 200);
    EXPECT_EQ(image.readPosition(3, 301), 400);
}

TEST_F(MoveEditorTest, AxisMoveHasASpeedPerAxisFromItsPoint) {
    test::setPoint(image, 1, 300, -5, 35);
    MoveEditor editor = open(kCodeMovePD);
    ASSERT_EQ(editor.speedFields(), 4);
    EXPECT_EQ(editor.speedText(1), "35");
    EXPECT_EQ(editor.positionText(0, 1), "-0.05");
    editor.setAxisChecked(1, true);
    editor.setSpeedText(0, "abc");  // axis 1 is not checked
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.record.axes[1].speedRate, 35);
    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(firstStepKeyword(), "MOVEP");
    EXPECT_EQ(firstStepOperand(), "A2 P0301 ");
}

TEST_F(MoveEditorTest, PointMoveWritesTheChosenTablePoint) {
    test::setPoint(image, 0, 1499, 4200, 60);
    MoveEditor editor = open(kCodeMove);
    ASSERT_TRUE(editor.hasPointChoice());
    ASSERT_EQ(editor.pointChoices().size(), 1000);
    EXPECT_EQ(editor.pointChoices().texts().back(), "2000");
    EXPECT_EQ(editor.point1(), 1001);
    editor.choosePoint(499);
    EXPECT_EQ(editor.point1(), 1500);
    EXPECT_EQ(editor.positionText(0, 0), "42.00");
    EXPECT_EQ(editor.speedText(0), "60");
    editor.setAxisChecked(0, true);
    editor.setPositionText(0, 0, "43.5");
    editor.setSpeedText(0, "61");
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_TRUE(editor.writesPointTable());
    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(firstStepOperand(), "A1 P1500 ");
    EXPECT_EQ(image.readPosition(0, 1499), 4350);
    EXPECT_EQ(PositionRecord(image, 0, 1499).speed(), 61);
    EXPECT_EQ(sink.writes.front().address, test::positionAddress(0, 1499));  // queued for the controller
}

TEST_F(MoveEditorTest, ReopenedStepShowsAndKeepsItsPoint) {
    load("\tPROG\t#001\r\nL002\tLINE\tI A2 P0305 \t;keep\r\n\tMOVE\tA1 P0005 \r\n");
    test::setPoint(image, 1, 304, 500, 40);
    MoveEditor line = reopen(0);
    EXPECT_TRUE(line.editsExisting());
    EXPECT_TRUE(line.axisChecked(1));
    EXPECT_TRUE(line.incremental());
    EXPECT_EQ(line.positionText(0, 1), "5.00");
    EXPECT_EQ(line.speedText(0), "40");
    line.setPositionText(0, 1, "6");
    const EditorResult result = line.accept();
    ASSERT_TRUE(result);
    ASSERT_TRUE(steps.storeCommand(result.record));
    steps.endEditExisting();
    EXPECT_EQ(store.renderProgram(), "\tPROG\t#001\r\nL002\tLINE\tI A2 P0305 \t;keep\r\n\tMOVE\tA1 P0005 \r\n");
    EXPECT_EQ(image.readPosition(1, 304), 600);

    // A point the drop-down does not offer (from a program file) stays the step's point.
    const MoveEditor move = reopen(1);
    EXPECT_EQ(move.point1(), 5);
    EXPECT_EQ(move.pointChoices().texts().front(), "0005");
}

TEST_F(MoveEditorTest, NoFreeAutomaticPointIsRefusedByTheStore) {
    // Program 2 names every point 301..1000.
    std::string text = "\tPROG\t#001\r\n\tEND\t\r\n\tPROG\t#002\r\n";
    for (int first = 301; first <= 1000; first += 35) {
        text += "\tLINE\tA1";
        for (int p = first; p < first + 35; ++p) text += " P0" + std::to_string(p);
        text += "\r\n";
    }
    load(text);
    ASSERT_EQ(steps.allocateAutoPoint(0), -1);
    MoveEditor editor = open(kCodeLine);
    EXPECT_EQ(editor.point1(), 0);
    editor.setAxisChecked(0, true);
    editor.setPositionText(0, 0, "1");
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    const EditOutcome stored = steps.storeCommand(result.record);
    ASSERT_FALSE(stored);
    EXPECT_EQ(stored.refusal->text, "自動割付ポイント番号がいっぱいになりました。");
    EXPECT_EQ(store.current().stepCount, 1);
}

}  // namespace
}  // namespace vantrel
