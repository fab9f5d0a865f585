#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "program/ProgramStore.h"
#include "program/PaletteButton.h"
#include "program/StepEditor.h"
#include "ProgramTestSupport.h"

namespace vantrel {
namespace {

using test::positionAddress;
using test::RecordingSink;
using test::setPoint;
using test::speedAddress;
using Write = RecordingSink::Write;

class StepEditorTest : public ::testing::Test {
protected:
    void load(std::string_view text, int number = 1) {
        ASSERT_TRUE(store.loadText(text));
        store.scanDirectory();
        store.selectProgram(number);
    }
    CommandEditRecord line(int point, std::int32_t x, std::int32_t y) {
        CommandEditRecord r;
        r.code = kCodeLine;
        r.point1 = static_cast<std::uint16_t>(point);
        r.axes[0] = {1, x, 50};
        r.axes[1] = {1, y, 60};
        return r;
    }
    const StepRecord& step(int i) const { return store.current().step(i); }
    std::string section() const { return store.renderProgram(); }

    ProgramStore store;
    SettingsImage image;
    RecordingSink sink;
    StepEditor editor{store, image, &sink};
};

TEST_F(StepEditorTest, StoreInsertsAtTheSelectedRowAndWritesThePoint) {
    load("\tPROG\t#001\r\n\tEND\t\r\n");
    editor.setSelectedRow(0);
    const EditOutcome outcome = editor.storeCommand(line(301, 1000, -250));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(section(), "\tPROG\t#001\r\n\tLINE\tA1,A2 P0301 \r\n\tEND\t\r\n");
    EXPECT_EQ(store.text(), section());
    EXPECT_EQ(image.readPosition(0, 300), 1000);
    EXPECT_EQ(image.readPosition(1, 300), -250);
    EXPECT_EQ(PositionRecord(image, 1, 300).speed(), 60);
    EXPECT_EQ(sink.writes, (std::vector<Write>{{positionAddress(0, 300), 3, 1000, false},
                                               {speedAddress(0, 300), 1, 50, false},
                                               {positionAddress(1, 300), 3, -250, false},
                                               {speedAddress(1, 300), 1, 60, false}}));
    EXPECT_EQ(editor.lastStoredRow(), 0);
    EXPECT_EQ(editor.selectedRow(), 1);

    // The blank last row appends.
    editor.setSelectedRow(2);
    CommandEditRecord ret;
    ret.code = kCodeReturn;
    ASSERT_TRUE(editor.storeCommand(ret));
    EXPECT_EQ(step(2).code, kCodeReturn);
    EXPECT_EQ(store.current().stepCount, 3);
}

TEST_F(StepEditorTest, OverwriteKeepsLabelAndComment) {
    load("\tPROG\t#001\r\nL005\tWAIT\tT1\t;slow\r\n");
    TimerTable(image).setTimer(0, 10);
    ASSERT_TRUE(editor.beginEditExisting(0));
    EXPECT_EQ(editor.lastEditRecord().number, 1);  // timer number as read from the text
    EXPECT_EQ(editor.lastEditRecord().value, 10);
    CommandEditRecord wait = editor.lastEditRecord();
    wait.operand = "T2";
    wait.number = 1;  // index of T2
    wait.value = 0x10096;  // low 16 bits used
    ASSERT_TRUE(editor.storeCommand(wait));
    editor.endEditExisting();
    EXPECT_EQ(section(), "\tPROG\t#001\r\nL005\tWAIT\tT2\t;slow\r\n");
    EXPECT_EQ(TimerTable(image).timer(1), 150);
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_EQ(sink.writes[0], (Write{*controllerAddress(TimerTable::timerOffset(1)), 2, 150, false}));
}

TEST_F(StepEditorTest, PointZeroIsRefusedAndNothingChanges) {
    load("\tPROG\t#001\r\n\tEND\t\r\n");
    const std::string before = store.text();
    editor.setSelectedRow(0);
    const EditOutcome outcome = editor.storeCommand(line(0, 1, 1));
    EXPECT_FALSE(outcome);
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->text, "自動割付ポイント番号がいっぱいになりました。");
    EXPECT_EQ(store.text(), before);
    EXPECT_TRUE(sink.writes.empty());
    CommandEditRecord arc = line(301, 1, 1);
    arc.code = kCodeArc;  // second point missing
    EXPECT_FALSE(editor.storeCommand(arc));
}

TEST_F(StepEditorTest, OperandsBuiltByTheStore) {
    load("\tPROG\t#001\r\n");
    const auto storeAndRead = [&](const CommandEditRecord& r) {
        editor.setSelectedRow(store.current().stepCount);
        EXPECT_TRUE(editor.storeCommand(r));
        return step(store.current().stepCount - 1).operand;
    };
    CommandEditRecord r;
    r.code = kCodeArc;
    r.incremental = 1;
    r.point1 = 310;
    r.point2 = 311;
    r.axes[0] = {1, 100, 10};
    r.axes[2] = {1, 300, 10};
    r.axes[4] = {0, 200, 20};
    r.axes[6] = {0, 400, 20};
    EXPECT_EQ(storeAndRead(r), "I A1,A3 P0310 P0311 ");
    EXPECT_EQ(image.readPosition(0, 310), 200);  // second point entries are not tested for `selected`
    EXPECT_EQ(image.readPosition(2, 310), 400);

    r = {};
    r.code = kCodePath;
    r.onOff = 1;
    r.axes[1] = {1, 150, 0};
    EXPECT_EQ(storeAndRead(r), "ON,A2 1.50 ");
    r.onOff = 0;
    EXPECT_EQ(storeAndRead(r), "OFF ");
    r = {};
    r.code = kCodeAcc;
    r.onOff = 1;
    r.axes[0] = {1, 0, 7};
    EXPECT_EQ(storeAndRead(r), "ON,A1 7");
    r = {};
    r.code = kCodeShift;
    r.point1 = 80;
    r.incremental = 1;
    r.axes[3] = {1, -40, 0};
    EXPECT_EQ(storeAndRead(r), "ON 2 P081 ");
    EXPECT_EQ(image.readPosition(3, 80), -40);  // the index itself, not index - 1
    r.point1 = 998;
    EXPECT_EQ(storeAndRead(r), "ON 2 P999 ");
    r.point1 = 999;
    EXPECT_EQ(storeAndRead(r), "ON 2 P1000 ");
    r.onOff = 1;
    r.axes[3].selected = 0;
    EXPECT_EQ(storeAndRead(r), "OFF 2 ");
    r = {};
    r.code = kCodeSav;
    r.axes[2].selected = 1;
    r.onOff = 1;
    EXPECT_EQ(storeAndRead(r), "A3 OFF");
    r = {};
    r.code = kCodeSav2;
    r.operand = "A5 ";
    EXPECT_EQ(storeAndRead(r), "A5 ON");
    r = {};
    r.code = kCodeBreak;
    EXPECT_EQ(storeAndRead(r), " ");
    r = {};
    r.code = kCodeHome;
    r.axes[1] = {1, 0, 100};
    r.axes[0].speedRate = 30;
    EXPECT_EQ(storeAndRead(r), "A2 ");
    EXPECT_EQ(PositionRecord(image, 0, 252).speed(), 30);  // every axis's homing rate
    EXPECT_EQ(PositionRecord(image, 1, 252).speed(), 100);
}

TEST_F(StepEditorTest, CapacityChecksOfThePalette) {
    std::string text = "\tPROG\t#001\r\n";
    for (int i = 0; i < 254; ++i) text += "\tRET\t\r\n";
    load(text);
    editor.setSelectedRow(-1);
    EXPECT_EQ(editor.checkCanAdd()->text, "行が選択されていません。");
    editor.setSelectedRow(254);
    EXPECT_EQ(editor.checkCanAdd(true)->text, "これ以上コマンドを追加できません。");
    EXPECT_FALSE(editor.checkCanAdd());
    ASSERT_TRUE(editor.storeSimpleCommand(kCodeEnd));
    EXPECT_EQ(store.current().stepCount, 255);
    EXPECT_EQ(step(254).code, kCodeEnd);
    const EditOutcome full = editor.storeSimpleCommand(kCodeEnd);
    ASSERT_TRUE(full.refusal);
    EXPECT_EQ(full.refusal->text, "これ以上コマンドを追加できません。");
    EXPECT_FALSE(editor.insertEmptyStep(0));
}

TEST_F(StepEditorTest, IfThenFollowedByEndIf) {
    load("\tPROG\t#001\r\n\tEND\t\r\n");
    editor.setSelectedRow(0);
    ASSERT_FALSE(editor.checkCanAdd(true));
    CommandEditRecord r;
    r.code = kCodeIfThen;
    r.operand = "IN1=1 THEN";
    ASSERT_TRUE(editor.storeCommand(r));
    ASSERT_TRUE(editor.storeEndIf());
    EXPECT_EQ(section(), "\tPROG\t#001\r\n\tIF\tIN1=1 THEN\r\n\tENDIF\t\r\n\tEND\t\r\n");
}

TEST_F(StepEditorTest, DeletingSelectedRowsHighestFirst) {
    load("\tPROG\t#001\r\n\tWAIT\tT1\r\n\tWAIT\tT2\r\n\tWAIT\tT3\r\n\tWAIT\tT4\r\n\tWAIT\tT5\r\n");
    editor.setSelectedRow(1);
    std::vector<Refusal> asked;
    const auto yes = [&](const Refusal& q) { asked.push_back(q); return true; };
    ASSERT_TRUE(editor.deleteSelectedRows({3, 1, 4}, yes));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "本当に削除しますか？");
    EXPECT_EQ(asked[0].title, "確認");
    EXPECT_EQ(section(), "\tPROG\t#001\r\n\tWAIT\tT1\r\n\tWAIT\tT3\r\n");
    EXPECT_EQ(editor.selectedRow(), 1);

