// The ports a command is given and the files made for each.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "PortList.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;

TEST(PortList, TakesThePortsAndNamesAFileForEach) {
    const fs::path list = fs::temp_directory_path() / ("vantrel-ports-" + std::to_string(::getpid()) + ".txt");
    const fs::path one = fs::path(list).replace_extension(".one");
    const fs::path noPorts = fs::path(list).replace_extension(".none");
    std::ofstream(list) << "# the line\n  pts/4 \t# press\n\nttyUSB0\r\n";
    std::ofstream(one) << "pts/9";
    std::ofstream(noPorts) << "# nothing here\n\n";
    struct Case {
        const char* what;
        Words words;
        std::vector<std::string> ports;  // empty: refused
        bool several;
        const char* problem;
    };
    const Case cases[] = {
        {"one port", {"--port", "pts/3", "-o", "a.bin"}, {"pts/3"}, false, ""},
        {"none", {"-o", "a.bin"}, {}, false, ""},
        {"repeated", {"--port", "pts/3", "x", "--port", "pts/5"}, {"pts/3", "pts/5"}, true, ""},
        {"a file after the options", {"--ports-from", list.string(), "--port", "pts/3"}, {"pts/3", "pts/4", "ttyUSB0"}, true, ""},
        {"a file of one is a line", {"--ports-from", one.string()}, {"pts/9"}, true, ""},
        {"a file without ports", {"--ports-from", noPorts.string()}, {}, false, "names no port"},
        {"a port twice", {"--port", "pts/3", "--port", "pts/3"}, {}, false, "port pts/3 is named twice"},
        {"the same file name", {"--port", "pts/3", "--port", "pts_3"}, {}, false, "come to the same file name part pts_3"},
        {"no value", {"--port", "pts/3", "--port"}, {}, false, "option --port needs a value"},
        {"no file", {"--ports-from", "/nonexistent/ports"}, {}, false, "cannot read the ports file /nonexistent/ports"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Words rest;
        std::string problem;
        const auto taken = PortList::take(c.words, rest, problem);
        if (*c.problem) {
            EXPECT_FALSE(taken);
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
            continue;
        }
        ASSERT_TRUE(taken) << problem;
        EXPECT_EQ(taken->ports(), c.ports);
        EXPECT_EQ(taken->severalAtOnce(), c.several);
        for (const std::string& w : rest) EXPECT_TRUE(w != "--port" && w != "--ports-from" && w != "pts/3");
    }
    for (const fs::path& file : {list, one, noPorts}) fs::remove(file);

    const std::pair<const char*, const char*> files[] = {
        {"line.bin", "line-pts_3.bin"},
        {"backups/line.v2.bin", "backups/line.v2-pts_3.bin"},
        {"line", "line-pts_3"},
        {"{port}/settings-{port}.bin", "pts_3/settings-pts_3.bin"},
    };
    for (const auto& [pattern, file] : files) EXPECT_EQ(PortList::fileFor(pattern, "pts/3"), file) << pattern;
    EXPECT_EQ(PortList::fileSafe("COM3"), "COM3");
    EXPECT_EQ(PortList::fileSafe("a:b\\c d.-_é"), "a_b_c_d.-___");
}

}  // namespace
}  // namespace vantrel::cli
