#pragma once

#include <string_view>

#include <gtest/gtest.h>

#include "core/program/ProgramTestSupport.h"
#include "data/DefaultImage.h"
#include "data/Units.h"
#include "platform/AnsiText.h"
#include "program/CommandCode.h"
#include "program/IoNames.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"

namespace vantrel::test {

// A program store with one program, the default settings image and a step
// editor over both, as the program view holds them.
class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override { load("\tPROG\t#001\r\n\tEND\t\r\n"); }
    void load(std::string_view text) {
        ASSERT_TRUE(store.loadText(text));
        store.scanDirectory();
        store.selectProgram(1);
        steps.setSelectedRow(0);
    }
    void setUnit(int axis, std::uint8_t unit) { PulseAxisRecord(image, axis).setPositionUnit(unit); }
    std::string firstStepOperand() const { return store.current().step(0).operand; }
    std::string_view firstStepKeyword() const { return commandKeyword(store.current().step(0).code); }

    ProgramStore store;
    SettingsImage image = makeDefaultSettingsImage();
    RecordingSink sink;
    StepEditor steps{store, image, &sink};
};

// I/O names for the symbol lists: inputs a and b, outputs OUT1 and OUT10,
// timers T1..T25 in both timer groups, counters, memories M1..M25 with M23
// left out, remote inputs and outputs.
inline IoNames editorIoNames() {
    std::string text = "[IO_IN]\na\t" + utf8ToAnsi("入力a") + "\nb\tb\n"
                       "[IO_OUT]\nOUT1\to1\nOUT10\to10\n"
                       "[IO_COUNTER]\nCNTR1\tc1\nCNTR2\tc2\n[IO_COUNTER2]\nCNTR1\tc1\n[IO_COUNTER3]\nCNTR1\tc1\n"
                       "[IO_RIOIN]\nNI000\tr0\nNI001\tr1\n[IO_RIOOUT]\nNO000\tw0\nNO001\tw1\n";
    for (const char* section : {"[IO_TIMER]\n", "[IO_LOUT1]\n"}) {
        text += section;
        for (int t = 1; t <= 25; ++t) text += "T" + std::to_string(t) + "\tt\n";
    }
    text += "[IO_MEMORY]\n";
    for (int m = 1; m <= 25; ++m) text += (m == 23 ? std::string("\tnone") : "M" + std::to_string(m) + "\tm") + "\n";
    IoNames names;
    names.loadFromText(text);
    return names;
}

}  // namespace vantrel::test
