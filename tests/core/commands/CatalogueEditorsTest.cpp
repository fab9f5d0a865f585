#include <memory>

#include <gtest/gtest.h>

#include "commands/AccelerationEditor.h"
#include "commands/AxisSelectionEditor.h"
#include "commands/ComparisonEditor.h"
#include "commands/ConditionEditor.h"
#include "commands/ExpressionEditor.h"
#include "commands/HomeEditor.h"
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

// Opens the model of a flow-control, I/O, timer, counter or calculation entry
// on a new step, filled as a user would fill the form.
std::unique_ptr<CommandEditor> openFilledOther(const PaletteEntry& entry, const SettingsImage& image,
                                               const IoNames& names, const ProgramStore& store) {
    const auto code = static_cast<std::uint8_t>(entry.code);
    const CommandEditRecord none;
    switch (entry.editor) {
    case Kind::Output: case Kind::RemoteIoWrite: {
        auto editor = std::make_unique<OutputEditor>(code, none, false, names);
        editor->fixAxis();
        editor->list().chooseRow(0);
        editor->addTerm();
        return editor;
    }
    case Kind::Condition: {
        StepEditor::LabelSet labels{};
        labels[1] = true;
        auto editor = std::make_unique<ConditionEditor>(
            code, none, false, names, code == kCodeIfGosub ? programChoices(store.directory()) : labelChoices(labels));
        editor->list().chooseRow(0);
        editor->addTerm(TermJoiner::And);
        return editor;
    }
    case Kind::TimerCounterMemory: {
        auto editor = std::make_unique<TimerCounterMemoryEditor>(code, none, false, names, image);
        editor->chooseRow(0);
        return editor;
    }
    case Kind::ProgramChoice: {
        auto editor = std::make_unique<ProgramChoiceEditor>(code, none, false, store.directory());
        editor->chooseRow(0);
        return editor;
    }
    case Kind::Comparison: {
        auto editor = std::make_unique<ComparisonEditor>(none, false);
        editor->setLeft("a");
        editor->chooseOperator(0);
        editor->setRight("1");
        return editor;
    }
    case Kind::VariableDeclaration: {
        auto editor = std::make_unique<VariableDeclarationEditor>(none, false);
        editor->setName("a");
        return editor;
    }
    case Kind::Expression: {
        auto editor = std::make_unique<ExpressionEditor>(none, false);
        editor->addVariable("a");
        return editor;
    }
    case Kind::UserAlarm: return std::make_unique<UserAlarmEditor>(none, false);
    case Kind::Pause: return std::make_unique<PauseEditor>(none, false);
    default: return nullptr;
    }
}

// Opens the model of a catalogue entry on a new step, with axis 1 checked and
// its fields valid, as a user would fill the form.
std::unique_ptr<CommandEditor> openFilled(const PaletteEntry& entry, const SettingsImage& image, const StepEditor& steps) {
    const auto code = static_cast<std::uint8_t>(entry.code);
    const CommandEditRecord none;
    switch (entry.editor) {
    case Kind::AxisMove: case Kind::PointMove: case Kind::LinearInterpolation: case Kind::ArcInterpolation: {
        auto editor = std::make_unique<MoveEditor>(code, none, false, image, autoPointsOf(steps));
        for (int axis : {0, 1}) {
            editor->setAxisChecked(axis, true);
            for (int row = 0; row < editor->positionRows(); ++row) editor->setPositionText(row, axis, "1");
        }
        return editor;
    }
    case Kind::Home: {
        auto editor = std::make_unique<HomeEditor>(code, none, false, image);
        editor->setAxisChecked(0, true);
        return editor;
    }
    case Kind::Acceleration: return std::make_unique<AccelerationEditor>(none, false, image);
    case Kind::Pass: return std::make_unique<PassEditor>(none, false, image);
    case Kind::AxisStop: case Kind::Excitation: case Kind::PositionPreset: {
        auto editor = std::make_unique<AxisSelectionEditor>(code, none, false, image);
        editor->setAxisChecked(0, true);
        return editor;
    }
    case Kind::NetworkMove: return std::make_unique<NetworkMoveEditor>(code, none, false, image);
    case Kind::NetworkAxisCommand: return std::make_unique<NetworkAxisCommandEditor>(code, none, false);
    case Kind::Shift: {
        auto editor = std::make_unique<ShiftEditor>(none, false, image);
        for (int axis = 0; axis < 4; ++axis) editor->setPositionText(axis, "0");
        return editor;
    }
    default: return nullptr;
    }
}

class CatalogueEditorsTest : public test::EditorFixture {};

TEST_F(CatalogueEditorsTest, EveryMotionButtonStoresItsCode) {
    int motionButtons = 0;
    std::string networkCodes;
    for (const PaletteEntry& entry : paletteCatalogue()) {
        const std::unique_ptr<CommandEditor> editor = openFilled(entry, image, steps);
        if (!editor) continue;
        SCOPED_TRACE(std::string(entry.button.page) + " / " + std::string(entry.button.button));
        ++motionButtons;
        load("\tPROG\t#001\r\n");
        if (entry.editor == Kind::Acceleration || entry.editor == Kind::Pass)
            static_cast<PulseAxisEditor&>(*editor).setAxisChecked(0, true);
        EXPECT_EQ(editor->code(), entry.code);
        EXPECT_FALSE(editor->title().empty());
        const EditorResult result = editor->accept();
        ASSERT_TRUE(result) << result.refusal->text;
        EXPECT_EQ(result.record.code, entry.code);
        ASSERT_TRUE(steps.storeCommand(result.record));
        EXPECT_EQ(store.current().step(0).code, entry.code);
        if (entry.button.page == kPageNetworkAxes) networkCodes += std::to_string(entry.code) + " ";
    }
    EXPECT_EQ(motionButtons, 23);  // 14 pulse-train, 7 network, SHIFT, PRESET
    // "軸移動" twice, "原点復帰", "軸停止", "励磁ON/OFF", "リモートI/O読出", "軸復帰".
    EXPECT_EQ(networkCodes, "40 41 42 44 51 40 41 ");
}

TEST_F(CatalogueEditorsTest, EveryOtherEditorButtonStoresItsCodeAndReopens) {
    const IoNames names = test::editorIoNames();
    int buttons = 0;
    std::string withoutModel;
    for (const PaletteEntry& entry : paletteCatalogue()) {
        if (entry.action != PaletteAction::OpenEditor || openFilled(entry, image, steps)) continue;
        load("\tPROG\t#001\r\n");
        const std::unique_ptr<CommandEditor> editor = openFilledOther(entry, image, names, store);
        if (!editor) {
            withoutModel += std::string(entry.button.button) + " ";
            continue;
        }
        SCOPED_TRACE(std::string(entry.button.button));
        ++buttons;
        EXPECT_EQ(editor->code(), entry.code);
        const EditorResult result = editor->accept();
        ASSERT_TRUE(result) << result.refusal->text;
        ASSERT_TRUE(steps.storeCommand(result.record));
        EXPECT_EQ(store.current().step(0).code, entry.code);
        // The stored step reads back as the same code and re-opens this button's editor.
        store.loadProgram(1);
        EXPECT_EQ(store.current().step(0).code, entry.code);
        EXPECT_EQ(doubleClickEntry(entry.code), &entry) << store.current().step(0).operand;
    }
    EXPECT_EQ(buttons, 21);
    EXPECT_EQ(withoutModel, "LABEL JUMP ");  // the label editor's two modes
}

}  // namespace
}  // namespace vantrel