    EXPECT_FALSE(editor.deleteSelectedRows({0}, [](const Refusal&) { return false; }));
    EXPECT_EQ(store.current().stepCount, 2);
    editor.setSelectedRow(2);
    EXPECT_EQ(editor.deleteSelectedRows({2}, yes).refusal->text, "コマンドが設定されていない行です。");
    editor.setSelectedRow(-1);
    EXPECT_EQ(editor.deleteSelectedRows({}, yes).refusal->text, "行が選択されていません。");
}

TEST_F(StepEditorTest, LabelsAndComments) {
    load("\tPROG\t#001\r\nL007\tEND\t\r\n\tPROG\t#002\r\nL009\tRET\t\r\n\tEND\t\r\n", 2);
    editor.setSelectedRow(2);
    EXPECT_EQ(editor.checkLabelRow()->text, "コマンドの存在する行を選択してください。");
    EXPECT_EQ(editor.checkCommentRow()->text, "コマンドが設定されている行を選んでください。");
    editor.setSelectedRow(1);
    EXPECT_EQ(editor.deleteStepLabel().refusal->text, "ラベルが設定されていません。");
    CommandEditRecord r;
    r.label = 12;
    ASSERT_TRUE(editor.setStepLabel(r));
    ASSERT_TRUE(editor.setStepComment("note"));
    EXPECT_EQ(section(), "\tPROG\t#002\r\nL009\tRET\t\r\nL012\tEND\t\t;note\r\n");
    EXPECT_EQ(editor.setStepComment(std::string(101, 'x')).refusal->text, "最大文字数を超えています");

    const auto all = editor.labelsInUseAll();
    EXPECT_TRUE(all[7] && all[9] && all[12]);
    EXPECT_FALSE(all[8]);
    const auto mine = editor.labelsInUseCurrent();
    EXPECT_FALSE(mine[7]);
    EXPECT_TRUE(mine[9] && mine[12]);
    EXPECT_EQ(store.current().number, 2);  // the program being edited stays

    editor.setSelectedRow(0);
    ASSERT_TRUE(editor.deleteStepLabel());
    EXPECT_EQ(step(0).label, 0);
}

