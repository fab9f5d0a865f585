#include <gtest/gtest.h>

#include "commands/LabelEditor.h"
#include "program/CommandCode.h"

namespace vantrel {
namespace {

StepEditor::LabelSet labels(std::initializer_list<int> used) {
    StepEditor::LabelSet set{};
    for (int label : used) set[static_cast<std::size_t>(label)] = true;
    return set;
}

TEST(LabelEditorTest, SettingOffersAndAcceptsOnlyFreeNumbers) {
    const LabelEditor editor(LabelEditor::Mode::SetLabel, labels({1, 2, 999}), {});
    EXPECT_EQ(editor.title(), "Label入力");
    ASSERT_EQ(editor.choices().size(), 996u);
    EXPECT_EQ(editor.choices().front(), 3);
    EXPECT_EQ(editor.choices().back(), 998);
    EXPECT_EQ(editor.choiceTexts().front(), "003");
    EXPECT_EQ(editor.initialChoice(), 0);

    struct Case {
        const char* typed;
        const char* message;  // nullptr: accepted
        int label;
    };
    const Case cases[] = {
        {"", "整数を入力してください。", 0},
        {"x1", "整数を入力してください。", 0},
        {"0", "1 から 999 までの整数を入力してください。", 0},
        {"1000", "1 から 999 までの整数を入力してください。", 0},
        {"-5", "1 から 999 までの整数を入力してください。", 0},
        {"99999999999999", "1 から 999 までの整数を入力してください。", 0},
        {"2", "ﾗﾍﾞﾙが既に設定されています", 0},
        {"999", "ﾗﾍﾞﾙが既に設定されています", 0},
        {"3", nullptr, 3},
        {"042", nullptr, 42},
    };
    for (const Case& c : cases) {
        const auto result = editor.confirmTyped(c.typed);
        if (c.message) {
            ASSERT_TRUE(result.refusal) << c.typed;
            EXPECT_EQ(result.refusal->text, c.message) << c.typed;
        } else {
            EXPECT_FALSE(result.refusal) << c.typed;
            EXPECT_EQ(result.record.label, c.label) << c.typed;
        }
    }
    EXPECT_EQ(editor.confirmChosen(1).record.label, 4);
}

TEST(LabelEditorTest, JumpingOffersTheProgramsLabelsAndBuildsTheOperand) {
    CommandEditRecord existing;
    existing.code = kCodeGoto;
    existing.point1 = 20;  // the stored target
    existing.comment = "back";
    const LabelEditor editor(LabelEditor::Mode::Jump, labels({5, 20, 300}), existing);
    EXPECT_EQ(editor.title(), "JUMP");
    EXPECT_EQ(editor.choiceTexts(), (std::vector<std::string>{"005", "020", "300"}));
    EXPECT_EQ(editor.initialChoice(), 1);

    const auto chosen = editor.confirmChosen(2);
    ASSERT_FALSE(chosen.refusal);
    EXPECT_EQ(chosen.record.code, kCodeGoto);
    EXPECT_EQ(chosen.record.operand, "L300 ");
    EXPECT_EQ(chosen.record.comment, "back");
    EXPECT_EQ(editor.confirmTyped("5").record.operand, "L005 ");
    EXPECT_EQ(editor.confirmTyped("6").refusal->text, "ﾗﾍﾞﾙが設定されていません");

    // A program without labels: nothing to choose.
    const LabelEditor none(LabelEditor::Mode::Jump, labels({}), {});
    EXPECT_EQ(none.initialChoice(), -1);
    EXPECT_EQ(none.confirmChosen(-1).refusal->text, "ﾗﾍﾞﾙが設定されていません");
    // A new jump opens on the first label.
    EXPECT_EQ(LabelEditor(LabelEditor::Mode::Jump, labels({5, 20}), {}).initialChoice(), 0);
    // A jump to a label that is gone shows it and is refused until another is chosen.
    existing.point1 = 9;
    const LabelEditor gone(LabelEditor::Mode::Jump, labels({5, 20}), existing);
    EXPECT_EQ(gone.choiceTexts(), (std::vector<std::string>{"009", "005", "020"}));
    EXPECT_EQ(gone.initialChoice(), 0);
    EXPECT_EQ(gone.confirmChosen(0).refusal->text, "ﾗﾍﾞﾙが設定されていません");
    EXPECT_EQ(gone.confirmChosen(2).record.operand, "L020 ");
}

}  // namespace
}  // namespace vantrel
