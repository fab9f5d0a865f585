// Steps re-opened by a double-click and confirmed: what a file or the
// controller brought in is written back as it was, or refused, never changed
// behind the user's back.

#include <functional>
#include <memory>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "commands/AccelerationEditor.h"
#include "commands/AxisSelectionEditor.h"
#include "commands/ComparisonEditor.h"
#include "commands/ConditionEditor.h"
#include "commands/ExpressionEditor.h"
#include "commands/HomeEditor.h"
#include "commands/LabelEditor.h"
#include "commands/ListSources.h"
#include "commands/MoveEditor.h"
#include "commands/NetworkAxisCommandEditor.h"
#include "commands/NetworkMoveEditor.h"
#include "commands/OutputEditor.h"
#include "commands/PassEditor.h"
#include "commands/PauseEditor.h"
#include "commands/ProgramChoiceEditor.h"
#include "commands/ShiftEditor.h"
#include "commands/TimerCounterMemoryEditor.h"
#include "commands/UserAlarmEditor.h"
#include "commands/VariableDeclarationEditor.h"
#include "program/PaletteButton.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using Kind = CommandEditorKind;

template <class Editor>
Editor& as(CommandEditor& editor) {
    return static_cast<Editor&>(editor);
}

class ReopenedStepsTest : public test::EditorFixture {
protected:
    void SetUp() override {
        test::EditorFixture::SetUp();
        // Every point the steps below name holds a position the forms accept.
        for (int axis = 0; axis < 4; ++axis)
            for (int index : {80, 300, 301, 1000}) test::setPoint(image, axis, index, 1250, 40);
    }

    // Program 1 made of `line` (program 1 and its label 1 are the targets of
    // the branches), re-opened at row 0 in the form a double-click opens; the
    // label editor of a jump is no command form (nothing then).
    std::unique_ptr<CommandEditor> reopen(const std::string& line) {
        load("\tPROG\t#001\r\n" + line + "\r\n");
        EXPECT_TRUE(steps.beginEditExisting(0));
        const CommandEditRecord& r = steps.lastEditRecord();
        const auto code = static_cast<std::uint8_t>(doubleClickMode(r.code));
        switch (doubleClickEntry(r.code)->editor) {
        case Kind::AxisMove: case Kind::PointMove: case Kind::LinearInterpolation: case Kind::ArcInterpolation:
            return std::make_unique<MoveEditor>(code, r, true, image, autoPointsOf(steps));
        case Kind::Home: return std::make_unique<HomeEditor>(code, r, true, image);
        case Kind::Acceleration: return std::make_unique<AccelerationEditor>(r, true, image);
        case Kind::Pass: return std::make_unique<PassEditor>(r, true, image);
        case Kind::AxisStop: case Kind::Excitation: case Kind::PositionPreset:
            return std::make_unique<AxisSelectionEditor>(code, r, true, image);
        case Kind::NetworkMove: return std::make_unique<NetworkMoveEditor>(code, r, true, image);
        case Kind::NetworkAxisCommand: return std::make_unique<NetworkAxisCommandEditor>(code, r, true);
        case Kind::Output: case Kind::RemoteIoWrite: return std::make_unique<OutputEditor>(code, r, true, names);
        case Kind::TimerCounterMemory: return std::make_unique<TimerCounterMemoryEditor>(code, r, true, names, image);
        case Kind::Condition:
            return std::make_unique<ConditionEditor>(code, r, true, names,
                                                     code == kCodeIfGosub ? programChoices(store.directory())
                                                                          : labelChoices(steps.labelsInUseCurrent()));
        case Kind::ProgramChoice: return std::make_unique<ProgramChoiceEditor>(code, r, true, store.directory());
        case Kind::Comparison: return std::make_unique<ComparisonEditor>(r, true);
        case Kind::VariableDeclaration: return std::make_unique<VariableDeclarationEditor>(r, true);
        case Kind::Expression: return std::make_unique<ExpressionEditor>(r, true);
        case Kind::UserAlarm: return std::make_unique<UserAlarmEditor>(r, true);
        case Kind::Pause: return std::make_unique<PauseEditor>(r, true);
        case Kind::Shift: return std::make_unique<ShiftEditor>(r, true, image);
        default: return nullptr;
        }
    }