// The TAB before a comment reads back as a blank at the operand's end; that
// blank belongs to the comment and goes with it, while an operand's own
// trailing blank stays. A step left without comment is the one its text reads
// back as.
TEST_F(StepEditorTest, CommentEditsKeepTheOperandAsWritten) {
    struct Case {
        const char* line;
        std::vector<const char*> comments;  // set one after the other
        const char* written;
    };
    const std::vector<Case> cases = {
        {"\tWAIT\tT1\t;c", {""}, "\tWAIT\tT1\r\n"},
        {"\tWAIT\tT1\t;c", {"d"}, "\tWAIT\tT1\t;d\r\n"},
        {"\tWAIT\tT1\t;c", {"", "e"}, "\tWAIT\tT1\t;e\r\n"},
        {"\tWAIT\tT1 \t;c", {""}, "\tWAIT\tT1 \r\n"},
        {"\tWAIT\tT1\t;", {""}, "\tWAIT\tT1\r\n"},
        {"\tLINE\tA1 P0301 ", {"c", ""}, "\tLINE\tA1 P0301 \r\n"},
        {"\tLINE\tA1 P0301 \t;c", {"", "d"}, "\tLINE\tA1 P0301 \t;d\r\n"},
        // A broken text whose TAB was read as the second byte of a character
        // keeps the blank: the line must not end in half a character.
        {"\tCALC\tx\x87\t;c", {""}, "\tCALC\tx\x87 \r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        load(std::string("\tPROG\t#001\r\n") + c.line + "\r\n");
        editor.setSelectedRow(0);
        for (const char* comment : c.comments) ASSERT_TRUE(editor.setStepComment(comment));
        EXPECT_EQ(store.text(), std::string("\tPROG\t#001\r\n") + c.written);
        if (*c.comments.back() != '\0') continue;
        const StepRecord edited = step(0);
        store.loadProgram(1);
        EXPECT_EQ(edited.operand, step(0).operand);
        EXPECT_EQ(edited.comment, step(0).comment);
    }
}

TEST_F(StepEditorTest, LoadStepForEditReadsTheOperandBack) {
    load("\tPROG\t#001\r\n"
         "\tMOVE\tI A1,A4 P1001 \r\n"
         "\tARC\tA2,A3 P0301 P0302 \r\n"
         "\tPATH\tON,A1 1.15,A3 2.5 \r\n"
         "\tACC\tON,A2 7\r\n"
         "\tCINC\tCNTR1=1\r\n"
         "\tCSET\tCNTR1=25\r\n"
         "\tGOSUB\t#012\r\n"
         "\tMOVE2P\tA12 P005 \r\n"
         "\tSHIFT\tON 2 P083 \r\n"
         "\tNIOWR\tA1 NOB=1\r\n"
         "\tSAV\tA2 OFF\r\n"
         "\tPATH\tOFF \r\n");
    ASSERT_TRUE(editor.loadStepForEdit(0));
    CommandEditRecord r = editor.lastEditRecord();
    EXPECT_EQ(r.incremental, 1);
    EXPECT_EQ(r.point1, 1001);
    EXPECT_TRUE(r.axes[0].selected && r.axes[3].selected && !r.axes[1].selected);
    ASSERT_TRUE(editor.loadStepForEdit(1));
    r = editor.lastEditRecord();
    EXPECT_EQ(r.point1, 301);
    EXPECT_EQ(r.point2, 302);
    ASSERT_TRUE(editor.loadStepForEdit(2));
    r = editor.lastEditRecord();
    EXPECT_EQ(r.onOff, 0);
    EXPECT_EQ(r.axes[0].position, 115);
    EXPECT_EQ(r.axes[2].position, 250);
    EXPECT_FALSE(r.axes[1].selected);
    ASSERT_TRUE(editor.loadStepForEdit(3));
    EXPECT_EQ(editor.lastEditRecord().axes[1].position, 7);
    ASSERT_TRUE(editor.loadStepForEdit(4));
    EXPECT_EQ(editor.lastEditRecord().number, 1);
    ASSERT_TRUE(editor.loadStepForEdit(5));
    EXPECT_EQ(editor.lastEditRecord().value, 25);
    ASSERT_TRUE(editor.loadStepForEdit(6));
    EXPECT_EQ(editor.lastEditRecord().point1, 12);
    ASSERT_TRUE(editor.loadStepForEdit(7));
    EXPECT_EQ(editor.lastEditRecord().networkAxis, 12);
    EXPECT_EQ(editor.lastEditRecord().point1, 5);
    ASSERT_TRUE(editor.loadStepForEdit(8));
    EXPECT_EQ(editor.lastEditRecord().incremental, 2);
    EXPECT_EQ(editor.lastEditRecord().point1, 83);
    ASSERT_TRUE(editor.loadStepForEdit(9));
    EXPECT_EQ(editor.lastEditRecord().networkAxis, 11);
    ASSERT_TRUE(editor.loadStepForEdit(10));
    EXPECT_EQ(editor.lastEditRecord().onOff, 1);
    EXPECT_TRUE(editor.lastEditRecord().axes[1].selected);
    ASSERT_TRUE(editor.loadStepForEdit(11));
    EXPECT_EQ(editor.lastEditRecord().onOff, 1);
    EXPECT_FALSE(editor.loadStepForEdit(12));
}

TEST_F(StepEditorTest, LoadStepForEditFillsTheOtherRowsOfItsTable) {
    load("\tPROG\t#001\r\n"
         "\tHOMEP\tI A2,A4 \r\n"
         "\tBREAK\tA1 \r\n"
         "\tINC\tM12\r\n"
         "\tCCLR\tCNTR3\r\n"
         "\tPAUSE\tOFF\r\n"
         "\tALM\t42\r\n"
         "\tHOME2\tA17 \r\n"
         "\tSAV2\tA16 OFF\r\n"
         "\tPRST\tOFF 1 P005 \r\n"
         "\tGOTO\tL007\r\n"
         "\tNIOWR\tA2 NO7=0\r\n");
    ASSERT_TRUE(editor.loadStepForEdit(0));
    CommandEditRecord r = editor.lastEditRecord();
    EXPECT_EQ(r.code, kCodeHomeP);
    EXPECT_EQ(r.operand, "I A2,A4 ");
    EXPECT_EQ(r.incremental, 1);
    EXPECT_TRUE(!r.axes[0].selected && r.axes[1].selected && !r.axes[2].selected && r.axes[3].selected);
    ASSERT_TRUE(editor.loadStepForEdit(1));
    r = editor.lastEditRecord();
    EXPECT_EQ(r.incremental, 0);
    EXPECT_TRUE(r.axes[0].selected && !r.axes[1].selected);
    ASSERT_TRUE(editor.loadStepForEdit(2));
    EXPECT_EQ(editor.lastEditRecord().number, 12);
    ASSERT_TRUE(editor.loadStepForEdit(3));
    EXPECT_EQ(editor.lastEditRecord().number, 3);
    EXPECT_EQ(editor.lastEditRecord().value, 0);
    ASSERT_TRUE(editor.loadStepForEdit(4));
    EXPECT_EQ(editor.lastEditRecord().onOff, 1);
    ASSERT_TRUE(editor.loadStepForEdit(5));
    EXPECT_EQ(editor.lastEditRecord().number, 42);
    ASSERT_TRUE(editor.loadStepForEdit(6));
    EXPECT_EQ(editor.lastEditRecord().networkAxis, 17);  // kept: its editor shows it and asks for a driver
    ASSERT_TRUE(editor.loadStepForEdit(7));
    EXPECT_EQ(editor.lastEditRecord().networkAxis, 16);
    EXPECT_EQ(editor.lastEditRecord().onOff, 1);
    ASSERT_TRUE(editor.loadStepForEdit(8));
    r = editor.lastEditRecord();
    EXPECT_EQ(r.onOff, 1);
    EXPECT_EQ(r.incremental, 1);
    EXPECT_EQ(r.point1, 5);
    ASSERT_TRUE(editor.loadStepForEdit(9));
    EXPECT_EQ(editor.lastEditRecord().point1, 7);
    ASSERT_TRUE(editor.loadStepForEdit(10));
    EXPECT_EQ(editor.lastEditRecord().networkAxis, 7);
    // An empty row fills nothing and leaves a cleared record behind.
    EXPECT_FALSE(editor.loadStepForEdit(11));
    EXPECT_EQ(editor.lastEditRecord().code, CommandEditRecord{}.code);
    EXPECT_TRUE(editor.lastEditRecord().operand.empty());
}

TEST_F(StepEditorTest, StoredHomeAndArcQueueEveryPointChange) {
    load("\tPROG\t#001\r\n");
    editor.setSelectedRow(0);
    CommandEditRecord home;
    home.code = kCodeHome;
    home.axes[0] = {1, 0, 25};
    home.axes[1] = {0, 0, 35};
    home.axes[2] = {0, 0, 45};
    home.axes[3] = {1, 0, 55};
    ASSERT_TRUE(editor.storeCommand(home));
    EXPECT_EQ(step(0).operand, "A1,A4 ");
    // Every axis's homing rate is set, selected or not.
    EXPECT_THAT(sink.writes, ::testing::UnorderedElementsAre(Write{speedAddress(0, 252), 1, 25, false},
                                                             Write{speedAddress(1, 252), 1, 35, false},
                                                             Write{speedAddress(2, 252), 1, 45, false},
                                                             Write{speedAddress(3, 252), 1, 55, false}));
    sink.writes.clear();

    CommandEditRecord arc;
    arc.code = kCodeArcC;
    arc.point1 = 401;
    arc.point2 = 402;
    arc.axes[1] = {1, -700, 15};
    arc.axes[5] = {0, 900, 16};
    ASSERT_TRUE(editor.storeCommand(arc));
    EXPECT_EQ(step(1).operand, "A2 P0401 P0402 ");
    EXPECT_THAT(sink.writes, ::testing::UnorderedElementsAre(Write{positionAddress(1, 400), 3, -700, false},
                                                             Write{speedAddress(1, 400), 1, 15, false},
                                                             Write{positionAddress(1, 401), 3, 900, false},
                                                             Write{speedAddress(1, 401), 1, 16, false}));
    EXPECT_EQ(image.readPosition(0, 400), 0);  // unselected axes keep their points
}

TEST_F(StepEditorTest, WaitOnATimerBeyondTheTableWritesNoTimer) {
    load("\tPROG\t#001\r\n");
    const SettingsImage before = image;
    editor.setSelectedRow(0);
    CommandEditRecord wait;
    wait.code = kCodeWait;
    wait.operand = "T101";
    wait.number = 100;
    wait.value = 500;
    ASSERT_TRUE(editor.storeCommand(wait));
    EXPECT_EQ(step(0).operand, "T101");
    EXPECT_TRUE(image == before);
    EXPECT_TRUE(sink.writes.empty());
}

TEST_F(StepEditorTest, AnOperandBuiltByAnEditorIsWrittenWithItsTrailingBlank) {
    load("\tPROG\t#001\r\nL001\tMOVE\tA1,A2 P1005 \t;go\r\n");
    editor.setSelectedRow(1);
    ASSERT_TRUE(editor.storeCommand(line(301, 10, 20)));
    editor.setSelectedRow(1);
    ASSERT_TRUE(editor.setStepComment("c"));
    const std::string written = "\tPROG\t#001\r\nL001\tMOVE\tA1,A2 P1005 \t;go\r\n\tLINE\tA1,A2 P0301 \t;c\r\n";
    EXPECT_EQ(store.text(), written);

    // Editing the read step again in place writes the same line, and reading
    // and writing the whole text changes nothing.
    ASSERT_TRUE(editor.beginEditExisting(0));
    ASSERT_TRUE(editor.storeCommand(editor.lastEditRecord()));
    editor.endEditExisting();
    EXPECT_EQ(store.text(), written);
    store.loadProgram(1);
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), written);

    // A pasted copy of a read step is written like the original.
    ASSERT_TRUE(editor.copySteps({0}));
    ASSERT_TRUE(editor.pasteSteps(2));
    EXPECT_EQ(store.text(), written + "\tMOVE\tA1,A2 P1005 \t;go\r\n");
}

