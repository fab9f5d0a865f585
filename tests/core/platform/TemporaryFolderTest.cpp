#include "platform/TemporaryFolder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace vantrel {
namespace {

TEST(TemporaryFolder, IsMadeInTheSystemsTemporaryFolderOrNowhere) {
    SKIP_WITHOUT_XDG();
    TempFolder temp;
    temp.write("a-file", "x");
    struct Case {
        std::optional<std::string> tmpdir;
        std::string folder;  // where it is made; empty: nowhere, and the problem says this
        std::string problem;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "/tmp", ""},
        {temp.path() + "/", temp.path(), ""},
        {".", "/tmp", ""},  // relative: it would be the current folder
        {"/nonexistent", "", "cannot make a temporary folder in /nonexistent: No such file or directory"},
        {temp.file("a-file"), "", "Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tmpdir.value_or("unset"));
        const ScopedEnv tmpdir("TMPDIR", c.tmpdir ? c.tmpdir->c_str() : nullptr);
        std::string made;
        {
            const TemporaryFolder folder("vantrel-test-");
            made = folder.path();
            EXPECT_NE(folder.problem().find(c.problem), std::string::npos) << folder.problem();
            EXPECT_EQ(made.rfind(c.folder + "/vantrel-test-", 0), c.folder.empty() ? std::string::npos : 0u) << made;
            if (folder.made()) std::ofstream(made + "/file") << "x";
        }
        EXPECT_FALSE(std::filesystem::exists(made + "/file"));  // removed with everything in it
    }
}

}  // namespace
}  // namespace vantrel
