#include <gtest/gtest.h>

#include "commands/ComparisonEditor.h"
#include "commands/ExpressionEditor.h"
#include "commands/ListSources.h"
#include "commands/PauseEditor.h"
#include "commands/ProgramChoiceEditor.h"
#include "commands/UserAlarmEditor.h"
#include "commands/VariableDeclarationEditor.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using Op = ExpressionOperator;

class FlowAndVariableEditorsTest : public test::EditorFixture {
protected:
    const CommandEditRecord& reopen(int row) {
        EXPECT_TRUE(steps.beginEditExisting(row));
        return steps.lastEditRecord();
    }
};

TEST_F(FlowAndVariableEditorsTest, ExpressionAlternatesOperandAndOperator) {
    ExpressionEditor e({}, false);
    EXPECT_EQ(e.accept().refusal->text, "演算式が未設定です。");
    e.addOperator(Op::Plus);                    // ignored at the start
    EXPECT_FALSE(e.addVariable("cnt"));
    EXPECT_FALSE(e.addNumber("5"));             // ignored after an operand
    e.addOperator(Op::Plus);
    EXPECT_FALSE(e.addNumber("2147483647"));
    EXPECT_FALSE(e.addNumber("3"));             // a number after a number
    e.addOperator(Op::Equals);
    e.addOperator(Op::Minus);                   // an operator after an operator
    EXPECT_EQ(e.text(), "cnt + 2147483647 = ");
    EXPECT_TRUE(e.expectsOperand());

    for (const char* bad : {"-1", "2147483648", "1.5", "", "１"}) {
        SCOPED_TRACE(bad);
        const MaybeRefusal refusal = e.addNumber(bad);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, "入力値は範囲外です。");
        EXPECT_EQ(refusal->note, "設定範囲:0～2147483647");
    }
    EXPECT_EQ(e.addVariable("1abc")->text, "先頭文字はアルファベットのみ指定可能。");
    EXPECT_EQ(e.text(), "cnt + 2147483647 = ");

    // Stored as built, complete or not; re-opened it expects an operator.
    ASSERT_TRUE(steps.storeCommand(e.accept().record));
    EXPECT_EQ(firstStepOperand(), "cnt + 2147483647 = ");
    ExpressionEditor again(reopen(0), true);
    EXPECT_FALSE(again.expectsOperand());
    again.addNumber("4");
    again.addOperator(Op::Divide);
    EXPECT_EQ(again.text(), "cnt + 2147483647 = / ");
    again.clear();
    EXPECT_TRUE(again.expectsOperand());
}

TEST_F(FlowAndVariableEditorsTest, ExpressionNeverOutgrowsAStepOperandAndSaysSo) {
    ExpressionEditor e({}, false);
    MaybeRefusal refused;
    for (int i = 0; i < 100 && !refused; ++i) refused = e.expectsOperand() ? e.addVariable("abcdefghij") : e.addOperator(Op::Times);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "演算式が254バイトを超えるため、これ以上追加できません。");
    EXPECT_EQ(e.text().size(), 247u);  // 19 times "abcdefghij * "
    ASSERT_TRUE(e.addNumber("1234567"));       // 255 bytes
    EXPECT_FALSE(e.addNumber("123456"));       // 254 bytes: the last that fit
    const MaybeRefusal full = e.addOperator(Op::Plus);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->text, refused->text);
    ASSERT_TRUE(steps.storeCommand(e.accept().record));
    EXPECT_EQ(firstStepOperand(), e.text());  // nothing cut off
}

