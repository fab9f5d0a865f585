#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/UnsavedWork.h"

namespace vantrel {
namespace {

TEST(UnsavedWork, SettingsAndProgramsAreUnsavedFromTheirFirstChangeUntilSavedReadOrUndone) {
    SettingsImage image;
    std::string text = "\tPROG\t#100\r\n\tEND\t\r\n";
    const SettingsImage originalImage = image;
    const std::string originalText = text;
    UnsavedWork work(image, text);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool settings;  // unsaved afterwards
        bool programs;
    };
    const std::vector<Step> steps = {
        {"as started", [] {}, false, false},
        {"a settings edit", [&] { image.setU8(1000, 7); }, true, false},
        {"a program edit", [&] { text += "\tEND\t\r\n"; }, true, true},
        {"the settings saved", [&] { work.settingsSavedOrRead(image, {}); }, false, true},
        {"the program edit undone", [&] { text = originalText; }, false, false},
        {"another program edit", [&] { text += "\tRET\t\r\n"; }, false, true},
        {"the programs read from a file", [&] { work.programsSavedOrRead(text, {}); }, false, false},
        {"the settings back as before the save: a change too", [&] { image = originalImage; }, true, false},
        {"both given up at the exit", [&] { work.dropChanges(image, text); }, false, false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(work.settingsUnsaved(image), step.settings) << step.what;
        EXPECT_EQ(work.programsUnsaved(text), step.programs) << step.what;
        EXPECT_EQ(work.anyUnsaved(image, text), step.settings || step.programs) << step.what;
    }
}

}  // namespace
}  // namespace vantrel
