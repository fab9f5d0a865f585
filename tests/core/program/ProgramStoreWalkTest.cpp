// The operations that read all programs in one walk of the text give what
// reading the programs one at a time gives, on texts whose headers a walk
// could get wrong.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/CommandCode.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"

namespace vantrel {
namespace {

// Each text is also tried with a program appended, which leaves it ending in 0x1A.
const std::vector<std::string> kTexts = {
    // A program twice (the first counts), a name with '#', labels in both.
    "\tPROG\t#001\r\nL001\tEND\t\r\n\tPROG\t#002\t;a#b\r\nL005\tRET\t\r\n\tPROG\t#001\r\nL006\tEND\t\r\n",
    // A mark without a number, and a mark inside a line that starts program 4 there.
    "\tPROG\t#0x1\r\nL010\tEND\t\r\n\tPROG\t#003\r\n\tWAIT\tT1\t;\tPROG\t#004 inside\r\nL011\tEND\t\r\n",
    // A mark right before a header, text before the first header, stray '#'.
    "L012\tEND\t\r\n\tPROG\t#\tPROG\t#005\r\n#\t#PROG\t#\r\nL013\tEND\t\r\n",
    // Numbers outside 1..255, and a last mark that is no program.
    "\tPROG\t#000\r\nL014\tEND\t\r\n\tPROG\t#256\r\n\tPROG\t#007\r\nL015\tEND\t\r\n\tPROG\t#abc\r\nL016\tEND\t\r\n",
    // Comment lines, a label on a line without TAB, and a header without line end.
    "\tPROG\t#008\r\n;L020\tEND\t\r\n//L021\r\nL022\r\n L023\tEND\t\r\n\tPROG\t#009",
    "",
};

std::vector<ProgramStore> stores() {
    std::vector<ProgramStore> out;
    for (const std::string& text : kTexts) {
        for (const bool appended : {false, true}) {
            ProgramStore store;
            EXPECT_TRUE(store.loadText(text));
            if (appended) {
                EXPECT_TRUE(store.addProgram(250));
            }
            store.scanDirectory();
            out.push_back(std::move(store));
        }
    }
    return out;
}

TEST(ProgramStoreWalk, FindAllProgramsFindsWhatFindProgramFinds) {
    for (const ProgramStore& store : stores()) {
        SCOPED_TRACE(store.text());
        const ProgramStore::SectionTable table = store.findAllPrograms();
        EXPECT_FALSE(table[0].found);
        for (int n = 1; n <= ProgramStore::kMaxProgramNumber; ++n) {
            const ProgramStore::Section one = store.findProgram(n);
            const ProgramStore::Section& walked = table[static_cast<std::size_t>(n)];
            EXPECT_EQ(walked.found, one.found) << n;
            EXPECT_EQ(walked.start, one.start) << n;
            EXPECT_EQ(walked.end, one.end) << n;
            EXPECT_EQ(walked.more, one.more) << n;
        }
    }
    // The programs the texts hold, where a walk could miss one.
    ProgramStore store = stores()[2];
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{3, 4}));
    EXPECT_EQ(store.findProgram(4).start, store.text().find("\tPROG\t#004"));
    store = stores()[4];
    EXPECT_EQ(store.directory().numbers, (std::vector<std::uint8_t>{5}));
}

TEST(ProgramStoreWalk, DeletingProgramsAtOnceEqualsDeletingThemInTurn) {
    for (const ProgramStore& original : stores()) {
        SCOPED_TRACE(original.text());
        const std::vector<std::uint8_t>& present = original.directory().numbers;
        std::vector<std::vector<std::uint8_t>> lists;
        lists.emplace_back(present.rbegin(), present.rend());
        if (!present.empty()) lists.push_back({present.back()});
        if (!present.empty()) lists.push_back({present.front()});
        std::vector<std::uint8_t> withMissing = {77};
        withMissing.insert(withMissing.end(), present.begin(), present.end());
        lists.push_back(withMissing);
        lists.push_back({0, 200});
        for (const auto& numbers : lists) {
            ProgramStore inTurn = original;
            for (const std::uint8_t n : numbers) inTurn.deleteProgramText(n);
            ProgramStore atOnce = original;
            atOnce.deletePrograms(numbers);
            EXPECT_EQ(atOnce.text(), inTurn.text());
            EXPECT_EQ(atOnce.storeClean(), inTurn.storeClean());
        }
    }
}

