#pragma once

#include <string_view>

#include <gtest/gtest.h>

#include "core/program/ProgramTestSupport.h"
#include "data/DefaultImage.h"
#include "data/Units.h"
#include "program/CommandCode.h"
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

}  // namespace vantrel::test
