#include <gtest/gtest.h>

#include "commands/TimerCounterMemoryEditor.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

class TimerCounterMemoryEditorTest : public test::EditorFixture {
protected:
    IoNames names = test::editorIoNames();
};

TEST_F(TimerCounterMemoryEditorTest, ValueFieldsByMode) {
    struct Case {
        std::uint8_t code;
        int row;
        const char* value;
        const char* refusal;  // nullptr: stored
        const char* operandOrNote;  // stored: the operand; refused: the range shown beside the message
        std::int32_t stored;
    };
    const Case cases[] = {
        {kCodeWait, 2, "99.99", nullptr, "T3", 9999},
        {kCodeWait, 2, "0.005", nullptr, "T3", 1},
        {kCodeWait, 2, "100", "設定が範囲外です。", "設定範囲:0.00～99.99[sec]", 0},
        {kCodeWait, 2, "-0.01", "設定が範囲外です。", "設定範囲:0.00～99.99[sec]", 0},
        {kCodeWait, 2, "1,5", "数字を入力してください", "設定範囲:0.00～99.99[sec]", 0},
        {kCodeCounterSet, 1, "1000000", nullptr, "CNTR2=1000000", 1000000},
        {kCodeCounterSet, 1, "1000001", "設定が範囲外です。", "設定範囲:0～1000000", 0},
        {kCodeCounterSet, 1, "", "数字を入力してください", "設定範囲:0～1000000", 0},
        {kCodeCounterSet, -1, "5", "設定項目を選択してください。", "", 0},
        {kCodeCounterInc, 0, "", nullptr, "CNTR1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(commandKeyword(c.code)) + " " + c.value);
        TimerCounterMemoryEditor editor(c.code, {}, false, names, image);
        editor.chooseRow(c.row);
        if (editor.hasValue()) editor.setValueText(c.value);
        const EditorResult result = editor.accept();
        if (c.refusal) {
            ASSERT_FALSE(result);
            EXPECT_EQ(result.refusal->text, c.refusal);
            EXPECT_EQ(result.refusal->note, c.operandOrNote);
            EXPECT_EQ(editor.valueText(), c.value);
            continue;
        }
        ASSERT_TRUE(result) << result.refusal->text;
        EXPECT_EQ(result.record.operand, c.operandOrNote);
        EXPECT_EQ(result.record.value, c.stored);
    }
}

TEST_F(TimerCounterMemoryEditorTest, TimeWaitSetsTheTimerPresetAndQueuesIt) {
    TimerTable(image).setTimer(21, 150);  // T22
    TimerCounterMemoryEditor editor(kCodeWait, {}, false, names, image);
    EXPECT_EQ(editor.title(), "時間待ち");
    EXPECT_EQ(editor.valueHint(), "設定単位:0.01[sec] \n設定範囲:0.00～99.99[sec]");
    editor.choosePage(1);
    editor.chooseRow(1);
    EXPECT_EQ(editor.operandText(), "T22");
    EXPECT_EQ(editor.valueText(), "1.50");  // the timer's preset
    editor.setValueText("2.5");
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.record.number, 21);
    EXPECT_EQ(editor.valueText(), "2.50");

    load("\tPROG\t#001\r\n");
    ASSERT_TRUE(steps.storeCommand(result.record));
    EXPECT_EQ(firstStepOperand(), "T22");
    EXPECT_EQ(ConstTimerTable(image).timer(21), 250);
    ASSERT_FALSE(sink.writes.empty());
    EXPECT_EQ(sink.writes.back().value, 250);
    EXPECT_EQ(sink.writes.back().address, *controllerAddress(TimerTable::timerOffset(21)));

    // Re-opened: page (22 - 1) / 20, row (22 - 1) % 20, the timer's value.
    ASSERT_TRUE(steps.beginEditExisting(0));
    const TimerCounterMemoryEditor again(kCodeWait, steps.lastEditRecord(), true, names, image);
    EXPECT_EQ(again.list().page(), 1);
    EXPECT_EQ(again.list().chosenRow(), 1);
    EXPECT_EQ(again.valueText(), "2.50");
}

TEST_F(TimerCounterMemoryEditorTest, StepsReopenOnTheirRow) {
    load("\tPROG\t#001\r\n\tINC\tM22\r\n\tDEC\tM23\r\n\tCSET\tCNTR2=77\r\n\tCCLR\tCNTR1\r\n");
    struct Case {
        int row;
        std::uint8_t code;
        int page;
        int listRow;
        const char* refusal;
    };
    const Case cases[] = {
        {0, kCodeMemoryInc, 1, 1, nullptr},
        {1, kCodeMemoryDec, 1, 2, "設定項目を選択してください"},  // M23 has no symbol in the tables
        {2, kCodeCounterSet, 0, 1, nullptr},
        {3, kCodeCounterClear, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_TRUE(steps.beginEditExisting(c.row));
        TimerCounterMemoryEditor editor(c.code, steps.lastEditRecord(), true, names, image);
        EXPECT_EQ(editor.list().page(), c.page);
        EXPECT_EQ(editor.list().chosenRow(), c.listRow);
        const EditorResult result = editor.accept();
        if (c.refusal) {
            EXPECT_EQ(result.refusal->text, c.refusal);
            continue;
        }
        ASSERT_TRUE(result);
        EXPECT_EQ(result.record.number, 0);  // the operand names it
        ASSERT_TRUE(steps.storeCommand(result.record));
        steps.endEditExisting();
    }
    EXPECT_EQ(store.current().step(0).operand, "M22");
    EXPECT_EQ(store.current().step(2).operand, "CNTR2=77");
    EXPECT_EQ(store.current().stepCount, 4);
}

}  // namespace
}  // namespace vantrel
