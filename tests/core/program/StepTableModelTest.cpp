#include <gtest/gtest.h>

#include "program/ProgramStore.h"
#include "program/StepTableModel.h"
#include "ProgramTestSupport.h"

namespace vantrel {
namespace {

class StepTableModelTest : public ::testing::Test {
protected:
    void load(std::string_view text) {
        ASSERT_TRUE(store.loadText(text));
        store.scanDirectory();
        store.selectProgram(1);
    }
    void fill() { model.fill(store.current(), image, store.directory()); }

    ProgramStore store;
    SettingsImage image;
    StepTableModel model;
};

TEST_F(StepTableModelTest, RowsRunUpToTheFirstEmptyStep) {
    load("\tPROG\t#002\t;Sub\r\n\tPROG\t#001\r\nL007\tMOVE\tA1 P1001 \t;go\r\n\tGOSUB\t#002 \r\n\tEND\t\r\n");
    test::setPoint(image, 0, 1000, 1234, 60);
    fill();
    ASSERT_EQ(model.rowCount(), 4);
    const std::string expected[4][5] = {
        {"001", "007", "軸移動", "絶対値 軸1 P1001(12.34mm) 60% ", "go"},
        {"002", "", "call", "#002(Sub)", ""},
        {"003", "", "end", "", ""},
        {"004", "", "", "", ""},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < kStepColumnCount; ++column)
            EXPECT_EQ(model.text(row, column), expected[row][column]) << row << "," << column;
    EXPECT_EQ(model.text(4, 0), "");
    EXPECT_EQ(model.text(0, 5), "");

    // The listing reads the image when filled: a point edited since shows anew.
    test::setPoint(image, 0, 1000, -5, 60);
    EXPECT_EQ(model.text(0, 3), "絶対値 軸1 P1001(12.34mm) 60% ");
    fill();
    EXPECT_EQ(model.text(0, 3), "絶対値 軸1 P1001(-0.05mm) 60% ");
}

TEST_F(StepTableModelTest, AFullProgramHasNoBlankRow) {
    std::string text = "\tPROG\t#001\r\n";
    for (int i = 0; i < 255; ++i) text += "\tEND\t\r\n";
    load(text);
    fill();
    EXPECT_EQ(model.rowCount(), 255);
    EXPECT_EQ(model.text(254, 0), "255");
    EXPECT_EQ(model.text(254, 2), "end");
}

TEST_F(StepTableModelTest, AlignmentAndColours) {
    for (int column = 0; column < kStepColumnCount; ++column)
        EXPECT_EQ(StepTableModel::alignment(column),
                  column < 3 ? StepTableModel::Alignment::Centre : StepTableModel::Alignment::Left);
    // In a run mode only the running step is coloured; otherwise the compile
    // error before the last stored row.
    model.setHighlights({true, 4, 4, 5});
    EXPECT_EQ(model.highlight(4), RowHighlight::RunningStep);
    EXPECT_EQ(model.highlight(5), RowHighlight::None);
    model.setHighlights({false, 4, 6, 6});
    EXPECT_EQ(model.highlight(4), RowHighlight::None);
    EXPECT_EQ(model.highlight(6), RowHighlight::CompileError);
    model.setHighlights({false, -1, -1, 6});
    EXPECT_EQ(model.highlight(6), RowHighlight::LastStored);
}

}  // namespace
}  // namespace vantrel
