#include <gtest/gtest.h>

#include <string>

#include "program/ProgramStore.h"
#include "program/StepLine.h"

namespace vantrel {
namespace {

ProgramStore storeWith(std::string_view text) {
    ProgramStore store;
    EXPECT_TRUE(store.loadText(text));
    store.scanDirectory();
    return store;
}

TEST(ProgramStore, PickSectionLoadsAsWritten) {
    ProgramStore store = storeWith("\tPROG\t#007\t;Pick\r\nL001\tMOVE\tA1,A2 P0005 \t;go\r\n\tEND\t\r\n");
    store.loadProgram(7);
    const CurrentProgram& p = store.current();
    EXPECT_EQ(p.number, 7);
    EXPECT_EQ(store.directory().name(7), "Pick");
    ASSERT_EQ(p.stepCount, 2);
    EXPECT_EQ(p.step(0).label, 1);
    EXPECT_EQ(p.step(0).code, kCodeMove);
    EXPECT_EQ(p.step(0).operand, "A1,A2 P0005  ");
    EXPECT_EQ(p.step(0).comment, "go");
    EXPECT_EQ(p.step(1).label, 0);
    EXPECT_EQ(p.step(1).code, kCodeEnd);
    EXPECT_EQ(p.step(1).operand, "");
    EXPECT_TRUE(p.step(2).empty());

    // Writing the program back gives the same text, and reading it again the same steps.
    const std::string before = store.text();
    ASSERT_TRUE(store.commitProgram(7));
    EXPECT_EQ(store.text(), before);
    store.loadProgram(7);
    EXPECT_EQ(store.current().step(0).operand, "A1,A2 P0005  ");
}

TEST(StepLine, SharedKeywordsAreToldApartByTheOperand) {
    EXPECT_EQ(parseStepLine("\tMOVE\tA1 P0301 ").code, kCodeMoveD);
    EXPECT_EQ(parseStepLine("\tMOVE\tA1 P1000 ").code, kCodeMoveD);
    EXPECT_EQ(parseStepLine("\tMOVE\tA1 P1001 ").code, kCodeMove);
    EXPECT_EQ(parseStepLine("\tMOVEP\tA1 P0300 ").code, kCodeMoveP);
    EXPECT_EQ(parseStepLine("\tMOVEP\tA1 P0301 ").code, kCodeMovePD);
    EXPECT_EQ(parseStepLine("\tIF\tIN1=1 GOTO L001").code, kCodeIfGoto);
    EXPECT_EQ(parseStepLine("\tIF\tIN1=1 GOSUB #002").code, kCodeIfGosub);
    EXPECT_EQ(parseStepLine("\tIF\tIN1=1 THEN GOSUB #002").code, kCodeIfThen);
    EXPECT_EQ(parseStepLine("\tOUT\tT001=1").code, kCodeOutInternal);
    EXPECT_EQ(parseStepLine("\tOUT\tOUT1=1").code, kCodeOutExternal);
    EXPECT_EQ(parseStepLine("\tOUT\t").code, kCodeOutExternal);
}

TEST(StepLine, LabelsKeywordsAndBlankLines) {
    EXPECT_EQ(parseStepLine("L123\tEND\t").label, 123);
    EXPECT_EQ(parseStepLine("\t E N D \t").code, kCodeEnd);  // blanks inside the keyword are skipped
    EXPECT_EQ(parseStepLine("\tNOSUCH\tx").code, kCodeUndefined);
    const StepRecord blank = parseStepLine("  \t  \t ");
    EXPECT_EQ(blank.code, kCodeEmpty);
    EXPECT_EQ(blank.label, 0);
    EXPECT_EQ(parseStepLine("Lab\tEND\t").label, 0);  // not three digits: no label
    EXPECT_EQ(parseStepLine("no tab at all").code, kCodeEmpty);
}

TEST(StepLine, ClineAndCarcKeepTheirOwnKeywords) {
    for (std::string keyword : {"CLINE", "CARC", "CLINEC", "CARCC"}) {
        const StepRecord step = parseStepLine("\t" + keyword + "\tA1,A2 P0301 ");
        std::string line;
        appendStepLine(line, step);
        EXPECT_EQ(line, "\t" + keyword + "\tA1,A2 P0301 \r\n");
    }
    EXPECT_EQ(parseStepLine("\tCLINE\t").code, kCodeCLine);
    EXPECT_EQ(parseStepLine("\tCARC\t").code, kCodeCArc);
}

TEST(StepLine, LongLinesKeepOperandAndComment) {
    const std::string operand(200, 'x');
    const std::string comment(100, 'c');
    const StepRecord step = parseStepLine("\tCALC\t" + operand + "\t;" + comment);
    EXPECT_EQ(step.operand, operand + " ");
    EXPECT_EQ(step.comment, comment);

    const StepRecord huge = parseStepLine("\tCALC\t" + std::string(100000, 'o') + ";" + std::string(100000, 'k'));
    EXPECT_EQ(huge.operand, std::string(254, 'o'));
    EXPECT_EQ(huge.comment, std::string(254, 'k'));
}

TEST(StepLine, CutsNeverSplitADoubleByteCharacter) {
    std::string operand(253, 'x');
    operand += "\x82\xA0";  // a two-byte character across the 254-byte limit
    EXPECT_EQ(parseStepLine("\tCALC\t" + operand).operand, std::string(253, 'x'));
}

TEST(ProgramStore, UnknownKeywordIsGoneAfterTheNextCommit) {
    ProgramStore store = storeWith("\tPROG\t#001\r\n\tWHAT\tx\r\n\tEND\t\r\n");
    store.loadProgram(1);
    ASSERT_EQ(store.current().stepCount, 2);
    EXPECT_EQ(store.current().step(0).code, kCodeUndefined);
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n");
}

TEST(ProgramStore, RendersHeaderWithAndWithoutName) {
    ProgramStore store = storeWith("\tPROG\t#003\r\n\tPROG\t#004\t;Cut\r\n");
    store.loadProgram(3);
    EXPECT_EQ(store.renderProgram(), "\tPROG\t#003\r\n");
    store.loadProgram(4);
    EXPECT_EQ(store.renderProgram(), "\tPROG\t#004\t;Cut\r\n");
}

TEST(ProgramStore, TwoSectionsWithOneNumber) {
    ProgramStore store = storeWith("\tPROG\t#002\t;First\r\n\tEND\t\r\n\tPROG\t#002\t;Second\r\n\tRET\t\r\n\tPROG\t#001\r\n");
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(store.directory().name(2), "Second");
    store.loadProgram(2);
    ASSERT_EQ(store.current().stepCount, 1);
    EXPECT_EQ(store.current().step(0).code, kCodeEnd);
    EXPECT_EQ(store.findProgram(2).start, 0u);
}

TEST(ProgramStore, DeletingTheLastAndAMiddleSection) {
    const std::string one = "\tPROG\t#001\r\n\tEND\t\r\n";
    const std::string two = "\tPROG\t#002\r\n\tRET\t\r\n";
    const std::string three = "\tPROG\t#003\r\n\tEND\t\r\n";
    ProgramStore store = storeWith(one + two + three);
    store.deleteProgramText(3);
    EXPECT_EQ(store.text(), one + two + "\x1A");
    store.deleteProgramText(1);
    EXPECT_EQ(store.text(), two + "\x1A");
    EXPECT_FALSE(store.storeClean());

    ProgramStore middle = storeWith(one + two + three);
    middle.deleteProgramText(2);
    EXPECT_EQ(middle.text(), one + three);
}

TEST(ProgramStore, CommitReplacesInPlaceAndAppendsNewSections) {
    const std::string one = "\tPROG\t#001\r\n\tEND\t\r\n";
    const std::string two = "\tPROG\t#002\r\n\tRET\t\r\n";
    ProgramStore store = storeWith(one + two);
    store.loadProgram(1);
    store.current().step(0).comment = "c";
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\t;c\r\n" + two);

    store.loadProgram(9);  // no section yet
    store.current().stepCount = 1;
    store.current().step(0).code = kCodeEnd;
    ASSERT_TRUE(store.commitProgram(9));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\t;c\r\n" + two + "\tPROG\t#009\r\n\tEND\t\r\n\x1A");

    ASSERT_TRUE(store.addProgram(5));
    EXPECT_EQ(store.text().substr(store.text().size() - 13), "\tPROG\t#005\r\n\x1A");
    store.scanDirectory();
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{1, 2, 5, 9}));
}

