#include <gtest/gtest.h>

#include "commands/AccelerationEditor.h"
#include "commands/AxisSelectionEditor.h"
#include "commands/HomeEditor.h"
#include "commands/PassEditor.h"
#include "CommandTestSupport.h"

namespace vantrel {
namespace {

using test::EditorFixture;

class AxisEditorsTest : public EditorFixture {
protected:
    const CommandEditRecord& reopen(int row) {
        EXPECT_TRUE(steps.beginEditExisting(row));
        return steps.lastEditRecord();
    }
    // Stores the record at row 0 and gives the step line as the program text holds it.
    std::string store(const EditorResult& result) {
        EXPECT_TRUE(result) << (result.refusal ? result.refusal->text : "");
        EXPECT_TRUE(steps.storeCommand(result.record));
        return std::string(firstStepKeyword()) + "\t" + firstStepOperand();
    }
};

TEST_F(AxisEditorsTest, HomeStoresTheTypedSpeedsOfTheCheckedAxes) {
    PositionRecord(image, 2, StepEditor::kHomingRecordIndex).setSpeed(40);
    HomeEditor home(kCodeHomeP, {}, false, image);
    EXPECT_EQ(home.title(), "原点復帰");
    EXPECT_EQ(home.speedText(2), "40");
    EXPECT_EQ(home.speedText(0), "100");
    EXPECT_EQ(home.accept().refusal->text, "軸を選択してください");
    home.setAxisChecked(0, true);
    home.setSpeedText(0, "101");
    home.setSpeedText(2, "abc");  // axis 3 is not homed: not read, its speed stays
    EXPECT_EQ(home.accept().refusal->text, "設定値が範囲外です。");
    home.setSpeedText(0, "25");
    EXPECT_EQ(store(home.accept()), "HOMEP\tA1 ");
    EXPECT_EQ(PositionRecord(image, 0, StepEditor::kHomingRecordIndex).speed(), 25);
    EXPECT_EQ(PositionRecord(image, 2, StepEditor::kHomingRecordIndex).speed(), 40);
}

TEST_F(AxisEditorsTest, AccelerationShowsTheEntryTimeAndStoresTheIndex) {
    PulseAxisRecord(image, 1).setAccelTime(7, 1234);
    AccelerationEditor acc({}, false, image);
    ASSERT_EQ(acc.entryChoices(1).texts().back(), "25");
    EXPECT_EQ(acc.timeText(1), "0.06");  // entry 0 of the default table
    acc.chooseEntry(1, 7);
    EXPECT_EQ(acc.timeText(1), "12.34");
    EXPECT_EQ(acc.accept().refusal->text, "軸を選択してください");
    acc.setAxisChecked(1, true);
    EXPECT_EQ(store(acc.accept()), "ACC\tON,A2 7");

    // Re-opened: the index read back from the text is chosen again; OFF needs no axis.
    AccelerationEditor again(reopen(0), true, image);
    EXPECT_TRUE(again.axisChecked(1));
    EXPECT_EQ(again.entryChoices(1).chosenNumber(), 7);
    EXPECT_EQ(again.entryChoices(0).chosenNumber(), 0);
    again.setOn(false);
    EXPECT_FALSE(again.axisControlsEnabled());
    again.setAxisChecked(1, false);
    EXPECT_EQ(store(again.accept()), "ACC\tOFF");
    steps.endEditExisting();
    EXPECT_FALSE(AccelerationEditor(reopen(0), true, image).on());
}

TEST_F(AxisEditorsTest, PassDistanceIsClampedSilently) {
    struct Case {
        const char* typed;
        std::int32_t stored;
        const char* shown;
    };
    const Case cases[] = {{"1234.5", 99999, "999.99"}, {"-3", 0, "0.00"}, {"0.125", 13, "0.13"}, {"12", 1200, "12.00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PassEditor pass({}, false, image);
        pass.setAxisChecked(3, true);
        pass.setDistanceText(3, c.typed);
        const EditorResult result = pass.accept();
        ASSERT_TRUE(result);
        EXPECT_EQ(result.record.axes[3].position, c.stored);
        EXPECT_EQ(result.record.onOff, 1);
        EXPECT_EQ(pass.distanceText(3), c.shown);
    }
    PassEditor pass({}, false, image);
    EXPECT_EQ(pass.accept().refusal->text, "軸を選択してください");
    pass.setAxisChecked(0, true);
    pass.setDistanceText(0, "abc");
    EXPECT_EQ(pass.accept().refusal->text, "数字を入力してください");
    pass.setDistanceText(0, "1.5");
    EXPECT_EQ(store(pass.accept()), "PATH\tON,A1 1.50 ");
    const PassEditor again(reopen(0), true, image);
    EXPECT_TRUE(again.on());
    EXPECT_EQ(again.distanceText(0), "1.50");
}

TEST_F(AxisEditorsTest, ExcitationNeverHoldsTwoAxes) {
    AxisSelectionEditor sav(kCodeSav, {}, false, image);
    EXPECT_EQ(sav.title(), "励磁ON/OFF");
    EXPECT_TRUE(sav.hasOnOff());
    sav.setAxisChecked(0, true);
    sav.setAxisChecked(2, true);
    EXPECT_FALSE(sav.axisChecked(0));
    EXPECT_EQ(sav.checkedCount(), 1);
    sav.setOn(false);
    EXPECT_EQ(store(sav.accept()), "SAV\tA3 OFF");

    // A step from a file that names two axes re-opens with the first only.
    load("\tPROG\t#001\r\n\tSAV\tA2,A4 ON\r\n");
    const AxisSelectionEditor read(kCodeSav, reopen(0), true, image);
    EXPECT_TRUE(read.axisChecked(1));
    EXPECT_EQ(read.checkedCount(), 1);
    EXPECT_TRUE(read.on());
}

TEST_F(AxisEditorsTest, StopAndPresetNeedAnAxis) {
    AxisSelectionEditor stop(kCodeBreak, {}, false, image);
    EXPECT_FALSE(stop.hasOnOff());
    EXPECT_EQ(stop.accept().refusal->text, "軸を選択してください");

    load("\tPROG\t#001\r\n\tPRST\tA1,A3 \r\n");
    AxisSelectionEditor preset(kCodePrst, reopen(0), true, image);
    EXPECT_EQ(preset.title(), "位置プリセット");
    EXPECT_TRUE(preset.axisChecked(0));
    EXPECT_FALSE(preset.axisChecked(1));
    EXPECT_TRUE(preset.axisChecked(2));
    preset.setAxisChecked(0, false);
    EXPECT_EQ(store(preset.accept()), "PRST\tA3 ");
}

}  // namespace
}  // namespace vantrel
