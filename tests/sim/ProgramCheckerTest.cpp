// The simulated controller's compile: each error number points, through the
// PC's own reading of the four result values, at the faulty step of the
// faulty program; what the command editors write, the default programs and
// the I/O names the PC offers all compile clean.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands/TermText.h"
#include "data/DefaultImage.h"
#include "program/CommandCode.h"
#include "program/IoNames.h"
#include "program/ProgramCompile.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"
#include "program/TextScan.h"
#include "sim/IoSymbols.h"
#include "sim/ProgramCompiler.h"

using namespace vantrel;
using vantrel::simprog::parseIoSymbol;

namespace {

std::string header(int number) { return "\tPROG\t#" + zeroPadded(number, 3) + "\r\n"; }
std::string line(const std::string& text) { return text + "\r\n"; }
// Program 100 holding `steps`.
std::string main100(const std::string& steps) { return header(100) + steps; }

std::string readSource(const std::string& relative) {
    std::ifstream f(std::string(VANTREL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream out;
    out << f.rdbuf();
    return out.str();
}

// What the PC makes of a refusal: the error, its program and step, and the
// comment of the step it highlights (empty when the step is not in the program).
struct PcView {
    int error = 0;
    int program = 0;
    int step = 0;
    std::string comment;
};

PcView pcReading(const std::string& text, const CompileVerdict& verdict) {
    ProgramStore store;
    EXPECT_TRUE(store.loadText(text));
    store.scanDirectory();
    CompileResult result;
    result.status = CompileResult::kControllerError;
    for (int i = 0; i < 4; ++i) result.values[i] = verdict.values[static_cast<std::size_t>(i)];
    CompileState state;
    ProgramCompile::finishCompile(1, result, store, state);
    PcView view{state.errorNumber, state.errorProgram, state.errorStep, ""};
    if (ProgramCompile::showErrorProgram(store, state) && state.errorStep >= 0 &&
        state.errorStep < store.current().stepCount)
        view.comment = store.current().step(state.errorStep).comment;
    return view;
}

struct ErrorCase {
    const char* name;
    std::string text;
    int error;
    int program;
    int step;
};

// Checks each case: the error number, the program and step the PC shows, and
// that the step it highlights is the line marked ";bad".
void expectErrors(const std::vector<ErrorCase>& cases) {
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CompileVerdict verdict = compileProgramFile(c.text);
        ASSERT_FALSE(verdict.accepted());
        const PcView pc = pcReading(c.text, verdict);
        EXPECT_EQ(pc.error, c.error);
        EXPECT_EQ(pc.program, c.program);
        EXPECT_EQ(pc.step, c.step);
        if (c.text.find(";bad") != std::string::npos && c.step < 255) {
            EXPECT_EQ(pc.comment, "bad");
        }
    }
}

std::string manySteps(int from, int count, bool labelled) {
    std::string out;
    for (int i = 0; i < count; ++i) out += line((labelled ? "L" + zeroPadded(from + i, 3) : std::string()) + "\tEND\t");
    return out;
}

TEST(ProgramChecker, EachErrorNumberPointsAtItsProgramAndStep) {
    // 1000 labelled steps over four programs; the last is the 1000th.
    std::string labels;
    for (int p = 1; p <= 4; ++p) labels += header(p) + manySteps(1, p < 4 ? 250 : 249, true);
    labels += line("L250\tEND\t;bad") + main100(line("\tEND\t"));
    // 64 full programs and a 65th whose 65th step is the 16,385th.
    std::string big;
    for (int p = 1; p <= 64; ++p) big += header(p) + manySteps(0, 255, false);
    big += header(65) + manySteps(0, 64, false) + line("\tEND\t;bad") + main100(line("\tEND\t"));

    expectErrors({
        {"1 syntax, after a comment line", main100(line("\tOUT\tOUT1 ON") + line(";note") + line("\tMOVE\tA5 P1001 \t;bad")),
         1, 100, 1},
        {"2 I/O symbol", header(7) + line("//x") + line("//y") + line("\tIN\tIN17 ON\t;bad") + main100(line("\tEND\t")), 2, 7, 0},
        {"3 command", main100(line("\tEND\t") + line("\tSPEED\t100\t;bad")), 3, 100, 1},
        {"4 number of commands", main100(manySteps(0, 256, false)), 4, 100, 255},
        {"5 label used twice", header(1) + line("L001\tEND\t") + main100(line("\tEND\t") + line("L001\tEND\t;bad")), 5, 100, 1},
        {"6 number of labels", labels, 6, 4, 249},
        {"7 jump", main100(line("L001\tOUT\tOUT1 ON") + line("\tGOTO\tL002 \t;bad")), 7, 100, 1},
        {"8 code size", big, 8, 65, 64},
        {"9 program number", header(256) + line("\tEND\t") + main100(line("\tEND\t")), 9, 256, 0},
        {"10 program 100 missing", header(1) + line("\tEND\t"), 10, 100, 0},
    });
}

TEST(ProgramChecker, OperandsNotOfTheirCommandsFormAreSyntaxErrors) {
    const std::vector<std::string> operands = {
        "MOVE\tA1 ",          "MOVE\tA1,A1 P1001 ", "MOVE\tX A1 P1001 ", "MOVE\tA1 P2001 ",  "MOVEP\tA1 P1001 P1002 ",
        "ARC\tA1 P0301 P0302 ", "ARC\tA1,A2,A3 P0301 P0302 ", "LINE\t P0301 ", "HOME\t ", "BREAK\tA0 ",
        "PATH\tON ",           "PATH\tON,A1 1000.00 ", "PATH\tON,A1 1.234 ", "ACC\tON,A1 26", "ACC\tON,A1",
        "SAV\tA1 HALF",        "SAV2\tA17 ON",      "MOVE2P\tA1 P101 ",  "HOME2\t ",         "OUT\tOUT1",
        "OUT\tOUT1 ON,",       "OUT\tOUT1 ONorOUT2 ON", "IN\tIN1 ON,",    "IN\tIN1=5",        "IN\tIN1 ONandIN2 ON",
        "WAIT\t",              "CSET\tCNTR1=1000001", "CSET\tCNTR1",     "GOTO\tL000 ",      "GOTO\t1 ",
        "GOSUB\t#256 ",        "IF\tIN1 ON GOTO ",  "IF\tX = 1 THEN",    "IF\t5 == X THEN",  "IF\tIN1 ON",
        "RET\tnow",            "PAUSE\t",           "ALM\t56 ",          "ALM\t001 ",        "SHIFT\tON 3 P081 ",
        "SHIFT\tON 1 ",        "REGINT\t1X",        "REGINT\tLONGERNAME1", "CALC\tX = ",     "CALC\tX + 1 = ",
        "CALC\tX = 1 = Y ",    "CALC\tX = Y % 2 ",  "CALC\t1 = X + 1 ",  "\tjunk",           "IN\tIN1 ON,IN2 ON,IN3 ON,IN4 ON,"
                                                                                            "IN5 ON,IN6 ON,IN7 ON,IN8 ON,"
                                                                                            "IN9 ON,IN10 ON,IN11 ON",
    };
    for (const std::string& op : operands) {
        SCOPED_TRACE(op);
        const std::string text = main100(line("\tREGINT\tX") + line("\tREGINT\tY") + line("\t" + op));
        EXPECT_EQ(compileProgramFile(text).error, 1);
    }
    EXPECT_EQ(compileProgramFile(main100(line("END")))
                  .error, 1) << "a line without the TAB before its keyword";
}

TEST(ProgramChecker, SymbolsTheControllerDoesNotKnowOrCannotUseThereAreSymbolErrors) {
    const std::vector<std::string> steps = {
        "IN\tIN0 ON",    "IN\tIN01 ON",  "IN\tX1 ON",      "IN\tT101 ON",  "IF\tNIG00 ON GOTO L001 ",
        "IN\tNI016 ON",  "OUT\tIN1 ON",  "OUT\tHOUT2 ON",  "OUT\tNO000 ON", "NIOWR\tOUT1 ON",
        "WAIT\tCNTR1",   "CINC\tCNTR9",  "CINC\tM1",       "INC\tM97",      "CALC\tX = Z + 1 ",
        "IF\tZ == 1 THEN",
    };
    for (const std::string& step : steps) {
        SCOPED_TRACE(step);
        const bool block = step.find("THEN") != std::string::npos;
        const std::string text = main100(line("L001\tREGINT\tX") + line("\t" + step) + (block ? line("\tENDIF\t") : ""));
        EXPECT_EQ(compileProgramFile(text).error, 2);
    }
}

TEST(ProgramChecker, CommandsTheControllerDoesNotRunOrFindsOutOfPlaceAreCommandErrors) {
    const std::vector<std::string> steps = {
        "\tSPEED\t100",  "\tJMP\tL001 ", "\tCLINE\tA1 P0301 ", "\tCARC\tA1,A2 P0301 P0302 ", "\tINTP\t",
        "\tJOG2\tA1 ",   "\tCMD485\t",   "\tFOO\t",            "\tELSE\t",                  "\tENDIF\t",
        "\tIF\tX == 1 THEN", "\tCALC\tMR104 = 5 ",
    };
    for (const std::string& step : steps) {
        SCOPED_TRACE(step);
        EXPECT_EQ(compileProgramFile(main100(line("\tREGINT\tX") + line(step))).error, 3);
    }
    const std::string twoElses = line("\tIF\tX == 1 THEN") + line("\tELSE\t") + line("\tELSE\t") + line("\tENDIF\t");
    EXPECT_EQ(compileProgramFile(main100(line("\tREGINT\tX") + twoElses)).error, 3);
}

TEST(ProgramChecker, JumpsAndCallsMustFindTheirTarget) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"\tGOTO\tL009 ", 7},                 // no such label
        {"\tGOTO\tL005 ", 7},                 // a label of program 1, not of this one
        {"\tIF\tIN1 ON GOTO L009 ", 7},
        {"\tGOSUB\t#002 ", 7},                // no program 2
        {"\tON\t#003 ", 7},
        {"\tOFF\t#004 ", 7},
        {"\tIF\tIN1 ONorIN2 OFF GOSUB #002 ", 7},
        {"\tGOSUB\t#001 ", 0},
        {"\tIF\tCUP1>7 GOTO L001 ", 0},
        {"\tGOTO\tL001 ", 0},
    };
    for (const auto& [step, error] : cases) {
        SCOPED_TRACE(step);
        const std::string text = header(1) + line("L005\tRET\t") + main100(line("L001\tEND\t") + line(step));
        EXPECT_EQ(compileProgramFile(text).error, error);
    }
}

