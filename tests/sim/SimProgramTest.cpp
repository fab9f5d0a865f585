// The vantrel-sim program run as a separate process: it prints the port to
// choose, serves a controller there in the mode asked for, and ends cleanly on
// SIGTERM.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "data/DefaultImage.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

// A running vantrel-sim with its standard output on a pipe.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(out[1], STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            args.insert(args.begin(), VANTREL_SIM_PROGRAM);
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(VANTREL_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        output_ = out[0];
    }
    ~SimProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) close(output_);
    }
    // Reads output until `count` lines arrived or the output ends (5 s at most per read).
    std::vector<std::string> lines(std::size_t count) {
        while (std::count(text_.begin(), text_.end(), '\n') < static_cast<std::ptrdiff_t>(count)) {
            pollfd p{output_, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0) break;
            char buf[256];
            const ssize_t n = read(output_, buf, sizeof buf);
            if (n <= 0) break;
            text_.append(buf, static_cast<std::size_t>(n));
        }
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text_.find('\n', start)) != std::string::npos; start = nl + 1)
            out.push_back(text_.substr(start, nl - start));
        return out;
    }
    int waitExit() {
        int status = 0;
        waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void signal(int sig) { kill(pid_, sig); }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    bool exited_ = false;
    std::string text_;
};

Bytes exchange(const std::string& device, const Bytes& request, std::size_t replySize) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return {};
    Bytes out;
    if (write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
        std::vector<std::uint8_t> buf(replySize);
        while (out.size() < replySize) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0) break;
            const ssize_t n = read(fd, buf.data(), replySize - out.size());
            if (n <= 0) break;
            out.insert(out.end(), buf.begin(), buf.begin() + n);
        }
    }
    close(fd);
    return out;
}

TEST(SimProgram, PrintsThePortAndServesInTheModeAskedForUntilTerminated) {
    const std::string imagePath = ::testing::TempDir() + "vantrel-sim-image.bin";
    SettingsImage image = makeDefaultSettingsImage();
    TimerTable(image).setTimer(0, 4321);
    {
        std::ofstream f(imagePath, std::ios::binary);
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }
    SimProcess sim({"--mode", "auto", "--image", imagePath});
    const auto lines = sim.lines(2);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].rfind("port: pts/", 0), 0u) << lines[0];
    const std::string port = lines[0].substr(6);
    EXPECT_EQ(lines[1], "device: /dev/" + port);

    Bytes reply = exchange("/dev/" + port, identify(1), 88);
    expectReply(reply, 88, 1, 0x00);
    EXPECT_EQ(u16(reply, 82), 2) << "automatic run mode";
    reply = exchange("/dev/" + port, readValue(2, 52, 2), 48);
    expectReply(reply, 48, 2, 0x09);
    EXPECT_EQ(be(reply, 40, 2), 4321u) << "settings from the image file";

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitExit(), 0);
    std::remove(imagePath.c_str());
}

TEST(SimProgram, HelpAndBadOptions) {
    SimProcess help({"--help"});
    EXPECT_EQ(help.waitExit(), 0);
    EXPECT_NE(help.lines(1).at(0).find("usage"), std::string::npos);

    SimProcess badMode({"--mode", "fast"});
    EXPECT_EQ(badMode.waitExit(), 2);
    SimProcess badOption({"--speed"});
    EXPECT_EQ(badOption.waitExit(), 2);
    SimProcess missingFile({"--image", "/nonexistent/settings.bin"});
    EXPECT_EQ(missingFile.waitExit(), 1);
}

}  // namespace
