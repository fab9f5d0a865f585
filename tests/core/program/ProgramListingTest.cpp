#include <gtest/gtest.h>

#include "data/ControllerMode.h"
#include "program/ProgramListing.h"
#include "program/ProgramStore.h"
#include "program/ValueTexts.h"
#include "ProgramTestSupport.h"

namespace vantrel {
namespace {

using test::setPoint;

class ListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int axis = 0; axis < 4; ++axis) PulseAxisRecord(image, axis).setPositionUnit(0);
    }
    std::string list(int code, std::string_view operand) { return listOperand(code, operand, image, directory); }
    void setUnit(int axis, std::uint8_t unit) { PulseAxisRecord(image, axis).setPositionUnit(unit); }

    SettingsImage image;
    ProgramDirectory directory;
};

TEST_F(ListingTest, RelativeMoveWithPositionsAndRates) {
    setUnit(2, 2);  // axis 3 in steps
    setPoint(image, 0, 11, 1050, 50);
    setPoint(image, 2, 11, NOT_SET_POSITION, 80);
    EXPECT_EQ(list(kCodeMove, "I A1,A3 P0012 "), "相対値 軸1,軸3 P0012(10.50mm, ---) 50%, 80% ");
}

TEST_F(ListingTest, AbsoluteMovesInterpolationsAndPointDigits) {
    setPoint(image, 0, 300, -5, 40);
    setPoint(image, 1, 300, 200, 60);
    EXPECT_EQ(list(kCodeMoveD, "A1 P0301 "), "絶対値 軸1 P0301(-0.05mm) 40% ");
    // Interpolations show only the first axis's rate.
    EXPECT_EQ(list(kCodeLine, "A1,A2 P0301 "), "絶対値 軸1,軸2 P0301(-0.05mm, 2.00mm) 40% ");
    // Three digits are copied as three digits and name the same point.
    EXPECT_EQ(list(kCodeMoveD, "A1 P301 "), "絶対値 軸1 P301(-0.05mm) 40% ");
    setUnit(1, 1);
    EXPECT_EQ(list(kCodeMoveD, "A2 P0301 "), "絶対値 軸2 P0301(2.00deg) 60% ");
    EXPECT_EQ(list(kCodeMoveD, "A2 garbage"), "絶対値 軸2  ");
}

TEST_F(ListingTest, ArcShowsBothPointsAndADashForAStepAxisWithoutPosition) {
    setUnit(1, 2);
    setPoint(image, 0, 300, 100, 30);
    setPoint(image, 1, 300, 7, 30);
    setPoint(image, 0, 301, 200, 30);
    setPoint(image, 1, 301, NOT_SET_POSITION, 30);
    EXPECT_EQ(list(kCodeArc, "A1,A2 P0301 P0302 "), "絶対値 軸1,軸2 P0301(1.00mm, 7step) P0302(2.00mm, -) 30% ");
}

TEST_F(ListingTest, HomePathAccWaitAndAxisLists) {
    PositionRecord(image, 0, 252).setSpeed(20);
    PositionRecord(image, 2, 252).setSpeed(70);
    EXPECT_EQ(list(kCodeHome, "A1,A3 "), "軸1(20%),軸3(70%) ");
    EXPECT_EQ(list(kCodePath, "ON,A1 1.5,A2 0.125 "), "軸1 1.50,軸2 0.13");
    EXPECT_EQ(list(kCodePath, "OFF "), "OFF ");
    PulseAxisRecord(image, 1).setAccelTime(3, 125);
    EXPECT_EQ(list(kCodeAcc, "ON,A2 3"), "軸2 3(1.25sec)");
    TimerTable(image).setTimer(2, 150);
    EXPECT_EQ(list(kCodeWait, "T3"), "T3(1.50sec)");
    EXPECT_EQ(list(kCodeWait, "IN1"), "IN1");
    EXPECT_EQ(list(kCodeBreak, "A1,A16,AX,A2 "), "軸1,軸16,軸2 ");
    EXPECT_EQ(list(kCodeMove2P, "A3 P005 "), "軸3  P005 ");
    EXPECT_EQ(list(kCodeSav, "A2 OFF"), "軸2 OFF");
    EXPECT_EQ(list(kCodeCalc, "X = 1 "), "X = 1 ");
}

