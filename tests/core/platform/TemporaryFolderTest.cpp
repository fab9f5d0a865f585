#include "platform/TemporaryFolder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryFolder, IsMadeInTheSystemsTemporaryFolderOrNowhere) {
    TempFolder temp;
    temp.write("a-file", "x");
    struct Case {
        const char* what;
        std::optional<std::string> tmpdir;
        std::string folder;   // where it is made; empty: nowhere
        const char* problem;  // part of the problem when it is not made
    };
    const std::vector<Case> cases = {
        {"no TMPDIR", std::nullopt, "/tmp", ""},
        {"TMPDIR a folder", temp.path(), temp.path(), ""},
        {"TMPDIR with a trailing slash", temp.path() + "/", temp.path(), ""},
        {"a relative TMPDIR would be the current folder", ".", "/tmp", ""},
        {"TMPDIR missing", "/nonexistent", "", "cannot make a temporary folder in /nonexistent: No such file"},
        {"TMPDIR a file", temp.file("a-file"), "", "Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScopedEnv tmpdir("TMPDIR", c.tmpdir ? c.tmpdir->c_str() : nullptr);
        std::string made;
        {
            const TemporaryFolder folder("vantrel-test-");
            made = folder.path();
            EXPECT_EQ(folder.made(), !c.folder.empty());
            if (c.folder.empty()) {
                EXPECT_EQ(made, "");
                EXPECT_NE(folder.problem().find(c.problem), std::string::npos) << folder.problem();
                continue;
            }
            EXPECT_EQ(made.rfind(c.folder + "/vantrel-test-", 0), 0u) << made;
            EXPECT_TRUE(fs::is_directory(made));
            fs::create_directories(made + "/inner");
            std::ofstream(made + "/inner/file") << "x";
        }
        EXPECT_FALSE(fs::exists(made));  // removed with everything in it
    }
}

}  // namespace
}  // namespace vantrel