TEST(ProgramStore, BlankRecordCountsAsAStepUntilTheNextCommit) {
    ProgramStore store = storeWith("\tPROG\t#001\r\n\tEND\t\r\n \t \r\n\tRET\t\r\n");
    store.loadProgram(1);
    EXPECT_EQ(store.current().stepCount, 3);
    EXPECT_TRUE(store.current().step(1).empty());
    EXPECT_EQ(store.current().stepsInUse(), 1);
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n\tRET\t\r\n");
}

TEST(ProgramStore, CommentLinesAreSkipped) {
    ProgramStore store = storeWith("\tPROG\t#001\r\n; note\r\n// note\r\n\tEND\t\r\n");
    store.loadProgram(1);
    EXPECT_EQ(store.current().stepCount, 1);
}

TEST(ProgramStore, MoreThan255StepsAreKeptBeyondTheEditableOnes) {
    std::string text = "\tPROG\t#001\r\n";
    for (int i = 0; i < 300; ++i) text += "\tWAIT\tT" + std::to_string(i) + "\r\n";
    text += "\tPROG\t#002\r\n\tEND\t\r\n";
    ProgramStore store = storeWith(text);
    store.loadProgram(1);
    EXPECT_EQ(store.current().stepCount, 255);
    EXPECT_EQ(store.current().step(254).operand, "T254");
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), text);  // nothing lost
    store.loadProgram(2);
    EXPECT_EQ(store.current().stepCount, 1);
}

