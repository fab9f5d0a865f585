#include <gtest/gtest.h>

#include <string>

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
    case '7': return ";comment line";     // no step at all
    default: return std::string("\tINC\tM") + c;
    }
}

std::string section(int number, const std::string& name, const std::string& steps) {
    std::string digits = std::to_string(1000 + number).substr(1);
    std::string text = "\tPROG\t#" + digits + (name.empty() ? "" : "\t;" + name) + "\r\n";
    for (char c : steps) text += stepLine(c) + "\r\n";
    return text;
}

ProgramStore storeOf(const std::string& text) {
    ProgramStore store;
    EXPECT_TRUE(store.loadText(text));
    store.scanDirectory();
    return store;
}

// The steps of a program as the characters that wrote them.
std::string stepChars(const std::string& text, int number) {
    std::string chars;
    const std::string header = section(number, "", "").substr(0, 10);
    std::size_t at = text.find(header);
    if (at == std::string::npos) return chars;
    at = text.find("\r\n", at) + 2;
    for (std::size_t end; at < text.size() && text.compare(at, 7, "\tPROG\t#") != 0; at = end + 2) {
        end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        for (char c : std::string("123456abcdefghijklmnopqrstuvwxyzXY"))
            if (stepLine(c) == line) chars += c;
    }
    return chars;
}

// "#001 changed @-2,3+2,4: =c -d +X =e": each program, each hunk with its
// starts and counts, each step as the character that wrote it.
std::string summary(const std::vector<ProgramChange>& changes, const std::string& from, const std::string& to) {
    static const char* kKinds[] = {"added", "removed", "changed"};
    std::string out;
    for (const ProgramChange& change : changes) {
        out += (out.empty() ? "#" : " #") + std::to_string(1000 + change.number).substr(1) + " " +
               kKinds[static_cast<int>(change.kind)] + (change.renamed ? " renamed" : "");
        const std::string a = stepChars(from, change.number);
        const std::string b = stepChars(to, change.number);
        for (const StepHunk& h : change.hunks) {
            out += " @-" + std::to_string(h.oldStart) + "," + std::to_string(h.oldCount) + "+" +
                   std::to_string(h.newStart) + "," + std::to_string(h.newCount) + ":";
            for (const StepDiffLine& line : h.lines) {
                switch (line.kind) {
                case StepDiffLine::Kind::Same:
                    out += std::string(" =") + a.at(static_cast<std::size_t>(line.oldStep)) +
                           (b.at(static_cast<std::size_t>(line.newStep)) == a[static_cast<std::size_t>(line.oldStep)]
                                ? ""
                                : "?");
                    break;
                case StepDiffLine::Kind::Removed: out += std::string(" -") + a.at(static_cast<std::size_t>(line.oldStep)); break;
                case StepDiffLine::Kind::Added: out += std::string(" +") + b.at(static_cast<std::size_t>(line.newStep)); break;
                }
            }
        }
    }
    return out;
}

TEST(ProgramDiff, StepsMatchByContentInHunksWithContext) {
    struct Case {
        const char* what;
        std::string from;
        std::string to;
        int context;
        const char* expected;
    };
    const Case cases[] = {
        {"same steps: other section order, blanks before a line, a comment line more",
         section(1, "Main", "abc") + section(2, "Sub", "de"), section(2, "Sub", "d7e") + section(1, "Main", "1bc"), 3,
         ""},
        {"one inserted step is one added step, the steps after it are not changed",
         section(1, "", "abcdefghij"), section(1, "", "abcdeXfghij"), 3, "#001 changed @-2,6+2,7: =c =d =e +X =f =g =h"},
        {"a removed first step without context", section(1, "", "abc"), section(1, "", "bc"), 0,
         "#001 changed @-0,1+0,0: -a"},
        {"a changed step is the old step removed and the new one added", section(1, "", "abcde"),
         section(1, "", "abXde"), 1, "#001 changed @-1,3+1,3: =b -c +X =d"},
        {"changes 2 x context apart share a hunk", section(1, "", "abcdefgh"), section(1, "", "aXcdYfgh"), 1,
         "#001 changed @-0,6+0,6: =a -b +X =c =d -e +Y =f"},
        {"changes further apart are two hunks", section(1, "", "abcdefghi"), section(1, "", "aXcdeYghi"), 1,
         "#001 changed @-0,3+0,3: =a -b +X =c @-4,3+4,3: =e -f +Y =g"},
        {"all steps replaced: removed first, then added", section(1, "", "abc"), section(1, "", "xyz"), 3,
         "#001 changed @-0,3+0,3: -a -b -c +x +y +z"},
        {"a moved step", section(1, "", "abcd"), section(1, "", "bcda"), 3, "#001 changed @-0,4+0,4: -a =b =c =d +a"},
        {"label, comment and keyword make steps differ; blank steps compare as they stand",
         section(1, "", "xa46ay"), section(1, "", "x2563y"), 0,
         "#001 changed @-1,2+1,2: -a -4 +2 +5 @-4,1+4,1: -a +3"},
        {"programs added, removed and renamed",
         section(1, "Main", "ab") + section(5, "Old", "c") + section(100, "", "d"),
         section(1, "Main2", "ab") + section(7, "New", "ef") + section(9, "", "") + section(100, "", "d"), 3,
         "#001 changed renamed #005 removed @-0,1+0,0: -c #007 added @-0,0+0,2: +e +f #009 added"},
        {"renamed and steps changed", section(3, "A", "ab"), section(3, "B", "abc"), 3,
         "#003 changed renamed @-0,2+0,3: =a =b +c"},
        {"only the first section of a number is read", section(1, "", "ab") + section(1, "", "cd"),
         section(1, "", "ab"), 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto changes = diffPrograms(storeOf(c.from), storeOf(c.to), c.context);
        EXPECT_EQ(summary(changes, c.from, c.to), c.expected);
    }
}

}  // namespace
}  // namespace vantrel