TEST_F(StepEditorTest, AllocateAutoPointSkipsEveryReferencedPoint) {
    std::string text = "\tPROG\t#001\r\n";
    for (int point = 301; point <= 1000; ++point) text += "\tMOVE\tA1 P" + std::to_string(10000 + point).substr(1) + " \r\n";
    load(text + "\tPROG\t#002\r\n", 2);
    EXPECT_EQ(editor.allocateAutoPoint(0), -1);

    load("\tPROG\t#001\r\n\tMOVE\tA1 P0301 \r\n\tARC\tA1,A2 P0303 P0302 \r\n\tPROG\t#002\r\n", 2);
    EXPECT_EQ(editor.allocateAutoPoint(0), 303);
    EXPECT_EQ(editor.allocateAutoPoint(1), 304);
    // Steps of the program being edited count before they are committed.
    store.current().stepCount = 1;
    store.current().step(0) = {0, kCodeLine, "A1 P0304 ", ""};
    EXPECT_EQ(editor.allocateAutoPoint(0), 304);
    // Another program's point written with three digits is in use as well.
    load("\tPROG\t#001\r\n\tLINE\tA1 P301 \r\n\tPROG\t#002\r\n", 2);
    EXPECT_EQ(editor.allocateAutoPoint(0), 301);
}

