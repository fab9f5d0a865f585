// vantrel-cli --trace: the protocol trace of a command, read back as a script
// would read it.

#include <map>

#include "CliTestSupport.h"
#include "FileSizeLimit.h"
#include "link/LinkTraceFile.h"

using namespace vantrel;
using namespace vantrel::clitest;

namespace {

// What a trace holds, per event and request code: lines and bytes.
struct TraceTally {
    std::map<std::string, std::map<int, int>> lines;                 // event -> code -> lines
    std::map<std::string, std::map<int, std::vector<long>>> bytes;  // event -> code -> n of each line
    std::vector<std::string> events;                                 // in order
    std::vector<std::string> comments;
    std::string firstFrame;
};

TraceTally readTrace(const std::string& text) {
    TraceTally t;
    std::istringstream in(text);
    double last = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("#", 0) == 0) {
            t.comments.push_back(line);
            continue;
        }
        std::istringstream fields(line);
        std::string seconds, event, code, name;
        fields >> seconds >> event;
        EXPECT_GE(std::stod(seconds), last) << line.substr(0, 80);  // in the order they happened
        last = std::stod(seconds);
        t.events.push_back(event);
        if (event != "TX" && event != "RX" && event != "RX+") continue;
        fields >> code >> name;
        std::string token;
        long n = -1;
        while (fields >> token && token != "|")
            if (token.rfind("n=", 0) == 0) n = std::stol(token.substr(2));
        long hexBytes = 0;
        while (fields >> token) ++hexBytes;
        EXPECT_EQ(hexBytes, n) << line.substr(0, 120);
        const int c = std::stoi(code, nullptr, 16);
        ++t.lines[event][c];
        t.bytes[event][c].push_back(n);
        if (t.firstFrame.empty()) t.firstFrame = line.substr(line.find(' ') + 1);
    }
    return t;
}

long sum(const std::vector<long>& v) {
    long s = 0;
    for (long x : v) s += x;
    return s;
}

}  // namespace

// The trace of a settings read holds every frame of the transfer: as many
// requests of each code as the controller saw, every reply whole, and the
// bytes they add up to.
TEST_F(CliTest, TheTraceOfASettingsReadHoldsEveryFrameOfTheTransfer) {
    const std::string program(5000, 'P');
    sim_.setProgramFile(program);
    const std::string port = serve();
    const auto r = run({"--trace", path("trace.txt"), "read-settings", "--port", port, "-o", path("out.bin"),
                        "--programs", path("out.ncp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(path("out.ncp")), program);
    server_.stop();  // the controller's counts are final

    const TraceTally t = readTrace(readFile(path("trace.txt")));
    ASSERT_EQ(t.comments.size(), 2u);
    EXPECT_EQ(t.comments[0].rfind("# vantrel link trace, started ", 0), 0u);
    ASSERT_FALSE(t.events.empty());
    EXPECT_EQ(t.events.front(), "OPEN");
    EXPECT_EQ(t.events.back(), "CLOSE");
    // The identify request, byte for byte with its check code.
    EXPECT_EQ(t.firstFrame,
              "TX 0x00 identify seq=1 len=36 n=36 | 02 01 24 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 69 18");

    // The link stops when the command ends; a status poll on its way then is
    // cut short, its reply unread (ABORT just before CLOSE), and the
    // controller, stopped right after, may not have taken it in.
    const bool lastPollCut = t.events.size() >= 2 && t.events[t.events.size() - 2] == "ABORT";
    const std::map<int, long> requestLength = {{0x00, 36}, {0x01, 40}, {0x05, 40}, {0xAA, 52}};
    long sent = 0;
    int frames = 0;
    for (const auto& [code, length] : requestLength) {
        SCOPED_TRACE(code);
        const int requests = sim_.requestCount(static_cast<std::uint8_t>(code));
        const int cut = code == 0xAA && lastPollCut ? 1 : 0;
        const int frameLines = t.lines.at("TX").at(code);
        if (cut) {
            EXPECT_TRUE(frameLines == requests || frameLines == requests + 1) << frameLines << " vs " << requests;
        } else {
            EXPECT_EQ(frameLines, requests);
        }
        EXPECT_EQ(t.lines.at("RX").at(code), frameLines - cut);  // every request answered
        for (long n : t.bytes.at("TX").at(code)) EXPECT_EQ(n, length);
        sent += frameLines * length;
        frames += frameLines;
    }
    int txLines = 0;
    for (const auto& [code, count] : t.lines.at("TX")) txLines += count;
    EXPECT_EQ(txLines, frames);  // no request of another code
    EXPECT_EQ(sum(t.bytes.at("TX").at(0x00)) + sum(t.bytes.at("TX").at(0x01)) + sum(t.bytes.at("TX").at(0x05)) +
                  sum(t.bytes.at("TX").at(0xAA)),
              sent);
    // The replies: identify, the three settings phases, the program size and file, and the polls.
    EXPECT_EQ(t.bytes.at("RX").at(0x00), std::vector<long>{88});
    EXPECT_EQ(t.bytes.at("RX").at(0x01), (std::vector<long>{40, 65536, 524320}));
    EXPECT_EQ(t.bytes.at("RX").at(0x05), (std::vector<long>{40, 32 + 5000}));
    for (long n : t.bytes.at("RX").at(0xAA)) EXPECT_EQ(n, 212);
    EXPECT_EQ(t.lines.count("RX+"), 0u);
    for (std::size_t i = 0; i < t.events.size(); ++i) {
        const std::string& e = t.events[i];
        EXPECT_TRUE(e == "OPEN" || e == "TX" || e == "RX" || e == "CLOSE" || (e == "ABORT" && i + 2 == t.events.size()))
            << e;
    }
}

TEST_F(CliTest, TheTraceFileIsCheckedBeforeTheControllerIsAsked) {
    const std::string port = serve();
    auto r = run({"--trace", path("missing/trace.txt"), "identify", "--port", port});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ファイルが開けません"), std::string::npos) << r.err;
    EXPECT_EQ(sim_.requestCount(0x00), 0);

    // A command that does not talk to a controller writes no trace, and says so.
    r = run({"--trace", path("trace.txt"), "dump", std::string(VANTREL_BIN_DIR) + "/initial.bin"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(path("trace.txt")));
    EXPECT_NE(r.err.find("no trace written"), std::string::npos) << r.err;

    r = run({"--trace"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(CliTest, ATraceThatTakesNotEvenItsHeaderLeavesNoFile) {
    LinkTraceFile trace;
    {
        const test::FileSizeLimit full(0);  // the disk is full
        EXPECT_FALSE(trace.open(path("trace.txt")));
    }
    EXPECT_EQ(trace.error(), EFBIG);
    EXPECT_FALSE(fs::exists(path("trace.txt")));
}
