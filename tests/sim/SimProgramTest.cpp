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

#include "SimProcess.h"
#include "SimTestSupport.h"
#include "data/DefaultImage.h"

using namespace vantrel;
using namespace vantrel::simtest;

namespace {

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
