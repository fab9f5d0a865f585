#include <memory>

#include <gtest/gtest.h>

#include "commands/AccelerationEditor.h"
#include "commands/AxisSelectionEditor.h"
#include "commands/HomeEditor.h"
#include "commands/MoveEditor.h"
#include "commands/NetworkAxisCommandEditor.h"
#include "commands/NetworkMoveEditor.h"
#include "commands/PassEditor.h"
#include "commands/ShiftEditor.h"
#include "program/PaletteButton.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using Kind = CommandEditorKind;

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

}  // namespace
}  // namespace vantrel