    const IoNames names = test::editorIoNames();
};

// Whatever brought the line in (a file, the controller, another program), OK
// on the unchanged form writes it back byte for byte, with or without its
// comment. JMP is left out: its editor stores the jump it offers, GOTO.
TEST_F(ReopenedStepsTest, EveryEditableStepIsWrittenBackUnchanged) {
    const char* const lines[] = {
        "\tMOVE\tA1 P1001 ", "\tMOVEP\tA1,A3 P1001 ", "\tHOME\tA1 ", "\tHOMEP\tA2,A4 ", "\tBREAK\tA1 ",
        "\tPATH\tON,A1 1.50 ", "\tACC\tON,A1 3", "\tLINE\tA1 P0301 ", "\tARC\tA1,A2 P0301 P0302 ",
        "\tMOVE\tA1 P0301 ", "\tMOVEP\tI A2 P0301 ", "\tLINEC\tA1 P0301 ", "\tARCC\tA1,A2 P0301 P0302 ",
        "\tSAV\tA1 ON", "\tMOVE2P\tA1 P001 ", "\tMOVE2\tA3 P002 ", "\tHOME2P\tA1 ", "\tHOME2\tA2 ",
        "\tBREAK2\tA1 ", "\tSAV2\tA1 OFF", "\tNIORD\tA1 ", "\tNIOWR\tNO000 ON,NO001 OFF", "\tOUT\tT1 ON",
        "\tOUT\tOUT1 ON,OUT10 OFF", "\tIN\ta ON,b OFF", "\tWAIT\tT1", "\tGOSUB\t#001 ", "\tON\t#001 ",
        "\tOFF\t#001 ", "L001\tIF\ta ON GOTO L001 ", "\tIF\ta ON GOSUB #001 ", "\tIF\ta == 1 THEN",
        "\tCINC\tCNTR1", "\tCDEC\tCNTR1", "\tCSET\tCNTR1=5", "\tCCLR\tCNTR1", "\tINC\tM1", "\tDEC\tM1",
        "\tREGINT\tcnt", "\tCALC\tcnt = cnt + 1 ", "\tPAUSE\tOFF", "\tALM\t07 ", "\tSHIFT\tON 2 P081 ",
        "\tPRST\tA1,A2 ", "L001\tGOTO\tL001 ",
    };
    std::set<int> reopened;
    for (const std::string line : lines) {
        for (const std::string comment : {"\t;c", ""}) {
            SCOPED_TRACE(line + comment);
            const std::unique_ptr<CommandEditor> editor = reopen(line + comment);
            const std::string before = store.text();
            reopened.insert(steps.lastEditRecord().code);
            EditorResult result;
            if (editor) {
                result = editor->accept();
            } else {  // the jump's label editor
                const LabelEditor jump(LabelEditor::Mode::Jump, steps.labelsInUseCurrent(), steps.lastEditRecord());
                result.record = jump.confirmChosen(jump.initialChoice()).record;
            }
            ASSERT_TRUE(result) << result.refusal->text;
            ASSERT_TRUE(steps.storeCommand(result.record));
            EXPECT_EQ(store.text(), before);
        }
    }
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(reopened.count(code) == 1, hasEditor(code) && code != kCodeJmp) << code;
}

