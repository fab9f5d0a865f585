#include <gtest/gtest.h>

#include "program/ProgramList.h"
#include "program/StepEditor.h"
#include "ProgramTestSupport.h"

namespace vantrel {
namespace {

using test::RecordingSink;
using test::setPoint;

class ProgramListTest : public ::testing::Test {
protected:
    void load(std::string_view text, int selected) {
        ASSERT_TRUE(store.loadText(text));
        store.scanDirectory();
        store.selectProgram(selected);
    }
    ProgramStore store;
    SettingsImage image;
    RecordingSink sink;
    ImageEdit edit{image, &sink};
};

TEST_F(ProgramListTest, AddRefusals) {
    load("\tPROG\t#001\r\n\tPROG\t#100\r\n", 1);
    ProgramList list(store);
    EXPECT_EQ(list.add("")->text, "整数を入力してください。");
    for (const char* text : {"0", "256", "-5"}) {
        const MaybeRefusal refusal = list.add(text);
        ASSERT_TRUE(refusal) << text;
        EXPECT_EQ(refusal->text, "1 から 255 までの整数を入力してください。");
        EXPECT_EQ(refusal->icon, MessageIcon::Warning);
    }
    EXPECT_EQ(list.add("100")->text, "既に存在するプログラム番号です");
    EXPECT_FALSE(list.add("7"));
    EXPECT_EQ(list.numbers(), (std::vector<std::uint8_t>{1, 7, 100}));
    EXPECT_EQ(list.numberText(1), "P007");
}

TEST_F(ProgramListTest, DeleteRefusals) {
    load("\tPROG\t#001\r\n\tPROG\t#100\r\n", 1);
    ProgramList list(store);
    EXPECT_EQ(list.remove(-1)->text, "ﾌﾟﾛｸﾞﾗﾑが選択されていません");
    EXPECT_EQ(list.remove(1)->text, "プログラム100番は削除できません");
    EXPECT_FALSE(list.remove(0));
    EXPECT_EQ(list.numbers(), (std::vector<std::uint8_t>{100}));
}

TEST_F(ProgramListTest, DeletingTheSelectedProgramSelectsTheLargestBelowIt) {
    load("\tPROG\t#001\r\n\tEND\t\r\n\tPROG\t#005\r\n\tMOVE\tA1 P0301 \r\n\tPROG\t#100\r\n\tEND\t\r\n", 5);
    setPoint(image, 2, 300, 1234, 50);
    ProgramList list(store);
    ASSERT_FALSE(list.remove(1));  // program 5
    EXPECT_EQ(list.apply(edit), 1);
    EXPECT_EQ(store.selectedProgram(), 1);
    EXPECT_EQ(store.current().number, 1);
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{1, 100}));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n\tPROG\t#100\r\n\tEND\t\r\n");
    EXPECT_EQ(image.readPosition(2, 300), NOT_SET_POSITION);  // the deleted step's point is cleared
    EXPECT_FALSE(store.storeClean());
}

// The points cleared when programs are deleted, and the order in which their
// writes are queued, are those of loading each deleted program (highest
// first) and clearing the points of every step.
TEST_F(ProgramListTest, DeletedProgramsClearThePointsOfTheirStepsAsLoaded) {
    const std::string text =
        "\tPROG\t#005\r\n\tARC\tA1,A2 P0310 P0311 \r\n;\tMOVE\tA1 P0330 \r\n\tMOVE\tA3 P1001 \r\n"
        "\tLINE\tP0320 \r\n\tWAIT\tT1\r\n"
        "\tPROG\t#100\r\n\tLINE\tA4 P0340 \r\n"
        "\tPROG\t#007\r\n\tARCC\tI A4 P0312 P0313 \t;c\r\nL002\tMOVEP\tA2 P0305 \r\n\tLINEC\tA1\tP0306\r\n"
        "\tPROG\t#005\r\n\tMOVE\tA1 P0350 \r\n";
    load(text, 100);
    // What loading the deleted programs one after the other clears.
    RecordingSink expected;
    ImageEdit expectedEdit(image, &expected);
    for (const int number : {7, 5}) {
        store.loadProgram(number);
        for (int i = 0; i < store.current().stepCount; ++i) StepEditor::freeStepPoints(store.current().step(i), expectedEdit);
    }
    ASSERT_EQ(expected.writes.size(), 4u * 7u);  // 310, 311, 1001; 312, 313, 305, 306
    store.selectProgram(100);
    image = SettingsImage{};

    ProgramList list(store);
    ASSERT_FALSE(list.remove(1));  // 7 of {5, 7, 100}
    ASSERT_FALSE(list.remove(0));  // 5
    EXPECT_EQ(list.apply(edit), 100);
    EXPECT_EQ(sink.writes, expected.writes);
    EXPECT_EQ(store.text(), "\tPROG\t#100\r\n\tLINE\tA4 P0340 \r\n\tPROG\t#005\r\n\tMOVE\tA1 P0350 \r\n");
}

TEST_F(ProgramListTest, CreationsAscendingAndDeletionsDescending) {
    load("\tPROG\t#003\r\n\tPROG\t#010\r\n\tPROG\t#020\r\n\tPROG\t#100\r\n", 3);
    ProgramList list(store);
    ASSERT_FALSE(list.add("9"));
    ASSERT_FALSE(list.add("2"));
    ASSERT_FALSE(list.remove(4));  // 20 of {2, 3, 9, 10, 20, 100}
    ASSERT_FALSE(list.remove(0));  // 2 again: added and removed, nothing happens for it
    ASSERT_FALSE(list.remove(0));  // 3
    EXPECT_EQ(list.numbers(), (std::vector<std::uint8_t>{9, 10, 100}));
    EXPECT_EQ(list.apply(edit), 9);  // nothing at or below 3 is left: the smallest
    EXPECT_EQ(store.text(), "\tPROG\t#010\r\n\tPROG\t#100\r\n\tPROG\t#009\r\n\x1A");
}

TEST_F(ProgramListTest, ReAddingADeletedProgramKeepsItsText) {
    load("\tPROG\t#004\t;Keep\r\n\tEND\t\r\n\tPROG\t#100\r\n", 4);
    const std::string before = store.text();
    ProgramList list(store);
    ASSERT_FALSE(list.remove(0));
    ASSERT_FALSE(list.add("4"));
    EXPECT_EQ(list.apply(edit), 4);
    EXPECT_EQ(store.text(), before);
}

TEST_F(ProgramListTest, EmptyingTheSetSelectsProgram1) {
    load("\tPROG\t#002\r\n", 2);
    ProgramList list(store);
    ASSERT_FALSE(list.remove(0));
    EXPECT_EQ(list.apply(edit), 1);
    EXPECT_EQ(store.directory().count(), 0);
}

TEST_F(ProgramListTest, RenameHasA100ByteLimit) {
    load("\tPROG\t#001\r\n\tEND\t\r\n", 1);
    EXPECT_EQ(ProgramList::renameProgram(store, std::string(101, 'n'))->text, "最大文字数を超えています");
    ASSERT_FALSE(ProgramList::renameProgram(store, std::string(100, 'n')));
    EXPECT_EQ(store.text(), "\tPROG\t#001\t;" + std::string(100, 'n') + "\r\n\tEND\t\r\n");
    EXPECT_EQ(store.directory().name(1), std::string(100, 'n'));
    EXPECT_EQ(ProgramList::numberListTexts(store.directory()), (std::vector<std::string>{"001"}));
}

}  // namespace
}  // namespace vantrel