TEST_F(FlowAndVariableEditorsTest, ComparisonNeedsAllThreeAndValidSides) {
    struct Case {
        const char* left;
        int op;
        const char* right;
        const char* result;  // the operand, or the message
    };
    const Case cases[] = {
        {"", 0, "1", "条件が設定されていません"},
        {"x", -1, "1", "条件が設定されていません"},
        {"x", 0, "", "条件が設定されていません"},
        {"1x", 0, "1", "先頭文字はアルファベットのみ指定可能。"},
        {"x", 0, "1y", "変数名の先頭文字はアルファベットのみ指定可能です。\n定数であれば数字のみの入力としてください。"},
        {"x", 0, "-12", "x == -12 THEN"},
        {"cnt", 1, "lim", "cnt # lim THEN"},
        {"cnt", 3, "7", "cnt > 7 THEN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        ComparisonEditor editor({}, false);
        editor.setLeft(c.left);
        editor.chooseOperator(c.op);
        editor.setRight(c.right);
        const EditorResult result = editor.accept();
        EXPECT_EQ(result ? result.record.operand : result.refusal->text, c.result);
    }
}

TEST_F(FlowAndVariableEditorsTest, IfStepAndItsEndIf) {
    ComparisonEditor editor({}, false);
    editor.setLeft("cnt");
    editor.chooseOperator(2);
    editor.setRight("10");
    ASSERT_TRUE(steps.storeCommand(editor.accept().record));
    ASSERT_TRUE(steps.storeEndIf());
    EXPECT_NE(store.text().find("\tIF\tcnt < 10 THEN\r\n\tENDIF\t\r\n\tEND\t\r\n"), std::string::npos);

    const ComparisonEditor again(reopen(0), true);
    EXPECT_EQ(again.left(), "cnt");
    EXPECT_EQ(again.operatorIndex(), 2);
    EXPECT_EQ(again.right(), "10");
}

TEST_F(FlowAndVariableEditorsTest, ProgramChoiceListsProgramsWithNames) {
    struct Case {
        std::uint8_t code;
        const char* title;
        const char* keyword;
    };
    const Case cases[] = {{kCodeGosub, "CALL", "GOSUB"}, {kCodeProgramOn, "プログラム起動", "ON"},
                          {kCodeProgramOff, "プログラム停止", "OFF"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        load("\tPROG\t#001\r\n\tEND\t\r\n\tPROG\t#100\t;Main\r\n\tPROG\t#007\r\n");
        ProgramChoiceEditor editor(c.code, {}, false, store.directory());
        EXPECT_EQ(editor.title(), c.title);
        ASSERT_EQ(editor.rows().size(), 3u);
        EXPECT_EQ(editor.rows()[1].numberText, "P007");
        EXPECT_EQ(editor.rows()[2].name, "Main");
        EXPECT_EQ(editor.accept().refusal->text, "プログラム未選択です");
        editor.chooseRow(2);
        ASSERT_TRUE(steps.storeCommand(editor.accept().record));
        EXPECT_EQ(firstStepKeyword(), c.keyword);
        EXPECT_EQ(firstStepOperand(), "#100 ");
        const ProgramChoiceEditor again(c.code, reopen(0), true, store.directory());
        EXPECT_EQ(again.chosenRow(), 2);
    }
}

TEST_F(FlowAndVariableEditorsTest, VariableDeclarationFreeOrFromTheList) {
    EXPECT_EQ(systemVariables().back().symbol, "MR040");

    VariableDeclarationEditor editor({}, false);
    EXPECT_EQ(editor.accept().refusal->text, "変数名が未設定です。");
    editor.setName("abcdefghijk");
    EXPECT_EQ(editor.accept().refusal->text, "10文字以内に入力してください。");
    editor.setFromList(true);
    EXPECT_EQ(editor.accept().refusal->text, "変数名が未選択です。");
    editor.chooseVariable(8);
    ASSERT_TRUE(steps.storeCommand(editor.accept().record));
    EXPECT_EQ(firstStepOperand(), "MR110");
    const VariableDeclarationEditor listed(reopen(0), true);
    EXPECT_TRUE(listed.fromList());
    EXPECT_EQ(listed.chosenVariable(), 8);

    VariableDeclarationEditor free({}, false);
    free.setName("count_1");
    steps.endEditExisting();
    steps.setSelectedRow(1);
    ASSERT_TRUE(steps.storeCommand(free.accept().record));
    const VariableDeclarationEditor typed(reopen(1), true);
    EXPECT_FALSE(typed.fromList());
    EXPECT_EQ(typed.name(), "count_1");
}

TEST_F(FlowAndVariableEditorsTest, UserAlarmAndPause) {
    UserAlarmEditor alarm({}, false);
    EXPECT_EQ(alarm.alarmChoices().texts().front(), "01");
    EXPECT_EQ(alarm.alarmChoices().texts().back(), "55");
    alarm.chooseAlarm(54);
    ASSERT_TRUE(steps.storeCommand(alarm.accept().record));
    EXPECT_EQ(firstStepOperand(), "55 ");
    EXPECT_EQ(UserAlarmEditor(reopen(0), true).alarmChoices().chosenNumber(), 55);

    steps.endEditExisting();
    steps.setSelectedRow(1);
    PauseEditor pause({}, false);
    EXPECT_TRUE(pause.on());
    pause.setOn(false);
    ASSERT_TRUE(steps.storeCommand(pause.accept().record));
    EXPECT_EQ(store.current().step(1).operand, "OFF");
    EXPECT_FALSE(PauseEditor(reopen(1), true).on());
}

}  // namespace
}  // namespace vantrel