// A step from a file may name a point whose records hold the movable range,
// a prohibited area or the homing speed: nothing is written there, neither
// by OK nor when the step is deleted with its program.
TEST_F(ReopenedStepsTest, NoStepWritesIntoTheRangeAreaOrHomingRecords) {
    const std::pair<const char*, int> cases[] = {  // the line, the record index it names
        {"\tMOVE\tA1 P0222 ", 221},  {"\tMOVEP\tA1 P0253 ", 252},          {"\tSHIFT\tON 1 P226 ", 225},
        {"\tLINE\tA1 P0232 ", 231}, {"\tARC\tA1,A2 P0301 P0240 ", 239},
    };
    for (const auto& [line, reserved] : cases) {
        SCOPED_TRACE(line);
        const std::unique_ptr<CommandEditor> editor = reopen(line);
        // What those records hold is no point data: the user types some.
        if (auto* move = dynamic_cast<MoveEditor*>(editor.get())) {
            for (int axis = 0; axis < 4; ++axis) move->setPositionText(move->positionRows() - 1, axis, "1");
            for (int field = 0; field < move->speedFields(); ++field) move->setSpeedText(field, "50");
        }
        if (auto* shift = dynamic_cast<ShiftEditor*>(editor.get()))
            for (int axis = 0; axis < 4; ++axis) shift->setPositionText(axis, "1");
        sink.writes.clear();
        const std::string text = store.text();
        const SettingsImage before = image;
        const EditOutcome stored = steps.storeCommand(editor->accept().record);
        EXPECT_EQ(stored.refusal.value_or(Refusal{}).text,
                  "指定のポイントは可動範囲・禁止領域・原点復帰の設定に使われているため、\n位置を書き込めません。");
        EXPECT_TRUE(image == before && sink.writes.empty() && store.text() == text);
        steps.freeStepPoints(0);
        for (int axis = 0; axis < 4; ++axis) EXPECT_EQ(image.readPosition(axis, reserved), before.readPosition(axis, reserved));
    }
}

// A target, index, driver or point a re-opened step names but the form cannot
// offer stays shown; OK says why and waits for a valid choice.
TEST_F(ReopenedStepsTest, AValueTheFormDoesNotOfferIsShownAndRefusedUntilChanged) {
    struct Case {
        const char* line;
        const char* shown;
        std::function<void(CommandEditor&)> chooseSecond;
        const char* stored;  // the operand stored then
    };
    const Case cases[] = {
        {"L001\tIF\ta ON GOTO L009 ", "LABEL「009」",
         [](CommandEditor& e) { as<ConditionEditor>(e).chooseTarget(1); }, "a ON GOTO L001 "},
        {"\tIF\ta ON GOSUB #009 ", "プログラムNo.「009」",
         [](CommandEditor& e) { as<ConditionEditor>(e).chooseTarget(1); }, "a ON GOSUB #001 "},
        {"\tACC\tON,A1 30", "軸1の加速度「30」",
         [](CommandEditor& e) { as<AccelerationEditor>(e).chooseEntry(0, 1); }, "ON,A1 0"},
        {"\tMOVE2P\tA17 P002 ", "軸No.「017」",
         [](CommandEditor& e) { as<NetworkMoveEditor>(e).chooseAxis(1); }, "A1 P002 "},
        {"\tMOVE2\tA0 P002 ", "軸No.「000」",
         [](CommandEditor& e) { as<NetworkMoveEditor>(e).chooseAxis(1); }, "A1 P002 "},
        {"\tMOVE2P\tA3 P000 ", "ポイントNo.「000」",
         [](CommandEditor& e) { as<NetworkMoveEditor>(e).choosePoint(1); }, "A3 P001 "},
        {"\tHOME2P\tA99 ", "軸No.「099」",
         [](CommandEditor& e) { as<NetworkAxisCommandEditor>(e).chooseAxis(1); }, "A1 "},
        {"\tSHIFT\tON 1 P000 ", "ポイントNo.「000」",
         [](CommandEditor& e) { as<ShiftEditor>(e).choosePoint(1); }, "ON 1 P081 "},
        {"\tMOVE\tA1 ", "ポイントNo.「0000」",
         [](CommandEditor& e) { as<MoveEditor>(e).choosePoint(1); }, "A1 P1001 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::unique_ptr<CommandEditor> editor = reopen(c.line);
        EXPECT_EQ(editor->accept().refusal.value_or(Refusal{}).text,
                  std::string(c.shown) + "は使用できません。\n一覧から選び直してください。");
        c.chooseSecond(*editor);
        ASSERT_TRUE(steps.storeCommand(editor->accept().record));
        EXPECT_EQ(firstStepOperand(), c.stored);
    }
}

}  // namespace
}  // namespace vantrel
