#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/MainWindowTitle.h"
#include "app/RecentFiles.h"

namespace vantrel {
namespace {

TEST(FilesInUse, TheTitleNamesTheFilesAndMarksUnsavedWork) {
    using Kind = UnsavedWork::Origin::Kind;
    using O = UnsavedWork::Origin;
    const O line3{Kind::File, "/home/op/line3.bin"}, main{Kind::File, "/home/op/main.ncp"};
    const O initial{Kind::Defaults, "/opt/initial.bin"}, defaults{Kind::Defaults, "/opt/Ncstepini.sys"};
    const O controller{Kind::Controller, {}}, recovered{Kind::Recovered, {}};
    const O japaneseFile{Kind::File, "/home/op/初期設定"};
    constexpr Language ja = Language::Japanese, en = Language::English;
    const std::tuple<O, bool, O, bool, Language, const char*> cases[] = {
        {initial, false, defaults, false, ja, "VANTREL - 初期設定 / Ncstepini.sys"},
        {line3, true, main, true, ja, "VANTREL - line3.bin * / main.ncp *"},
        {line3, false, main, true, ja, "VANTREL - line3.bin / main.ncp *"},
        {controller, false, controller, true, ja, "VANTREL - コントローラの設定 / コントローラのプログラム *"},
        {recovered, true, recovered, true, ja, "VANTREL - 復元した設定 * / 復元したプログラム *"},
        {{}, false, {}, false, ja, "VANTREL"},
        {{}, true, main, false, ja, "VANTREL - 無題 * / main.ncp"},
        // In English the names of work in no file change; a file keeps its own name.
        {initial, false, defaults, false, en, "VANTREL - Initial settings / Ncstepini.sys"},
        {controller, false, recovered, true, en, "VANTREL - Controller settings / Recovered programs *"},
        {{}, true, main, false, en, "VANTREL - Untitled * / main.ncp"},
        {japaneseFile, true, {}, false, en, "VANTREL - 初期設定 *"},
    };
    for (const auto& [settings, settingsUnsaved, programs, programsUnsaved, language, title] : cases)
        EXPECT_EQ(mainWindowTitle({settings, settingsUnsaved, programs, programsUnsaved, language}), title);
}

// The file used last comes first, once, four are kept; each entry is known
// as a settings or a program file and shown by its name.
TEST(FilesInUse, RecentFilesListKindAndMenuText) {
    using List = std::vector<std::string>;
    const List full = {"/a.bin", "/b.ncp", "/c.bin", "/d.ncp"};
    const std::tuple<List, const char*, List> cases[] = {
        {{}, "/a.bin", {"/a.bin"}},
        {{"/a.bin", "/b.ncp", "/c.bin"}, "/c.bin", {"/c.bin", "/a.bin", "/b.ncp"}},  // moved, not doubled
        {full, "/e.bin", {"/e.bin", "/a.bin", "/b.ncp", "/c.bin"}},
        {full, "/d.ncp", {"/d.ncp", "/a.bin", "/b.ncp", "/c.bin"}},
    };
    for (const auto& [before, added, after] : cases) EXPECT_EQ(withRecentFile(before, added), after) << added;

    const std::tuple<const char*, int, RecentFileKind, const char*> entries[] = {
        {"/home/op/line3.bin", 0, RecentFileKind::Settings, "&1 line3.bin"},
        {"/home/op/MAIN.NCP", 1, RecentFileKind::Programs, "&2 MAIN.NCP"},
        // Program files are only "ncp" or "NCP"; any other name is a settings file.
        {"/home/op/mixed.Ncp", 2, RecentFileKind::Settings, "&3 mixed.Ncp"},
        {"/home/op/x.ncp/a&b.dat", 3, RecentFileKind::Settings, "&4 a&&b.dat"},
    };
    for (const auto& [path, index, kind, text] : entries) {
        EXPECT_EQ(recentFileKind(path), kind) << path;
        EXPECT_EQ(recentFileMenuText(index, path), text) << path;
    }
}

}  // namespace
}  // namespace vantrel
