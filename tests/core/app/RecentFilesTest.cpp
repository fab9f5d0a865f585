#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecentFiles.h"

namespace vantrel {
namespace {

using List = std::vector<std::string>;

TEST(RecentFiles, TheFileUsedLastComesFirstOnceAndFourAreKept) {
    struct Case {
        List before;
        const char* added;
        List after;
    };
    const Case cases[] = {
        {{}, "/a.bin", {"/a.bin"}},
        {{"/a.bin", "/b.ncp"}, "/c.bin", {"/c.bin", "/a.bin", "/b.ncp"}},
        {{"/a.bin", "/b.ncp", "/c.bin"}, "/c.bin", {"/c.bin", "/a.bin", "/b.ncp"}},  // moved, not doubled
        {{"/a.bin", "/b.ncp", "/c.bin", "/d.ncp"}, "/e.bin", {"/e.bin", "/a.bin", "/b.ncp", "/c.bin"}},
        {{"/a.bin", "/b.ncp", "/c.bin", "/d.ncp"}, "/d.ncp", {"/d.ncp", "/a.bin", "/b.ncp", "/c.bin"}},
    };
    for (const Case& c : cases) EXPECT_EQ(withRecentFile(c.before, c.added), c.after) << c.added;
}

TEST(RecentFiles, KindAndMenuText) {
    struct Case {
        const char* path;
        int index;
        RecentFileKind kind;
        const char* menuText;
    };
    const Case cases[] = {
        {"/home/op/line3.bin", 0, RecentFileKind::Settings, "&1 line3.bin"},
        {"/home/op/main.ncp", 1, RecentFileKind::Programs, "&2 main.ncp"},
        {"/home/op/MAIN.NCP", 2, RecentFileKind::Programs, "&3 MAIN.NCP"},
        // Program files are only "ncp" or "NCP"; any other name is a settings file.
        {"/home/op/mixed.Ncp", 3, RecentFileKind::Settings, "&4 mixed.Ncp"},
        {"/home/op/ncp/a&b.dat", 0, RecentFileKind::Settings, "&1 a&&b.dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(recentFileKind(c.path), c.kind) << c.path;
        EXPECT_EQ(recentFileMenuText(c.index, c.path), c.menuText) << c.path;
    }
}

}  // namespace
}  // namespace vantrel
