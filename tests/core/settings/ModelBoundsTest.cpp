#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <vector>

#include "core/settings/RecordingSink.h"
#include "data/DefaultImage.h"
#include "data/Units.h"
#include "settings/CounterModel.h"
#include "settings/DriverSettingModel.h"
#include "settings/IoRogicModel.h"
#include "settings/PointModel.h"
#include "settings/ProhibitAreaModel.h"
#include "settings/RivoPointModel.h"
#include "settings/RivoSettingModel.h"
#include "settings/TimerModel.h"

namespace vantrel {
namespace {

std::vector<std::unique_ptr<SettingsTableModel>> allModels(SettingsImage& image, ControllerWriteSink* sink) {
    std::vector<std::unique_ptr<SettingsTableModel>> models;
    models.push_back(std::make_unique<DriverSettingModel>(image, sink));
    models.push_back(std::make_unique<RivoSettingModel>(image, sink));
    models.push_back(std::make_unique<PointModel>(image, sink));
    models.push_back(std::make_unique<RivoPointModel>(image, sink));
    models.push_back(std::make_unique<ProhibitAreaModel>(image, sink, ProhibitAreaModel::Page::MovableRange));
    models.push_back(std::make_unique<ProhibitAreaModel>(image, sink, ProhibitAreaModel::Page::ProhibitedAreas));
    models.push_back(std::make_unique<TimerModel>(image, sink));
    models.push_back(std::make_unique<CounterModel>(image, sink));
    models.push_back(std::make_unique<IoRogicModel>(image, sink));
    return models;
}

// Cells outside a table read as empty and take no edit; header and label
// cells take no edit either.
TEST(ModelBoundsTest, OutsideTheTableNothingIsReadOrWritten) {
    SettingsImage image = makeDefaultSettingsImage();
    test::RecordingSink sink;
    for (auto& model : allModels(image, &sink)) {
        const int rows = model->rowCount();
        const int columns = model->columnCount();
        for (const auto& [row, column] : std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}, {rows, 1}, {1, columns}, {rows + 5, columns + 5}}) {
            EXPECT_EQ(model->cellText(row, column), "") << row << "," << column;
            EXPECT_FALSE(model->isEditable(row, column)) << row << "," << column;
            EXPECT_TRUE(model->choices(row, column).empty());
            EXPECT_FALSE(model->commit(row, column, "1"));
        }
        for (int column = 0; column < columns; ++column) EXPECT_FALSE(model->commit(0, column, "1"));
        for (int row = 0; row < rows; row += 97) EXPECT_FALSE(model->commit(row, 0, "1"));
    }
    EXPECT_TRUE(image == makeDefaultSettingsImage());
    EXPECT_TRUE(sink.writes.empty());
}

// The in-place editor of a text cell starts with editText: whatever a cell
// holds, that text must pass the input rule as it is (or be empty, for a
// position not set), so changing one digit of it is never refused.
TEST(ModelBoundsTest, EveryTextEditorStartsWithANumberTheInputRuleTakes) {
    SettingsImage image = makeDefaultSettingsImage();
    // Pulse axes in every unit: mm, deg, step; the fourth not connected.
    const std::uint8_t units[] = {0, 1, 2};
    for (int axis = 0; axis < 3; ++axis) {
        PulseAxisRecord(image, axis).setModel(1);
        PulseAxisRecord(image, axis).setPositionUnit(units[axis]);
        image.writePosition(axis, 1000, -5);   // a point
        image.writePosition(axis, 221, 1234);  // the movable range
    }
    // Network drivers shown in mm (unit 0 with ratio words) and in steps.
    NetworkDriverRecord(image, 0).setModel(2);
    NetworkDriverRecord(image, 0).setUnit(0);
    NetworkDriverRecord(image, 0).setRatio1(1);
    NetworkDriverRecord(image, 0).setRatio2(1);
    NetworkDriverRecord(image, 1).setModel(1);
    test::RecordingSink sink;
    for (auto& model : allModels(image, &sink)) {
        model->opened();
        for (int row = 0; row < model->rowCount(); row += (model->rowCount() > 200 ? 7 : 1)) {
            for (int column = 0; column < model->columnCount(); ++column) {
                if (model->cellKind(row, column) != CellKind::Text) continue;
                const std::string text = model->editText(row, column);
                EXPECT_TRUE(text.empty() || isHalfWidthNumber(text))
                    << typeid(*model).name() << " row " << row << " column " << column << ": \"" << text << "\"";
            }
        }
    }
}

// Every cell of every table can be drawn from an image of arbitrary bytes,
// and every editable cell takes text of any kind without harm.
TEST(ModelBoundsTest, AnyImageIsShownAndEditedSafely) {
    SettingsImage image;
    std::uint32_t seed = 12345;
    for (auto& byte : image.bytes()) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    test::RecordingSink sink;
    for (auto& model : allModels(image, &sink)) {
        model->opened();
        for (int row = 0; row < model->rowCount(); row += (model->rowCount() > 200 ? 37 : 1)) {
            for (int column = 0; column < model->columnCount(); ++column) {
                (void)model->cellText(row, column);
                (void)model->editText(row, column);
                (void)model->helpText(row, column);
                (void)model->backgroundColour(row, column);
                if (!model->isEditable(row, column)) continue;
                for (const char* text : {"99999999999999999999", "-99999999999999999999", "0", "-0.004", "ABS", ""})
                    (void)model->commit(row, column, text);
                for (const auto& choice : model->choices(row, column)) (void)model->commit(row, column, choice);
            }
        }
    }
    // What went out is well formed: field widths only, pulse-axis writes inside the four records.
    ASSERT_FALSE(sink.writes.empty());
    for (const auto& write : sink.writes) {
        EXPECT_TRUE(write.size >= 1 && write.size <= 4) << write.address;
        if (write.queue == test::RecordingSink::Queue::AxisParameter) {
            EXPECT_TRUE(pulseAxisOffsetOfAddress(write.address).has_value()) << write.address;
        }
    }
}

}  // namespace
}  // namespace vantrel