TEST(ProgramChecker, HeadersMustNameEachProgramOnceInRange) {
    for (const std::string& bad : std::vector<std::string>{"\tPROG\t#000\r\n", "\tPROG\t#1a2\r\n", "\tPROG\t#12\r\n",
                                                          "\tPROG\t#1234\r\n", header(100)}) {
        SCOPED_TRACE(bad);
        const CompileVerdict v = compileProgramFile(main100(line("\tEND\t")) + bad + line("\tEND\t"));
        EXPECT_EQ(v.error, 9);
        EXPECT_EQ(v.values[1] - v.values[3] - 1, 0) << "the program as a whole";
    }
}

// Builds programs 100, 1 and 2 the way the program editor does, with a step
// of every command its palette offers.
class EditorPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store.loadText(header(100) + header(1) + header(2)));
        store.scanDirectory();
    }
    void select(int program) {
        store.selectProgram(program);
        steps.setSelectedRow(0);
    }
    void store_(CommandEditRecord r) {
        r.comment.clear();
        const EditOutcome outcome = steps.storeCommand(r);
        ASSERT_TRUE(outcome.done) << "code " << int(r.code);
    }
    static CommandEditRecord text(std::uint8_t code, std::string operand) {
        CommandEditRecord r;
        r.code = code;
        r.operand = std::move(operand);
        return r;
    }
    static CommandEditRecord axes(std::uint8_t code, std::initializer_list<int> selected, int point1 = 0, int point2 = 0) {
        CommandEditRecord r;
        r.code = code;
        for (const int a : selected) {
            r.axes[static_cast<std::size_t>(a)] = {1, 1000 * (a + 1), 50};
            r.axes[static_cast<std::size_t>(a + 4)] = {1, 500 * (a + 1), 50};
        }
        for (auto& a : r.axes) a.speedRate = a.speedRate ? a.speedRate : 100;
        r.point1 = static_cast<std::uint16_t>(point1);
        r.point2 = static_cast<std::uint16_t>(point2);
        return r;
    }
    CommandEditRecord autoPoints(std::uint8_t code, std::initializer_list<int> selected, bool incremental = false) {
        CommandEditRecord r = axes(code, selected, steps.allocateAutoPoint(0) + 1,
                                   hasSecondPoint(code) ? steps.allocateAutoPoint(1) + 1 : 0);
        r.incremental = incremental ? 1 : 0;
        return r;
    }
    CommandEditRecord onOff(CommandEditRecord r, bool storedOnOff) {
        r.onOff = storedOnOff ? 1 : 0;
        return r;
    }

    ProgramStore store;
    SettingsImage image = makeDefaultSettingsImage();
    StepEditor steps{store, image, nullptr};
};