TEST_F(StepEditorTest, PasteGivesCopiedLineStepsNewDistinctPoints) {
    load("\tPROG\t#001\r\nL001\tLINE\tA1,A2 P0301 \r\nL002\tLINE\tA1,A2 P0302 \r\n\tEND\t\r\n");
    setPoint(image, 0, 300, 111, 11);
    setPoint(image, 1, 300, 222, 22);
    setPoint(image, 0, 301, 333, 33);
    setPoint(image, 1, 301, 444, 44);
    ASSERT_TRUE(editor.copySteps({1, 0}));
    EXPECT_EQ(editor.clipboardCount(), 2);
    const EditOutcome outcome = editor.pasteSteps(3);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome.refusal);
    EXPECT_EQ(section(), "\tPROG\t#001\r\nL001\tLINE\tA1,A2 P0301 \r\nL002\tLINE\tA1,A2 P0302 \r\n\tEND\t\r\n"
                         "\tLINE\tA1,A2 P0303 \r\n\tLINE\tA1,A2 P0304 \r\n");
    EXPECT_EQ(image.readPosition(0, 302), 111);
    EXPECT_EQ(image.readPosition(1, 302), 222);
    EXPECT_EQ(PositionRecord(image, 1, 302).speed(), 22);
    EXPECT_EQ(image.readPosition(0, 303), 333);
    EXPECT_EQ(PositionRecord(image, 1, 303).speed(), 44);
    EXPECT_EQ(editor.lastStoredRow(), 3);
}

