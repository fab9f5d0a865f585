#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "commands/ConditionEditor.h"
#include "commands/ListSources.h"
#include "commands/OutputEditor.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using test::EditorFixture;
using Relation = ConditionEditor::Relation;

// Category and page indexes of the condition list.
constexpr int kInputs = 0, kGeneralInputs = 0, kRemoteInputs = 3;
constexpr int kTimers = 2;

class TermEditorsTest : public EditorFixture {
protected:
    IoNames names = test::editorIoNames();

    // Chooses a row and adds it as a term.
    static MaybeRefusal add(ConditionEditor& e, int category, int page, int row, Relation relation,
                            TermJoiner joiner = TermJoiner::And, const char* value = "") {
        e.list().chooseCategory(category);
        e.list().choosePage(page);
        e.list().chooseRow(row);
        e.setRelation(relation);
        e.setValueText(value);
        return e.addTerm(joiner);
    }
};

TEST_F(TermEditorsTest, ConditionTermsJoinersAndDelete) {
    using Build = std::function<void(ConditionEditor&)>;
    struct Case {
        const char* what;
        Build build;
        const char* text;
    };
    const auto a = [](ConditionEditor& e, Relation r) { add(e, kInputs, kGeneralInputs, 0, r); };
    const Case cases[] = {
        {"AND", [&](ConditionEditor& e) { a(e, Relation::On); add(e, kInputs, kGeneralInputs, 1, Relation::Off); },
         "a ON,b OFF"},
        {"OR", [&](ConditionEditor& e) { a(e, Relation::On); add(e, kInputs, kGeneralInputs, 1, Relation::Off, TermJoiner::Or); },
         "a ONorb OFF"},
        {"DELETE leaves the first term",
         [&](ConditionEditor& e) { a(e, Relation::On); add(e, kInputs, kGeneralInputs, 1, Relation::Off, TermJoiner::Or); e.deleteTerm(); },
         "a ON"},
        {"DELETE of the only term", [&](ConditionEditor& e) { a(e, Relation::On); e.deleteTerm(); }, ""},
        {"numeric comparison",
         [&](ConditionEditor& e) { e.setComparisonOperator(ComparisonOperator::Greater); add(e, kInputs, kGeneralInputs, 0, Relation::Compare, TermJoiner::And, "7"); },
         "a>7"},
        {"remote I/O on network axis 11",
         [&](ConditionEditor& e) { e.list().chooseCategory(kInputs); e.list().choosePage(kRemoteInputs); e.chooseNetworkAxis(10);
                                   e.list().chooseRow(1); e.setRelation(Relation::On); e.addTerm(TermJoiner::And); },
         "NIA01 ON"},
        {"timer page 2",
         [&](ConditionEditor& e) { add(e, kTimers, 1, 0, Relation::Off); e.setComparisonOperator(ComparisonOperator::NotEqual);
                                   add(e, kTimers, 0, 2, Relation::Compare, TermJoiner::Or, "255"); },
         "T21 OFForT3#255"},
        {"an eleventh AND adds nothing",
         [&](ConditionEditor& e) { for (int i = 0; i < 11; ++i) add(e, kInputs, kGeneralInputs, i % 2, Relation::On); },
         "a ON,b ON,a ON,b ON,a ON,b ON,a ON,b ON,a ON,b ON"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConditionEditor editor(kCodeIn, {}, false, names);
        c.build(editor);
        EXPECT_EQ(editor.condition().text(), c.text);
    }
}

TEST_F(TermEditorsTest, SymbolPagesEndAtTheFirstEmptySymbol) {
    std::string remote = "[IO_RIOIN]\n";
    for (int i = 0; i < 20; ++i) remote += "NI0" + std::to_string(10 + i) + "\tr\n";
    IoNames many;
    many.loadFromText(remote);
    ConditionEditor editor(kCodeIn, {}, false, names);
    ConditionEditor remoteEditor(kCodeIn, {}, false, many);
    IoSymbolList& list = editor.list();
    EXPECT_EQ(list.categoryNames(),
              (std::vector<std::string>{"外部入力", "外部出力", "タイマー", "カウンタ", "メモリ", "軸制御"}));
    struct Case {
        ConditionEditor* editor;
        int category, page;
        int rows;
        const char* firstSymbol;
    };
    const Case cases[] = {
        {&editor, kInputs, kGeneralInputs, 2, "a"},
        {&editor, kTimers, 1, 5, "T21"},
        {&editor, 4, 1, 2, "M21"},  // M23 has no symbol
        {&remoteEditor, kInputs, kRemoteInputs, 16, "NI010"},
        {&editor, 3, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstSymbol);
        c.editor->list().chooseCategory(c.category);
        c.editor->list().choosePage(c.page);
        EXPECT_EQ(c.editor->list().rowCount(), c.rows);
        EXPECT_EQ(c.editor->list().symbolText(0), c.firstSymbol);
    }
    EXPECT_TRUE(list.pageNames().empty());  // "カウンタ" has no sub-pages
    list.chooseCategory(4);
    EXPECT_EQ(list.page(), 0);
    EXPECT_EQ(list.pageNames().back(), "M81～M96");
}

TEST_F(TermEditorsTest, ConditionRefusalsLeaveTheTextAsItWas) {
    struct Case {
        int row;
        Relation relation;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {-1, Relation::On, "", "項目が未選択です"},
        {0, Relation::Compare, "", "整数を入力してください。"},
        {0, Relation::Compare, "x", "整数を入力してください。"},
        {0, Relation::Compare, "256", "0 から 255 までの整数を入力してください。"},
        {0, Relation::Compare, "-1", "0 から 255 までの整数を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ConditionEditor editor(kCodeIn, {}, false, names);
        add(editor, kInputs, kGeneralInputs, 1, Relation::On);
        const MaybeRefusal refusal = add(editor, kInputs, kGeneralInputs, c.row, c.relation, TermJoiner::And, c.value);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, c.message);
        EXPECT_EQ(editor.condition().text(), "b ON");
    }
}

TEST_F(TermEditorsTest, ConfirmLocksTheTermsAndUnlocksTheTarget) {
    StepEditor::LabelSet labels{};
    labels[3] = labels[12] = true;
    ConditionEditor editor(kCodeIfGoto, {}, false, names, labelChoices(labels));
    EXPECT_EQ(editor.targetChoices().texts(), (std::vector<std::string>{"003 ", "012 "}));
    EXPECT_EQ(editor.toggleConfirmed()->text, "条件が設定されていません");
    EXPECT_EQ(editor.accept().refusal->text, "条件が設定されていません");

    add(editor, kInputs, kGeneralInputs, 0, Relation::On);
    EXPECT_FALSE(editor.targetEnabled());
    EXPECT_FALSE(editor.toggleConfirmed());
    EXPECT_EQ(editor.confirmButtonText(), "入力条件訂正");
    EXPECT_TRUE(editor.targetEnabled());
    add(editor, kInputs, kGeneralInputs, 1, Relation::On);
    editor.deleteTerm();
    EXPECT_EQ(editor.condition().text(), "a ON");  // locked
    editor.chooseTarget(1);
    const EditorResult result = editor.accept();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.record.operand, "a ON GOTO L012 ");

    editor.toggleConfirmed();
    EXPECT_EQ(editor.confirmButtonText(), "入力条件確定");

    ConditionEditor noTarget(kCodeIfGoto, {}, false, names, labelChoices({}));
    add(noTarget, kInputs, kGeneralInputs, 0, Relation::On);
    EXPECT_EQ(noTarget.accept().refusal->text, "出力未選択です");
}