// A listing shown in another language takes that language's words; the
// program's own tokens, names and units stay as they are.
TEST_F(ListingTest, ListingWordsReplaceTheSystemsOwn) {
    const ListingWords english = listingWordsIn(Language::English);
    setPoint(image, 0, 11, 1050, 50);
    PositionRecord(image, 1, 252).setSpeed(20);
    PulseAxisRecord(image, 1).setAccelTime(3, 125);
    const struct {
        int code;
        const char* operand;
        const char* listed;
    } cases[] = {
        {kCodeMove, "I A1 P0012 ", "Relative Axis 1 P0012(10.50mm) 50% "},
        {kCodeMoveD, "A1,A2 garbage", "Absolute Axis 1,Axis 2  "},
        {kCodeHome, "A2 ", "Axis 2(20%) "},
        {kCodeAcc, "ON,A2 3", "Axis 2 3(1.25sec)"},
        {kCodeBreak, "A1,A16 ", "Axis 1,Axis 16 "},
        {kCodeMove2P, "A3 P005 ", "Axis 3  P005 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listOperand(c.code, c.operand, image, directory, english), c.listed) << c.operand;

    CurrentProgram program;
    program.step(0).code = kCodeMove;
    program.step(0).operand = "I A1 P0012 ";
    program.stepCount = 1;
    EXPECT_EQ(stepTableRow(program, 0, image, directory, english)[3], "Relative Axis 1 P0012(10.50mm) 50% ");
}

TEST_F(ListingTest, ProgramReferencesShowTheProgramName) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#002\t;Sub\r\n\tPROG\t#003\r\n"));
    store.scanDirectory();
    EXPECT_EQ(listOperand(kCodeGosub, "#002", image, store.directory()), "#002(Sub)");
    EXPECT_EQ(listOperand(kCodeGosub, "#003", image, store.directory()), "#003()");
    EXPECT_EQ(listOperand(kCodeProgramOn, "no number", image, store.directory()), "");
    EXPECT_EQ(listOperand(kCodeIfGosub, "IN1=1 GOSUB #002 x", image, store.directory()), "IN1=1 GOSUB #002(Sub)");
}

TEST_F(ListingTest, ShiftListsThePointOnAllAxesWithoutRates) {
    setPoint(image, 0, 80, 100, 1);
    setPoint(image, 1, 80, NOT_SET_POSITION, 1);
    EXPECT_EQ(list(kCodeShift, "ON 1 P081 "), "ON 1 P081(1.00mm, -.--, 0.00mm, 0.00mm) ");
    EXPECT_EQ(list(kCodeShift, "OFF 1 "), "OFF 1 ");
}

TEST_F(ListingTest, StepTableRows) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\nL012\tEND\t\t;bye\r\n\tXYZ\t\r\n"));
    store.scanDirectory();
    store.loadProgram(1);
    EXPECT_EQ(stepTableRowCount(store.current()), 3);
    EXPECT_EQ(stepTableRow(store.current(), 0, image, store.directory()),
              (std::array<std::string, 5>{"001", "012", "end", " ", "bye"}));
    EXPECT_EQ(stepTableRow(store.current(), 1, image, store.directory())[2], "未定義コマンド");
    EXPECT_EQ(stepTableRow(store.current(), 2, image, store.directory()),
              (std::array<std::string, 5>{"003", "", "", "", ""}));
}

TEST(StatusTexts, ModesErrorsAndEditing) {
    EXPECT_EQ(controllerModeName(0), "編集テストモード");
    EXPECT_EQ(controllerModeName(2), "自動実行モード");
    EXPECT_EQ(controllerModeName(3), "");
    EXPECT_EQ(programStatusText(5, true), "ﾗﾍﾞﾙｴﾗｰ");
    EXPECT_EQ(programStatusText(0, false), "プログラム編集中");
    EXPECT_EQ(programStatusText(0, true), "");
    EXPECT_EQ(programStatusText(11, true), "");
}

TEST(RowHighlights, RunModeShowsOnlyTheRunningStep) {
    RowHighlightState state{true, 4, 4, 4};
    EXPECT_EQ(rowHighlight(state, 4), RowHighlight::RunningStep);
    state.runMode = false;
    EXPECT_EQ(rowHighlight(state, 4), RowHighlight::CompileError);
    state.errorStep = -1;
    EXPECT_EQ(rowHighlight(state, 4), RowHighlight::LastStored);
}

TEST(ValueTexts, PositionsAndRates) {
    EXPECT_EQ(formatPosition(0, -5), "-0.05");
    EXPECT_EQ(formatPosition(0, NOT_SET_POSITION), "-.--");
    EXPECT_EQ(formatPosition(2, NOT_SET_POSITION), "---");
    EXPECT_EQ(formatPosition(2, -1234), "-1234");
    EXPECT_DOUBLE_EQ(*parsePosition(0, "12.345"), 1234.5);
    EXPECT_DOUBLE_EQ(*parsePosition(0, "99999"), 8000000);
    EXPECT_DOUBLE_EQ(*parsePosition(2, "-9000000"), -8000000);
    EXPECT_FALSE(parsePosition(0, "1.2.3"));
    EXPECT_FALSE(parsePosition(0, "-"));
    EXPECT_EQ(positionResetText(0), "-.--");
    EXPECT_EQ(positionResetText(2), "-");
    EXPECT_DOUBLE_EQ(*parseSpeedRate("0"), 1);
    EXPECT_DOUBLE_EQ(*parseSpeedRate("250"), 100);
    EXPECT_FALSE(parseSpeedRate("abc"));
    EXPECT_EQ(positionHint(0), "設定単位:0.01[mm] \n設定範囲:-80000.00～80000.00[mm]");
    EXPECT_EQ(positionHint(2), "設定単位:1[step] \n設定範囲:-8000000～8000000[step]");
}

TEST(ValueTexts, VariableNamesAndConstants) {
    EXPECT_FALSE(checkVariableName("Abc_12"));
    EXPECT_FALSE(checkVariableName("A123456789"));
    EXPECT_EQ(checkVariableName("A1234567890")->text, "10文字以内に入力してください。");
    EXPECT_EQ(checkVariableName("1abc")->text, "先頭文字はアルファベットのみ指定可能。");
    EXPECT_EQ(checkVariableName("Ａbc")->text, "半角の英数字及び_を入力してください。");
    EXPECT_EQ(checkVariableName("a-b")->text, "半角の英数字及び_を入力してください。");
    EXPECT_EQ(checkVariableName("a-b")->icon, MessageIcon::Warning);
    EXPECT_FALSE(checkVariableOrConstant("-123"));
    EXPECT_FALSE(checkVariableOrConstant("count"));
    EXPECT_TRUE(checkVariableOrConstant("12a"));
    EXPECT_TRUE(checkVariableOrConstant("-"));
}

}  // namespace
}  // namespace vantrel
