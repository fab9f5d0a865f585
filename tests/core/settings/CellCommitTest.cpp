// What committing a cell tells the front end besides storing: the range a
// refused text has to meet, a typed number stored as the nearer end of its
// range, and why an axis without a model takes no setting.

#include <gtest/gtest.h>

#include <memory>

#include "data/DefaultImage.h"
#include "settings/CounterModel.h"
#include "settings/DriverSettingModel.h"
#include "settings/PointModel.h"
#include "settings/ProhibitAreaModel.h"
#include "settings/RivoPointModel.h"
#include "settings/RivoSettingModel.h"
#include "settings/TimerModel.h"

namespace vantrel {
namespace {

enum class View { Axes, Points, Timers, Counters, NetworkAxes, NetworkPoints, MovableRange };

// 軸1 QM in mm with a movable maximum of 200.00 mm, 軸2 QS in step, 軸3 and 軸4
// without model; network driver 1 QS in steps, driver 2 QM in mm (0.01 mm per
// step), the others without model.
struct Fixture {
    SettingsImage image = makeDefaultSettingsImage();
    Fixture() {
        PulseAxisRecord(image, 0).setModel(1);
        PulseAxisRecord(image, 1).setModel(2);
        PulseAxisRecord(image, 1).setPositionUnit(2);
        image.writePosition(0, layout::kMovableMaxIndex, 20000);
        NetworkDriverRecord(image, 0).setModel(2);
        NetworkDriverRecord driver(image, 1);
        driver.setModel(1), driver.setUnit(0), driver.setRatio1(1), driver.setRatio2(1);
    }
    std::unique_ptr<SettingsTableModel> open(View view) {
        switch (view) {
        case View::Axes: return std::make_unique<DriverSettingModel>(image, nullptr);
        case View::Points: return std::make_unique<PointModel>(image, nullptr);
        case View::Timers: return std::make_unique<TimerModel>(image, nullptr);
        case View::Counters: return std::make_unique<CounterModel>(image, nullptr);
        case View::NetworkAxes: return std::make_unique<RivoSettingModel>(image, nullptr);
        case View::NetworkPoints: return std::make_unique<RivoPointModel>(image, nullptr);
        case View::MovableRange: break;
        }
        return std::make_unique<ProhibitAreaModel>(image, nullptr, ProhibitAreaModel::Page::MovableRange);
    }
};

TEST(CellCommitTest, RefusalsNameTheRangeAndClampsSayWhatWasStored) {
    using D = DriverSettingModel;
    struct Case {
        View view;
        int row;
        int column;
        const char* text;
        const char* refusalNote;  // refused: the note beside the message
        const char* stored;       // clamped: the cell's text after the commit; nullptr: stored as typed
        const char* range;
    };
    const Case cases[] = {
        {View::Axes, D::kStartSpeedRow, 1, "200000", nullptr, "100000", "0～100000 [Hz]"},
        {View::Axes, D::kStartSpeedRow, 1, "100000", nullptr, nullptr, ""},
        {View::Axes, D::kStartSpeedRow, 1, "100000.9", nullptr, nullptr, ""},  // an integer cell reads 100000
        {View::Axes, D::kHomeOffsetRow, 2, "2e5", "設定範囲：-32768～32767 [step]", nullptr, ""},
        {View::Axes, D::kMinTravelRow, 1, "0.004", nullptr, "0.01 mm", "0.01～1.00 [mm]"},
        {View::Axes, D::kMaxAccelTimeRow, 1, "0.05", nullptr, "0.06", "0.06～1000.00 [s]"},  // the shortest is 0.06
        {View::Axes, D::kStartSpeedRow, 3, "abc", nullptr, nullptr, ""},  // no model: nothing taken
        {View::Points, 1, 2, "-90000", nullptr, "-80000.00 mm", "-80000.00～80000.00 [mm]"},
        {View::Timers, 3, 1, "150", nullptr, "99.99", "0.00～99.99 [s]"},
        {View::Timers, 3, 1, "0.004", nullptr, nullptr, ""},  // rounded to 0.00, in range
        {View::Counters, 8, 1, "-1", nullptr, "0", "0～1000000"},
        {View::NetworkPoints, 1, 5, "0.0004", nullptr, "0.001", "0.001～1000.000 [s]"},
        {View::NetworkPoints, 2, 4, "12000", nullptr, "10000.00 mm/s", "0.00～10000.00 [mm/s]"},
        {View::MovableRange, 2, 1, "500", nullptr, "200.00 mm", "-80000.00～200.00 [mm]"},  // below the maximum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.view)) + " " + c.text);
        Fixture f;
        const auto model = f.open(c.view);
        const CellCommit result = model->commitCell(c.row, c.column, c.text);
        ASSERT_EQ(bool(result.refusal), c.refusalNote != nullptr);
        if (c.refusalNote) {
            EXPECT_EQ(result.refusal->text, "入力は半角数字のみです。");
            EXPECT_EQ(result.refusal->note, c.refusalNote);
        }
        ASSERT_EQ(bool(result.clamped), c.stored != nullptr);
        if (!c.stored) {
            EXPECT_EQ(result.note(), "");
            continue;
        }
        EXPECT_EQ(result.clamped->typed, c.text);
        EXPECT_EQ(result.clamped->stored, c.stored);
        EXPECT_EQ(result.clamped->stored, model->cellText(c.row, c.column));
        EXPECT_EQ(result.note(),
                  std::string(c.text) + " は設定範囲外のため " + c.stored + " にしました（設定範囲：" + c.range + "）");
    }
}

TEST(CellCommitTest, AnAxisWithoutModelSaysThatChoosingOneUnlocksIt) {
    using D = DriverSettingModel;
    const char* const kUnlocks = "接続機種を選ぶと設定できるようになります。";
    struct Case {
        View view;
        int row;
        int column;
        std::string note;  // "": nothing locked
    };
    const Case cases[] = {
        {View::Axes, D::kMaxRotationSpeedRow, 3, std::string("軸3 は接続機種が「接続無し」のため設定できません。") + kUnlocks},
        {View::Axes, D::kModelRow, 4, std::string("軸4 は接続機種が「接続無し」のため2行目以降を設定できません。") + kUnlocks},
        {View::Axes, D::kTravelRow, 2, ""},  // read-only by its unit
        {View::NetworkAxes, 5, 1,
         std::string("軸05 は接続機種が「接続無し」のため「RIVOポイント設定」でポイントデータを設定できません。") + kUnlocks},
        {View::NetworkAxes, 1, 1, ""},
        {View::NetworkPoints, 1024, 4,
         std::string("軸16 は接続機種が「接続無し」のため設定できません。「RIVO軸設定」で") + kUnlocks},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.view)) + " " + std::to_string(c.row));
        Fixture f;
        EXPECT_EQ(f.open(c.view)->lockNote(c.row, c.column), c.note);
    }
    // Choosing the model takes the note away.
    Fixture f;
    D axes(f.image, nullptr);
    ASSERT_FALSE(axes.commit(D::kModelRow, 3, "VT3"));
    EXPECT_EQ(axes.lockNote(D::kMaxRotationSpeedRow, 3), "");
}

}  // namespace
}  // namespace vantrel