// Each pasted step gets a new point of its own holding the positions and speed
// rates its source point had before the paste, whichever points the paste
// hands out (the sources freed by a delete are handed out first).
TEST_F(StepEditorTest, PastedPointsHoldTheirOwnSourcePositions) {
    struct Case {
        const char* name;
        const char* program;
        std::vector<int> copied;
        bool deleteCopied;
        int pasteRow;
        std::vector<std::string> pastedOperands;
    };
    const std::vector<Case> cases = {
        {"copy, delete, paste above the rest", "\tPROG\t#001\r\n\tLINE\tA1 P0302 \r\n\tLINE\tA1 P0301 \r\n\tEND\t\r\n",
         {0, 1}, true, 0, {"A1 P0301 ", "A1 P0302 "}},
        {"two LINE steps pasted after their sources", "\tPROG\t#001\r\n\tLINE\tA1 P0302 \r\n\tLINE\tA1 P0301 \r\n\tEND\t\r\n",
         {0, 1}, false, 3, {"A1 P0303 ", "A1 P0304 "}},
        {"an ARC whose points swap", "\tPROG\t#001\r\n\tARC\tA1 P0302 P0301 \r\n\tEND\t\r\n",
         {0}, true, 0, {"A1 P0301 P0302 "}},
        {"three moves in a ring", "\tPROG\t#001\r\n\tMOVE\tA1 P0303 \r\n\tLINEC\tA1 P0301 \r\n\tMOVEP\tA1 P0302 \r\n",
         {0, 1, 2}, true, 0, {"A1 P0301 ", "A1 P0302 ", "A1 P0303 "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        image = SettingsImage{};
        load(c.program);
        // Point 30x holds x * 1111 on axis 1 and x * 11 as its speed rate.
        for (int index = 300; index < 304; ++index)
            setPoint(image, 0, index, (index - 299) * 1111, static_cast<std::uint8_t>((index - 299) * 11));
        std::vector<std::vector<std::pair<std::int32_t, int>>> expected;  // per copied step, per point
        for (const int row : c.copied) {
            std::vector<std::pair<std::int32_t, int>> points;
            const std::string& operand = step(row).operand;
            for (std::size_t at = operand.find(" P"); at != std::string::npos; at = operand.find(" P", at + 2)) {
                const int index = std::stoi(operand.substr(at + 2, 4)) - 1;
                points.emplace_back(image.readPosition(0, index), PositionRecord(image, 0, index).speed());
            }
            expected.push_back(points);
        }
        ASSERT_TRUE(editor.copySteps(c.copied));
        if (c.deleteCopied) {
            editor.setSelectedRow(c.copied.front());
            ASSERT_TRUE(editor.deleteSelectedRows(c.copied, [](const Refusal&) { return true; }));
        }
        ASSERT_TRUE(editor.pasteSteps(c.pasteRow));
        for (std::size_t i = 0; i < c.copied.size(); ++i) {
            const std::string& operand = step(c.pasteRow + static_cast<int>(i)).operand;
            EXPECT_EQ(operand, c.pastedOperands[i]);
            std::size_t at = operand.find(" P");
            for (const auto& [position, speed] : expected[i]) {
                ASSERT_NE(at, std::string::npos);
                const int index = std::stoi(operand.substr(at + 2, 4)) - 1;
                EXPECT_EQ(image.readPosition(0, index), position) << operand;
                EXPECT_EQ(PositionRecord(image, 0, index).speed(), speed) << operand;
                at = operand.find(" P", at + 2);
            }
        }
    }
}

TEST_F(StepEditorTest, PasteRefusals) {
    load("\tPROG\t#001\r\n\tEND\t\r\n");
    EXPECT_EQ(editor.copySteps({0, 1}).refusal->text, "空白の行は、コピーできません。");
    EXPECT_EQ(editor.clipboardCount(), 0);
    ASSERT_TRUE(editor.copySteps({0}));
    EXPECT_EQ(editor.pasteSteps(2).refusal->text, "最終ステップの次行以外の空行にはペーストできません。");
    ASSERT_TRUE(editor.pasteSteps(0));
    EXPECT_EQ(store.current().stepCount, 2);

    std::string text = "\tPROG\t#001\r\n";
    for (int i = 0; i < 254; ++i) text += "\tRET\t\r\n";
    load(text);
    ASSERT_TRUE(editor.copySteps({0, 1}));
    EXPECT_EQ(editor.pasteSteps(0).refusal->text,
              "ペーストするコマンドステップ数に比べて、空きステップ数が足りません。");
}

TEST_F(StepEditorTest, PasteStopsWhenThePointsRunOutAndKeepsWhatWasPasted) {
    std::string text = "\tPROG\t#002\r\n";
    for (int point = 301; point <= 999; ++point) text += "\tMOVE\tA1 P0" + std::to_string(point) + " \r\n";
    load(text + "\tPROG\t#001\r\n\tLINE\tA1 P0301 \r\n\tLINE\tA1 P0302 \r\n\tEND\t\r\n", 1);
    ASSERT_TRUE(editor.copySteps({0, 1, 2}));
    const EditOutcome outcome = editor.pasteSteps(0);
    EXPECT_TRUE(outcome.done);
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->text, "自動割付ポイント番号がいっぱいになりました。");
    EXPECT_EQ(store.current().stepCount, 4);
    EXPECT_EQ(step(0).operand, "A1 P1000 ");
    EXPECT_EQ(step(1).code, kCodeLine);
    EXPECT_EQ(step(1).operand, "A1 P0301 ");
}

TEST_F(StepEditorTest, FreeStepPointsClearsThePointsOnAllAxes) {
    load("\tPROG\t#001\r\n\tARC\tA1,A2 P0310 P0311 \r\n\tMOVE\tP0320 \r\n");
    setPoint(image, 3, 309, 5, 5);
    setPoint(image, 0, 310, 5, 5);
    setPoint(image, 0, 319, 5, 5);
    editor.freeStepPoints(0);
    editor.freeStepPoints(1);  // names no axis: untouched
    EXPECT_EQ(image.readPosition(3, 309), NOT_SET_POSITION);
    EXPECT_EQ(image.readPosition(0, 310), NOT_SET_POSITION);
    EXPECT_EQ(image.readPosition(0, 319), 5);
    EXPECT_EQ(sink.writes.size(), 8u);
    EXPECT_EQ(sink.writes[0], (Write{positionAddress(0, 309), 3, NOT_SET_POSITION, false}));
}

TEST_F(StepEditorTest, RunModesMakeEditingInert) {
    load("\tPROG\t#001\r\n\tEND\t\r\n");
    const std::string before = store.text();
    editor.setControllerMode(1);
    editor.setSelectedRow(0);
    EXPECT_FALSE(editor.storeSimpleCommand(kCodeReturn));
    EXPECT_FALSE(editor.deleteStep(0));
    EXPECT_FALSE(editor.beginEditExisting(0));
    EXPECT_FALSE(editor.copySteps({0}));
    EXPECT_EQ(store.text(), before);
    editor.setControllerMode(0);
    EXPECT_TRUE(editor.deleteStep(0));
}

TEST_F(StepEditorTest, ACommitThatDoesNotFitUndoesTheEdit) {
    std::string text = "\tPROG\t#001\r\n;" + std::string(ProgramStore::kMaxTextLength - 40, 'x') + "\r\n";
    text += "\tPROG\t#002\r\n\tEND\t\r\n";
    load(text, 2);
    editor.setSelectedRow(0);
    CommandEditRecord r;
    r.code = kCodeCalc;
    r.operand = std::string(60, 'v');
    const EditOutcome outcome = editor.storeCommand(r);
    EXPECT_FALSE(outcome);
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(store.current().stepCount, 1);
    EXPECT_EQ(step(0).code, kCodeEnd);
    EXPECT_EQ(store.text(), text);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(PaletteButtons, DoubleClickOpensTheEditorOfTheCreatingButton) {
    const auto move = doubleClickButton(kCodeMovePD);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->page, "軸動作(ﾊﾟﾙｽ列)");
    EXPECT_EQ(move->group, "軸制御（完了待ちなし）");
    EXPECT_EQ(move->button, "軸移動");
    EXPECT_EQ(doubleClickButton(kCodeMove2)->page, "軸動作(RIVO)");
    EXPECT_EQ(doubleClickButton(kCodeCounterSet)->button, "CounterSet");
    EXPECT_EQ(doubleClickButton(kCodeJmp)->button, "JUMP");
    for (int code : {20, 21, 30, 32, 35, 36, 37, 38, 39, 43, 45, 56, 57, 58, 59, 254, 255})
        EXPECT_FALSE(hasEditor(code)) << code;
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(StepEditorForeignText, PointNumbersOfAnyValueAreHarmless) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n\tLINE\tA1 P-2147483648 \r\n\tARC\tA1 P99999999999 P-1 \r\n"));
    store.scanDirectory();
    store.selectProgram(1);
    SettingsImage image;
    const SettingsImage untouched = image;
    test::RecordingSink sink;
    StepEditor editor(store, image, &sink);
    editor.freeStepPoints(0);
    editor.freeStepPoints(1);
    ASSERT_TRUE(editor.copySteps({0, 1}));
    ASSERT_TRUE(editor.pasteSteps(2));
    EXPECT_EQ(store.current().step(2).operand, "A1 P0301-2147483648 ");
    EXPECT_EQ(store.current().step(3).operand, "A1 P0302 P0303-1 ");
    EXPECT_TRUE(image == untouched);
    EXPECT_TRUE(sink.writes.empty());
}

}  // namespace
}  // namespace vantrel
