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

// Each kind remembers where it was last saved or read; restored work is from
// no file where it differs from the files, and keeps its file where it does not.
TEST(UnsavedWork, RestoredWorkIsFromNoFileOnlyWhereItDiffers) {
    using Kind = UnsavedWork::Origin::Kind;
    SettingsImage image;
    const std::string text = "\tPROG\t#100\r\n";
    UnsavedWork work(image, text);
    work.settingsSavedOrRead(image, {Kind::File, "/a.bin"});
    work.programsSavedOrRead(text, {Kind::Defaults, "/Ncstepini.sys"});
    image.setU8(10, 1);  // the recovery copy's settings differ, its programs do not
    work.restored(image, text);
    EXPECT_EQ(work.settingsOrigin(), (UnsavedWork::Origin{Kind::Recovered, {}}));
    EXPECT_EQ(work.programsOrigin(), (UnsavedWork::Origin{Kind::Defaults, "/Ncstepini.sys"}));
}

}  // namespace
}  // namespace vantrel