TEST_F(TermEditorsTest, ConditionalStepsReopenWithTheirTermsAndTarget) {
    load("\tPROG\t#001\r\nL005\tEND\t\r\n\tIF\ta ON,b OFFora>7 GOTO L005 \r\n\tIF\ta ON GOSUB #002 \r\n"
         "\tIN\ta ONor\r\n\tPROG\t#002\t;Pick\r\n");
    // A text from a file that ends in a joiner takes the next term without another.
    ConditionEditor wait(kCodeIn, (steps.beginEditExisting(3), steps.lastEditRecord()), true, names);
    EXPECT_EQ(wait.condition().termCount(), 1);
    add(wait, kInputs, kGeneralInputs, 1, Relation::On);
    EXPECT_EQ(wait.condition().text(), "a ONorb ON");

    ConditionEditor jump(kCodeIfGoto, (steps.beginEditExisting(1), steps.lastEditRecord()), true, names,
                         labelChoices(steps.labelsInUseCurrent()));
    EXPECT_EQ(jump.targetChoices().chosenNumber(), 5);
    EXPECT_EQ(jump.condition().termCount(), 3);
    jump.deleteTerm();
    EXPECT_EQ(jump.condition().text(), "a ON,b OFF");
    for (int i = 0; i < 9; ++i) add(jump, kInputs, kGeneralInputs, 0, Relation::On);
    EXPECT_EQ(jump.condition().termCount(), 10);
    ASSERT_TRUE(steps.storeCommand(jump.accept().record));
    const std::string stored = store.current().step(1).operand;
    EXPECT_EQ(stored.substr(0, 16), "a ON,b OFF,a ON,");
    EXPECT_EQ(stored.substr(stored.size() - 11), " GOTO L005 ");

    ConditionEditor call(kCodeIfGosub, (steps.beginEditExisting(2), steps.lastEditRecord()), true, names,
                         programChoices(store.directory()));
    EXPECT_EQ(call.targetChoices().texts()[static_cast<std::size_t>(call.targetChoices().chosenIndex())], "002  Pick");
    ASSERT_TRUE(steps.storeCommand(call.accept().record));
    EXPECT_EQ(store.current().step(2).operand, "a ON GOSUB #002 ");
}

