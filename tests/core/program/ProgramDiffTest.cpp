#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/ProgramDiff.h"

namespace vantrel {
namespace {

// Steps written as one character each: a letter is a step of its own, the
// digits are lines that test what makes two steps the same.
std::string stepLine(char c) {
    switch (c) {
    case '1': return "  \tINC\tMa";       // step a with blanks before it
    case '2': return "L001\tINC\tMa";     // step a with a label
    case '3': return "\tINC\tMa\t;note";  // step a with a comment
    case '4': return "\tFOO\tx";          // undefined commands
    case '5': return "\tBAR\tx";
    case '6': return " \t ";              // a blank step
    default: return std::string("\tINC\tM") + c;
    }
}

struct Program {
    int number;
    std::string name;
    std::string steps;  // one character per step line (stepLine)
};
using Programs = std::vector<Program>;

ProgramStore storeOf(const Programs& programs) {
    std::string text;
    for (const Program& p : programs) {
        text += "\tPROG\t#" + std::to_string(1000 + p.number).substr(1) + (p.name.empty() ? "" : "\t;" + p.name) + "\r\n";
        for (char c : p.steps) text += stepLine(c) + "\r\n";
    }
    ProgramStore store;
    EXPECT_TRUE(store.loadText(text));
    store.scanDirectory();
    return store;
}

std::string stepsOf(const Programs& programs, int number) {
    for (const Program& p : programs)
        if (p.number == number) return p.steps;
    return {};
}

// "#1 changed @-2,3+2,4: =cc -d +X =ee": each program, each hunk with its starts
// and counts, each step as the character that wrote it (a kept step twice:
// in the old and in the new program).
std::string summary(const std::vector<ProgramChange>& changes, const Programs& from, const Programs& to) {
    static const char* const kKinds[] = {"added", "removed", "changed"};
    auto at = [](const std::string& steps, int i) { return std::string(1, steps.at(static_cast<std::size_t>(i))); };
    std::string out;
    for (const ProgramChange& change : changes) {
        const std::string a = stepsOf(from, change.number);
        const std::string b = stepsOf(to, change.number);
        out += " #" + std::to_string(change.number) + " " + kKinds[static_cast<int>(change.kind)] +
               (change.renamed ? " renamed" : "");
        for (const StepHunk& h : change.hunks) {
            out += " @-" + std::to_string(h.oldStart) + "," + std::to_string(h.oldCount) + "+" +
                   std::to_string(h.newStart) + "," + std::to_string(h.newCount) + ":";
            for (const StepDiffLine& l : h.lines) {
                if (l.kind == StepDiffLine::Kind::Same) out += " =" + at(a, l.oldStep) + at(b, l.newStep);
                if (l.kind == StepDiffLine::Kind::Removed) out += " -" + at(a, l.oldStep);
                if (l.kind == StepDiffLine::Kind::Added) out += " +" + at(b, l.newStep);
            }
        }
    }
    return out.empty() ? out : out.substr(1);
}

TEST(ProgramDiff, StepsMatchByContentInHunksWithContext) {
    struct Case {
        const char* what;
        Programs from;
        Programs to;
        int context;
        const char* expected;
    };
    const Case cases[] = {
        {"same steps: other section order, blanks before a line", {{1, "Main", "abc"}, {2, "Sub", "de"}},
         {{2, "Sub", "de"}, {1, "Main", "1bc"}}, 3, ""},
        {"one inserted step is one added step, the steps after it are not changed", {{1, "", "abcdefghij"}},
         {{1, "", "abcdeXfghij"}}, 3, "#1 changed @-2,6+2,7: =cc =dd =ee +X =ff =gg =hh"},
        {"a changed step is the old step removed and the new one added", {{1, "", "abcde"}}, {{1, "", "abXde"}}, 1,
         "#1 changed @-1,3+1,3: =bb -c +X =dd"},
        {"changes 2 x context apart share a hunk", {{1, "", "abcdefgh"}}, {{1, "", "aXcdYfgh"}}, 1,
         "#1 changed @-0,6+0,6: =aa -b +X =cc =dd -e +Y =ff"},
        {"changes further apart are two hunks", {{1, "", "abcdefghi"}}, {{1, "", "aXcdeYghi"}}, 1,
         "#1 changed @-0,3+0,3: =aa -b +X =cc @-4,3+4,3: =ee -f +Y =gg"},
        {"all steps replaced: removed first, then added", {{1, "", "abc"}}, {{1, "", "xyz"}}, 3,
         "#1 changed @-0,3+0,3: -a -b -c +x +y +z"},
        {"a moved step", {{1, "", "abcd"}}, {{1, "", "bcda"}}, 3, "#1 changed @-0,4+0,4: -a =bb =cc =dd +a"},
        {"label, comment and keyword make steps differ; blank steps compare as they stand", {{1, "", "xa46ay"}},
         {{1, "", "x2563y"}}, 0, "#1 changed @-1,2+1,2: -a -4 +2 +5 @-4,1+4,1: -a +3"},
        {"programs added, removed and renamed", {{1, "Main", "ab"}, {5, "Old", "c"}, {100, "", "d"}},
         {{1, "Main2", "ab"}, {7, "New", "ef"}, {9, "", ""}, {100, "", "d"}}, 3,
         "#1 changed renamed #5 removed @-0,1+0,0: -c #7 added @-0,0+0,2: +e +f #9 added"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(summary(diffPrograms(storeOf(c.from), storeOf(c.to), c.context), c.from, c.to), c.expected);
    }
}

}  // namespace
}  // namespace vantrel