TEST(ProgramStoreWalk, DeletingAMissingProgramInAFullStoreAddsNoEndMark) {
    ProgramStore original;
    std::string text = "\tPROG\t#001\r\n;" + std::string(ProgramStore::kMaxTextLength - 40, 'x') + "\r\n";
    text += "\tPROG\t#002\r\n" + std::string(ProgramStore::kMaxTextLength - text.size() - 14, 'y') + "\r\n";
    ASSERT_TRUE(original.loadText(text));
    ASSERT_EQ(original.length(), ProgramStore::kMaxTextLength);
    // Program 9 is missing and comes first, while the text has no room left.
    const std::vector<std::uint8_t> numbers = {9, 1};
    ProgramStore inTurn = original;
    for (const std::uint8_t n : numbers) inTurn.deleteProgramText(n);
    ProgramStore atOnce = original;
    atOnce.deletePrograms(numbers);
    EXPECT_TRUE(atOnce.text() == inTurn.text());
    EXPECT_NE(atOnce.text().back(), '\x1A');
}

TEST(ProgramStoreWalk, LabelsInUseAllAreTheLabelsOfEveryProgramAsLoaded) {
    std::vector<ProgramStore> all = stores();
    // A program of more than 255 steps: labels beyond the 255th are not steps.
    ProgramStore longProgram;
    std::string text = "\tPROG\t#001\r\n";
    for (int i = 1; i <= 300; ++i) text += "L" + std::to_string(100 + i) + "\tEND\t\r\n";
    ASSERT_TRUE(longProgram.loadText(text + "\tPROG\t#002\r\n"));
    longProgram.scanDirectory();
    all.push_back(longProgram);

    for (ProgramStore& store : all) {
        SCOPED_TRACE(store.text());
        for (const std::uint8_t shown : {std::uint8_t{2}, store.directory().numbers.empty() ? std::uint8_t{1} : store.directory().numbers.back()}) {
            store.selectProgram(shown);
            SettingsImage image;
            const StepEditor editor(store, image, nullptr);
            StepEditor::LabelSet expected{};
            CurrentProgram program;
            for (const std::uint8_t number : store.directory().numbers) {
                store.readProgram(number, program);
                for (int i = 0; i < program.stepCount; ++i)
                    if (program.step(i).label >= 1 && program.step(i).label <= 999) expected[program.step(i).label] = true;
            }
            EXPECT_EQ(editor.labelsInUseAll(), expected);
        }
    }
    SettingsImage image;
    longProgram.selectProgram(2);
    const StepEditor editor(longProgram, image, nullptr);
    const StepEditor::LabelSet labels = editor.labelsInUseAll();
    EXPECT_TRUE(labels[355]);
    EXPECT_FALSE(labels[356]);
}

TEST(CommandKeywords, EveryKeywordReadsAsItsFirstCode) {
    for (int code = 0; code < kCommandCodeCount; ++code) {
        const std::string_view keyword = commandKeyword(code);
        if (keyword.empty()) continue;
        int first = 0;
        while (commandKeyword(first) != keyword) ++first;
        EXPECT_EQ(codeOfKeyword(keyword), first) << keyword;
    }
    for (const std::string_view other : {"MOV", "MOVEPP", "MOVE2PXX", "ABCDEFGHIJ", "move", "IN2"})
        EXPECT_EQ(codeOfKeyword(other), kCodeUndefined) << other;
    EXPECT_EQ(codeOfKeyword(std::string_view("IN\0", 3)), kCodeUndefined);
    EXPECT_EQ(codeOfKeyword(""), kCodeEmpty);
}

}  // namespace
}  // namespace vantrel
