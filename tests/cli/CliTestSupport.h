#pragma once

// The command-line tool run as a separate process, against a simulated
// controller the test serves on a pseudo-terminal.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/DefaultImage.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace vantrel::clitest {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vantrel-cli-test-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        server_.stop();
        fs::remove_all(dir_);
    }

    // The simulator with the default settings and one network driver, at slave 5.
    void loadDriverAtSlave5() {
        SettingsImage image = makeDefaultSettingsImage();
        NetworkDriverRecord(image, 4).setModel(2);
        sim_.loadSettingsImage(image);
    }

    std::string serve() {
        EXPECT_TRUE(server_.start()) << server_.errorText();
        return server_.portName();
    }

    // Runs the tool with the link's time-outs and pauses twenty times shorter,
    // so that a controller that stays silent costs a fraction of a second per read.
    CliRun runFast(const std::vector<std::string>& args) { return run(args, "VANTREL_CLI_LINK_TIME_DIVISOR=20 "); }

    CliRun run(const std::vector<std::string>& args, const std::string& environment = {}) {
        // The tool speaks the locale's language; these tests read its Japanese.
        std::string command = "LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 " + environment + quote(VANTREL_CLI);
        for (const auto& a : args) command += " " + quote(a);
        const auto out = dir_ / "stdout.txt";
        const auto err = dir_ / "stderr.txt";
        command += " >" + quote(out.string()) + " 2>" + quote(err.string()) + " </dev/null";
        CliRun r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readFile(out);
        r.err = readFile(err);
        return r;
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    // What is in the test's folder besides the captured output, sorted.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            const std::string name = entry.path().filename().string();
            if (name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
    ControllerSim sim_;
    PtyServer server_{sim_};
};

}  // namespace vantrel::clitest
