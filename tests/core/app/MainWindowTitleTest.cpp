#include <gtest/gtest.h>

#include "app/MainWindowTitle.h"

namespace vantrel {
namespace {

using Kind = UnsavedWork::Origin::Kind;

TEST(MainWindowTitle, NamesTheFilesInUseAndMarksUnsavedWork) {
    struct Case {
        const char* what;
        UnsavedWork::Origin settings;
        bool settingsUnsaved;
        UnsavedWork::Origin programs;
        bool programsUnsaved;
        const char* title;
    };
    const UnsavedWork::Origin line3{Kind::File, "/home/op/machines/line3.bin"};
    const UnsavedWork::Origin main{Kind::File, "/home/op/main.ncp"};
    const UnsavedWork::Origin defaults{Kind::Defaults, "/opt/vantrel/Ncstepini.sys"};
    const UnsavedWork::Origin initial{Kind::Defaults, "/opt/vantrel/initial.bin"};
    const Case cases[] = {
        {"as started", initial, false, defaults, false, "VANTREL - 初期設定 / Ncstepini.sys"},
        {"both files, both changed", line3, true, main, true, "VANTREL - line3.bin * / main.ncp *"},
        {"only the programs changed", line3, false, main, true, "VANTREL - line3.bin / main.ncp *"},
        {"read from the controller", {Kind::Controller, {}}, false, {Kind::Controller, "/data/Ncstep.sys"}, true,
         "VANTREL - コントローラの設定 / コントローラのプログラム *"},
        {"restored after a crash", {Kind::Recovered, {}}, true, {Kind::Recovered, {}}, true,
         "VANTREL - 復元した設定 * / 復元したプログラム *"},
        {"nothing yet", {}, false, {}, false, "VANTREL"},
        {"nothing yet, then changed", {}, true, main, false, "VANTREL - 無題 * / main.ncp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mainWindowTitle({c.settings, c.settingsUnsaved, c.programs, c.programsUnsaved}), c.title) << c.what;
}

}  // namespace
}  // namespace vantrel
