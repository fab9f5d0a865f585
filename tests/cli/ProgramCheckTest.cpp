#include "ProgramCheck.h"

#include <gtest/gtest.h>

#include <string>

using vantrel::cli::checkProgramText;
using vantrel::cli::ProgramFinding;

namespace {

std::string section(int number, const std::string& steps) {
    char header[32];
    std::snprintf(header, sizeof header, "\tPROG\t#%03d\r\n", number);
    return header + steps;
}

bool has(const std::vector<ProgramFinding>& findings, int program, int step, const std::string& part) {
    for (const auto& f : findings)
        if (f.program == program && f.step == step && f.what.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(ProgramCheck, CleanFileHasNoFindings) {
    const std::string text = section(100, "L001\tIN\tIN1\r\n\tEND\t\r\n") + section(1, "\tHOME\tA1\r\n\tRET\t\r\n");
    EXPECT_TRUE(checkProgramText(text).empty());
}

TEST(ProgramCheck, ReportsWhatTheEditorDropsOrChanges) {
    std::string steps = "\tFOO\tbar\r\n"           // step 1: undefined command
                        "; a comment line\r\n"     // dropped, not a step
                        " \t \r\n"                  // step 2: blank line
                        "\tEND\tx\ty;c\r\n";         // step 3: TAB inside the operand becomes a blank
    const auto findings = checkProgramText(section(100, steps) + section(7, "\tEND\t\r\n") + section(7, "\tEND\t\r\n"));
    EXPECT_TRUE(has(findings, 100, 1, "undefined command \"FOO\"")) << findings.size();
    EXPECT_TRUE(has(findings, 100, 1, "comment line"));
    EXPECT_TRUE(has(findings, 100, 2, "blank line"));
    EXPECT_TRUE(has(findings, 100, 3, "line is changed"));
    EXPECT_TRUE(has(findings, 7, 0, "more than once"));
    EXPECT_FALSE(has(findings, 100, 0, "missing"));
}

TEST(ProgramCheck, StepsBeyondTheLimitCutLinesAndBadHeaders) {
    std::string steps;
    for (int i = 0; i < 257; ++i) steps += "\tEND\t\r\n";
    std::string longLine = "\tOUT\tOUT1 " + std::string(300, 'A') + "\r\n";
    const auto findings = checkProgramText(section(1, steps) + section(2, longLine) + "\tPROG\t#999\r\n\tEND\t\r\n");
    EXPECT_TRUE(has(findings, 1, 256, "beyond the 255"));
    EXPECT_TRUE(has(findings, 1, 257, "beyond the 255"));
    EXPECT_FALSE(has(findings, 1, 255, "beyond"));
    EXPECT_TRUE(has(findings, 2, 1, "line is changed"));  // operand cut to 254 bytes
    EXPECT_TRUE(has(findings, 0, 0, "#999"));
    EXPECT_TRUE(has(findings, 100, 0, "program 100 is missing"));
}

TEST(ProgramCheck, RawBytesTheReaderNeverKeeps) {
    std::string text = section(100, "\tEND\t\r\n");
    text.insert(3, 1, '\0');
    text += "\x1A" "\tPROG\t#005\r\n";
    const auto findings = checkProgramText(text);
    EXPECT_TRUE(has(findings, 0, 0, "NUL"));
    EXPECT_TRUE(has(findings, 0, 0, "end mark"));
    EXPECT_FALSE(has(findings, 5, 0, ""));  // what follows the end mark is not a program
    // Garbage never crashes and is reported as text outside any program.
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131) & 0xFF);
    EXPECT_FALSE(checkProgramText(garbage).empty());
}
