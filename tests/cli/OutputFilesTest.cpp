// The tool's output files: all of them or none.

#include <gtest/gtest.h>

#include "FileSizeLimit.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "OutputFiles.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OutputFiles, AllOfThemOrNone) {
    const std::string settings(172828, 'S');
    const std::string programs(5000, 'P');
    struct Case {
        const char* what;
        // Stages and commits; true when the outputs were put in place.
        std::function<bool(OutputFiles&, const std::string& a, const std::string& b, std::string& problem)> write;
        bool written;
        const char* problem;
    };
    const Case cases[] = {
        {"both written",
         [&](OutputFiles& out, const std::string& a, const std::string& b, std::string& problem) {
             return out.stage(a, settings.data(), settings.size(), problem) &&
                    out.stage(b, programs.data(), programs.size(), problem) && out.commit(problem);
         },
         true, ""},
        {"the disk is full at the second",
         [&](OutputFiles& out, const std::string& a, const std::string& b, std::string& problem) {
             const test::FileSizeLimit limit(6000);
             return out.stage(b, programs.data(), programs.size(), problem) &&
                    out.stage(a, settings.data(), settings.size(), problem) && out.commit(problem);
         },
         false, "File too large"},
        {"only one was staged",
         [&](OutputFiles& out, const std::string& a, const std::string&, std::string& problem) {
             return out.stage(a, settings.data(), settings.size(), problem) && out.commit(problem);
         },
         false, "was not written"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path dir = fs::temp_directory_path() / ("vantrel-output-files-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string a = (dir / "out.bin").string(), b = (dir / "out.ncp").string();
        std::ofstream(a, std::ios::binary) << "old settings";
        std::ofstream(b, std::ios::binary) << "old programs";
        std::string problem;
        bool written;
        {
            OutputFiles out;
            ASSERT_TRUE(out.check(a, problem)) << problem;
            ASSERT_TRUE(out.check(b, problem)) << problem;
            written = c.write(out, a, b, problem);
        }
        EXPECT_EQ(written, c.written);
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        EXPECT_EQ(readAll(a), c.written ? settings : "old settings");
        EXPECT_EQ(readAll(b), c.written ? programs : "old programs");
        EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"out.bin", "out.ncp"}));  // nothing left behind
        fs::remove_all(dir);
    }
}

}  // namespace
}  // namespace vantrel::cli