TEST_F(TermEditorsTest, OutputsAreListedOnceEach) {
    OutputEditor external(kCodeOutExternal, {}, false, names);
    EXPECT_EQ(external.list().pageNames(), (std::vector<std::string>{"汎用出力", "ドライバ出力"}));
    EXPECT_EQ(external.accept().refusal->text, "条件が未設定です。");
    EXPECT_EQ(external.addTerm()->text, "項目が未選択です");
    external.list().chooseRow(1);
    external.setOn(false);
    EXPECT_FALSE(external.addTerm());
    external.list().chooseRow(0);  // OUT1 is no term of "OUT10 OFF"
    external.setOn(true);
    EXPECT_FALSE(external.addTerm());
    const MaybeRefusal twice = external.addTerm();
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->text, "出力 OUT1 は既に指定済みです");
    EXPECT_EQ(external.outputs().text(), "OUT10 OFF,OUT1 ON");

    load("\tPROG\t#001\r\n");
    ASSERT_TRUE(steps.storeCommand(external.accept().record));
    OutputEditor internal(kCodeOutInternal, {}, false, names);
    internal.list().choosePage(1);
    internal.list().chooseRow(4);
    internal.addTerm();
    ASSERT_TRUE(steps.storeCommand(internal.accept().record));
    EXPECT_EQ(store.current().step(0).code, kCodeOutExternal);
    EXPECT_EQ(store.current().step(1).code, kCodeOutInternal);
    EXPECT_NE(store.text().find("\tOUT\tT25 ON\r\n"), std::string::npos);
}

TEST_F(TermEditorsTest, RemoteIoWriteCarriesTheFixedAxisInEverySymbol) {
    OutputEditor editor(kCodeNioWr, {}, false, names);
    EXPECT_FALSE(editor.termControlsEnabled());
    editor.list().chooseRow(0);
    EXPECT_FALSE(editor.addTerm());
    EXPECT_EQ(editor.accept().refusal->text, "出力が未設定です。");

    editor.chooseAxis(11);  // "012"
    EXPECT_TRUE(editor.fixAxisEnabled());
    editor.fixAxis();
    EXPECT_FALSE(editor.fixAxisEnabled());
    ASSERT_TRUE(editor.termControlsEnabled());
    editor.addTerm();
    editor.list().chooseRow(1);
    editor.setOn(false);
    editor.addTerm();
    EXPECT_EQ(editor.addTerm()->text, "出力 NOB01 は既に指定済みです");
    EXPECT_EQ(editor.outputs().text(), "NOB00 ON,NOB01 OFF");
    EXPECT_FALSE(editor.axisChoiceEnabled());
    editor.chooseAxis(0);
    EXPECT_EQ(editor.axisChoices().chosenNumber(), 12);

    ASSERT_TRUE(steps.storeCommand(editor.accept().record));
    EXPECT_TRUE(steps.beginEditExisting(0));
    OutputEditor again(kCodeNioWr, steps.lastEditRecord(), true, names);
    EXPECT_EQ(again.axisChoices().chosenNumber(), 12);
    EXPECT_TRUE(again.axisFixed());

    // Emptied, the axis may be chosen again; the list locks until it is fixed.
    again.deleteTerm();
    again.deleteTerm();
    again.chooseAxis(0);
    EXPECT_FALSE(again.termControlsEnabled());
    EXPECT_TRUE(again.fixAxisEnabled());
}

}  // namespace
}  // namespace vantrel