TEST_F(EditorPrograms, EveryCommandTheEditorsWriteCompilesClean) {
    select(1);
    store_(text(kCodeReturn, ""));
    select(2);
    store_(text(kCodeEnd, ""));

    select(100);
    const std::string in1 = onOffTerm("IN1", true);
    TermText condition;
    condition.append(TermJoiner::And, in1);
    condition.append(TermJoiner::And, onOffTerm("HOMES2", false));
    condition.append(TermJoiner::Or, comparisonTerm("CUP1", ComparisonOperator::Greater, 7));
    condition.append(TermJoiner::And, comparisonTerm("M3", ComparisonOperator::NotEqual, 0));
    condition.append(TermJoiner::Or, onOffTerm(remoteIoSymbol("NI000", 10), true));
    TermText outputs;
    outputs.append(TermJoiner::And, onOffTerm("OUT1", true));
    outputs.append(TermJoiner::And, onOffTerm("DCON2", false));
    TermText timers;
    timers.append(TermJoiner::And, onOffTerm("T1", true));
    timers.append(TermJoiner::And, onOffTerm("T100", false));
    TermText remote;
    remote.append(TermJoiner::And, onOffTerm(remoteIoSymbol("NO000", 11), true));
    remote.append(TermJoiner::And, onOffTerm(remoteIoSymbol("NO015", 11), false));

    CommandEditRecord wait = text(kCodeWait, "T5");
    wait.number = 4;
    wait.value = 150;
    CommandEditRecord pass = axes(kCodePath, {0, 2});
    pass.onOff = 1;
    CommandEditRecord acc = axes(kCodeAcc, {1});
    acc.axes[1].speedRate = 25;
    acc.onOff = 1;
    CommandEditRecord shiftOn = axes(kCodeShift, {0, 1, 2, 3}, 80);
    CommandEditRecord shiftOff = axes(kCodeShift, {}, 80);
    shiftOff.onOff = 1;
    shiftOff.incremental = 1;

    const std::vector<CommandEditRecord> records = {
        text(kCodeRegInt, "COUNT"), text(kCodeRegInt, "MR104"),
        autoPoints(kCodeMoveD, {0, 1}), autoPoints(kCodeMovePD, {2}, true),
        axes(kCodeMove, {0, 1, 2, 3}, 1001), axes(kCodeMoveP, {3}, 2000),
        axes(kCodeHome, {0, 1}), axes(kCodeHomeP, {2}),
        autoPoints(kCodeLine, {0, 1}), autoPoints(kCodeLineC, {1, 3}, true),
        autoPoints(kCodeArc, {0, 1}), autoPoints(kCodeArcC, {2, 3}),
        pass, onOff(axes(kCodePath, {}), false), acc, onOff(axes(kCodeAcc, {}), false),
        axes(kCodeBreak, {0, 3}), onOff(axes(kCodeSav, {1}), false), onOff(axes(kCodeSav, {2}), true),
        axes(kCodePrst, {0, 1}),
        text(kCodeMove2P, "A3 P005 "), text(kCodeMove2, "A16 P064 "), text(kCodeHome2P, "A3 "), text(kCodeHome2, "A1 "),
        text(kCodeBreak2, "A3 "), onOff(text(kCodeSav2, "A3 "), true), onOff(text(kCodeSav2, "A4 "), false),
        text(kCodeNioRd, "A11 "), text(kCodeNioWr, remote.text()),
        text(kCodeOutExternal, outputs.text()), text(kCodeOutInternal, timers.text()),
        wait, text(kCodeIn, condition.text()),
        text(kCodeGoto, "L001 "), text(kCodeGosub, "#001 "),
        text(kCodeIfGoto, condition.text() + " GOTO L001 "), text(kCodeIfGosub, in1 + " GOSUB #002 "),
        text(kCodeProgramOn, "#002 "), text(kCodeProgramOff, "#002 "),
        text(kCodeCounterInc, "CNTR1"), text(kCodeCounterDec, "CNTR8"), text(kCodeCounterSet, "CNTR2=1000000"),
        text(kCodeCounterClear, "CNTR3"), text(kCodeMemoryInc, "M1"), text(kCodeMemoryDec, "M96"),
        text(kCodeCalc, "COUNT = COUNT + 1 "), text(kCodeCalc, "COUNT = MR104 * 2 - COUNT / 3 "),
        text(kCodeCalc, "MR100 + 5 = COUNT "),
        text(kCodeAlarm, "01 "), text(kCodeAlarm, "55 "), text(kCodePause, "ON"), text(kCodePause, "OFF"),
        shiftOn, shiftOff,
    };
    for (const CommandEditRecord& r : records) store_(r);
    // IF … THEN with its ENDIF, an ELSE between, as the palette stores them.
    store_(text(kCodeIfThen, "COUNT # -5 THEN"));
    ASSERT_TRUE(steps.storeEndIf().done);
    steps.setSelectedRow(steps.selectedRow() - 1);
    ASSERT_TRUE(steps.storeSimpleCommand(kCodeElse).done);
    steps.setSelectedRow(store.current().stepCount);
    ASSERT_TRUE(steps.storeSimpleCommand(kCodeReturn).done);
    ASSERT_TRUE(steps.storeSimpleCommand(kCodeEnd).done);
    // The jump target's label.
    steps.setSelectedRow(0);
    CommandEditRecord label;
    label.label = 1;
    ASSERT_TRUE(steps.setStepLabel(label).done);

    const CompileVerdict verdict = compileProgramFile(store.text());
    EXPECT_TRUE(verdict.accepted()) << "error " << verdict.error << " at program " << verdict.values[2] << " step "
                                    << verdict.values[1] - verdict.values[3] - 1 << "\n"
                                    << store.text();
    ASSERT_TRUE(verdict.programs);
    EXPECT_EQ(verdict.programs->programs.at(100).size(), static_cast<std::size_t>(store.current().stepCount));
}

TEST(ProgramChecker, TheDefaultProgramsCompileClean) {
    const std::string text = readSource("resources/Ncstepini.sys");
    ASSERT_FALSE(text.empty());
    const CompileVerdict verdict = compileProgramFile(text);
    EXPECT_TRUE(verdict.accepted()) << "error " << verdict.error << " program " << verdict.values[2];
}

TEST(ProgramChecker, EverySymbolOfTheIoNamesFileIsKnown) {
    IoNames names;
    names.loadFromText(readSource("resources/IoName.txt"));
    int symbols = 0;
    for (int group = 0; group < IoNames::kGroupCount; ++group) {
        for (int i = 0; i < names.entryCount(group); ++i) {
            const std::string_view symbol = names.symbol(group, i);
            ++symbols;
            // Remote I/O symbols stand for every driver: the editors put the driver in the third character.
            for (int driver = 0; driver < (group == 26 || group == 27 ? 16 : 1); ++driver) {
                const std::string s = group == 26 || group == 27 ? remoteIoSymbol(symbol, driver) : std::string(symbol);
                EXPECT_TRUE(parseIoSymbol(s).has_value()) << s;
            }
        }
    }
    EXPECT_GT(symbols, 400);
}

}  // namespace