TEST(ProgramStore, HeaderNumbersOutside1To255AreNotListedButKept) {
    const std::string text = "\tPROG\t#000\r\n\tEND\t\r\n\tPROG\t#999\t;Big\r\n\tEND\t\r\n\tPROG\t#001\r\n\tEND\t\r\n";
    ProgramStore store = storeWith(text);
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(store.directory().name(0), "");
    store.loadProgram(1);
    ASSERT_TRUE(store.commitProgram(1));
    EXPECT_EQ(store.text(), text);
    EXPECT_FALSE(store.findProgram(0).found);
    EXPECT_FALSE(store.findProgram(256).found);
}

TEST(ProgramStore, ACommitPast16MiBIsRefusedAndTheStoreKeptWhole) {
    ProgramStore store;
    // One line of a comment just below the limit, then a program to edit.
    std::string text = "\tPROG\t#001\r\n;" + std::string(ProgramStore::kMaxTextLength - 40, 'x') + "\r\n";
    text += "\tPROG\t#002\r\n\tEND\t\r\n";
    ASSERT_LE(text.size(), ProgramStore::kMaxTextLength);
    ASSERT_TRUE(store.loadText(text));
    store.scanDirectory();
    store.loadProgram(2);
    store.current().step(0).comment = std::string(40, 'c');
    EXPECT_FALSE(store.commitProgram(2));
    EXPECT_EQ(store.text(), text);
    store.current().step(0).comment = "ok";
    EXPECT_TRUE(store.commitProgram(2));
}

TEST(ProgramStore, LoadTextNormalisesLineEnds) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#001\n\tEND\t\n\tRET\t"));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n\tRET\t\r\n");
    EXPECT_TRUE(store.storeClean());

    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n\tEND\t\r\n\x1A\tPROG\t#002\r\n"));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tEND\t\r\n");

    ASSERT_TRUE(store.loadText(std::string("\tPROG\t#0\0" "01\r\n", 13)));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n");

    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n\tCALC\ta\rb\r\n"));
    store.blankLoneCarriageReturns();
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n\tCALC\ta b\r\n");
}

TEST(ProgramStore, LoadTextThatDoesNotFitChangesNothing) {
    ProgramStore store;
    ASSERT_TRUE(store.loadText("\tPROG\t#001\r\n"));
    // LF-only lines grow by one byte each when stored with CR LF.
    const std::string lines(ProgramStore::kMaxTextLength - 10, '\n');
    EXPECT_FALSE(store.loadText(lines));
    EXPECT_EQ(store.text(), "\tPROG\t#001\r\n");
}

TEST(ProgramStore, SetProgramNameCleansAndCuts) {
    ProgramStore store = storeWith("\tPROG\t#001\r\n");
    store.loadProgram(1);
    store.setProgramName("a\tb\r" + std::string(120, 'n'));
    EXPECT_EQ(store.current().name.size(), 100u);
    EXPECT_EQ(store.current().name.substr(0, 4), "a b ");
    ASSERT_TRUE(store.commitProgram(1));
    store.scanDirectory();
    EXPECT_EQ(store.directory().name(1), store.current().name);
}

}  // namespace
}  // namespace vantrel
