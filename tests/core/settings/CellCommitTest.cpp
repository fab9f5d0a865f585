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

using D = DriverSettingModel;
using Open = std::unique_ptr<SettingsTableModel> (*)(SettingsImage&);
template <class Model>
std::unique_ptr<SettingsTableModel> opened(SettingsImage& image) { return std::make_unique<Model>(image, nullptr); }

// 軸1 QM in mm with a movable maximum of 200.00 mm, 軸2 QS in step, 軸3 and 軸4
// without model; network driver 1 QS in steps, driver 2 QM in mm (0.01 mm per
// step), the others without model.
SettingsImage testImage() {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 0).setModel(1);
    PulseAxisRecord(image, 1).setModel(2);
    PulseAxisRecord(image, 1).setPositionUnit(2);
    image.writePosition(0, layout::kMovableMaxIndex, 20000);
    NetworkDriverRecord(image, 0).setModel(2);
    NetworkDriverRecord driver(image, 1);
    driver.setModel(1), driver.setUnit(0), driver.setRatio1(1), driver.setRatio2(1);
    return image;
}

TEST(CellCommitTest, RefusalsNameTheRangeAndClampsSayWhatWasStored) {
    struct Case {
        Open open;
        int row, column;
        const char* text;
        const char* refusalNote;  // refused: the note beside the message
        const char* stored;       // clamped: the cell's text after the commit; nullptr: stored as typed
        const char* range;
    };
    const Case cases[] = {
        {opened<D>, D::kStartSpeedRow, 1, "200000", nullptr, "100000", "0～100000 [Hz]"},
        {opened<D>, D::kStartSpeedRow, 1, "100000", nullptr, nullptr, ""},
        {opened<D>, D::kStartSpeedRow, 1, "100000.9", nullptr, nullptr, ""},  // an integer cell reads 100000
        {opened<D>, D::kHomeOffsetRow, 2, "2e5", "設定範囲：-32768～32767 [step]", nullptr, ""},
        {opened<D>, D::kMinTravelRow, 1, "0.004", nullptr, "0.01 mm", "0.01～1.00 [mm]"},
        {opened<D>, D::kMaxAccelTimeRow, 1, "0.05", nullptr, "0.06", "0.06～1000.00 [s]"},  // not below the shortest
        {opened<D>, D::kStartSpeedRow, 3, "abc", nullptr, nullptr, ""},  // no model: nothing taken
        {opened<PointModel>, 1, 2, "-90000", nullptr, "-80000.00 mm", "-80000.00～80000.00 [mm]"},
        {opened<TimerModel>, 3, 1, "150", nullptr, "99.99", "0.00～99.99 [s]"},
        {opened<TimerModel>, 3, 1, "0.004", nullptr, nullptr, ""},  // rounded to 0.00, in range
        {opened<CounterModel>, 8, 1, "-1", nullptr, "0", "0～1000000"},
        {opened<RivoPointModel>, 1, 5, "0.0004", nullptr, "0.001", "0.001～1000.000 [s]"},
        {opened<RivoPointModel>, 2, 4, "12000", nullptr, "10000.00 mm/s", "0.00～10000.00 [mm/s]"},
        {opened<ProhibitAreaModel>, 2, 1, "500", nullptr, "200.00 mm", "-80000.00～200.00 [mm]"},  // below the maximum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column) + " " + c.text);
        SettingsImage image = testImage();
        const auto model = c.open(image);
        const CellCommit result = model->commitCell(c.row, c.column, c.text);
        ASSERT_EQ(bool(result.refusal), c.refusalNote != nullptr);
        if (c.refusalNote) {
            EXPECT_EQ(result.refusal->note, c.refusalNote);
        }
        ASSERT_EQ(bool(result.clamped), c.stored != nullptr);
        if (!c.stored) continue;
        EXPECT_EQ(result.clamped->stored, model->cellText(c.row, c.column));
        EXPECT_EQ(result.note(),
                  std::string(c.text) + " は範囲外のため " + c.stored + " にしました（設定範囲：" + c.range + "）");
    }
}

TEST(CellCommitTest, AnAxisWithoutModelSaysThatChoosingOneUnlocksIt) {
    const std::string none = "は接続機種が「接続無し」です。";
    const struct {
        Open open;
        int row, column;
        std::string note;  // "": nothing locked
    } cases[] = {
        {opened<D>, D::kMaxRotationSpeedRow, 3, "軸3 " + none + "1行目で接続機種を選ぶと設定できます。"},
        {opened<D>, D::kModelRow, 4, "軸4 " + none + "接続機種を選ぶと2行目以降を設定できます。"},
        {opened<D>, D::kTravelRow, 2, ""},  // read-only by its unit
        {opened<RivoSettingModel>, 5, 1, "軸05 " + none + "接続機種を選ぶと「RIVOポイント設定」でポイントデータを設定できます。"},
        {opened<RivoSettingModel>, 1, 1, ""},
        {opened<RivoPointModel>, 1024, 4, "軸16 " + none + "「RIVO軸設定」で接続機種を選ぶと設定できます。"},
    };
    SettingsImage image = testImage();
    for (const auto& c : cases) EXPECT_EQ(c.open(image)->lockNote(c.row, c.column), c.note) << c.row << "," << c.column;
    ASSERT_FALSE(D(image, nullptr).commit(D::kModelRow, 3, "VT3"));
    EXPECT_EQ(D(image, nullptr).lockNote(D::kMaxRotationSpeedRow, 3), "");
}

}  // namespace
}  // namespace vantrel
