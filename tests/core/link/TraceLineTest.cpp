#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/LinkTraceFile.h"
#include "link/TraceLine.h"

namespace vantrel {
namespace {

using Kind = TraceEvent::Kind;

// An identify request with sequence 1, as the link sends it.
const std::vector<std::uint8_t> kIdentify = [] {
    std::vector<std::uint8_t> f(36, 0);
    f[0] = 0x02;
    f[1] = 1;
    f[2] = 36;
    f[34] = 0x69;
    f[35] = 0x18;
    return f;
}();

TraceEvent event(Kind kind, std::uint8_t code, std::uint8_t sequence, const std::vector<std::uint8_t>* bytes,
                 std::size_t size, std::size_t wanted) {
    TraceEvent e;
    e.kind = kind;
    e.code = code;
    e.sequence = sequence;
    e.bytes = bytes ? bytes->data() : nullptr;
    e.size = size;
    e.wanted = wanted;
    return e;
}

// Every event as one line; frames carry the head their bytes state and as
// many hex bytes as n says.
TEST(TraceLine, EveryEventIsOneLineAScriptCanSplit) {
    const std::vector<std::uint8_t> statusHead = {0x02, 0x11, 0xD4, 0x00, 0xAA};
    const std::vector<std::uint8_t> oneByte = {0x02};
    TraceEvent refusedWrite = event(Kind::HungUp, 0xAA, 9, nullptr, 0, 52);
    refusedWrite.direction = TraceEvent::Direction::Write;
    refusedWrite.sizeKnown = false;
    TraceEvent cutWrite = event(Kind::TimedOut, 0x15, 200, nullptr, 20, 60);
    cutWrite.direction = TraceEvent::Direction::Write;
    TraceEvent opened = event(Kind::Opened, 0, 0, nullptr, 0, 0);
    opened.text = "/dev/pts/3";
    TraceEvent lost = event(Kind::Lost, 0, 0, nullptr, 0, 0);
    lost.text = "warning";
    struct Case {
        const char* what;
        TraceEvent event;
        std::string line;
    };
    const std::string identifyHex =
        " 02 01 24 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 69 18";
    const Case cases[] = {
        {"a request", event(Kind::Sent, 0x00, 1, &kIdentify, 36, 36),
         "1.500000 TX 0x00 identify seq=1 len=36 n=36 |" + identifyHex + "\n"},
        {"the start of a reply", event(Kind::Received, 0xAA, 17, &statusHead, 5, 212),
         "1.500000 RX 0xAA status-poll seq=17 len=212 n=5 | 02 11 D4 00 AA\n"},
        {"a reply that goes on: no head", event(Kind::ReceivedMore, 0x01, 4, &statusHead, 5, 65536),
         "1.500000 RX+ 0x01 read-settings seq=- len=- n=5 | 02 11 D4 00 AA\n"},
        {"too few bytes for a head", event(Kind::Received, 0x19, 3, &oneByte, 1, 44),
         "1.500000 RX 0x19 read-alarm-record seq=- len=- n=1 | 02\n"},
        {"a read time-out", event(Kind::TimedOut, 0xAA, 9, nullptr, 0, 212), "1.500000 TIMEOUT 0xAA status-poll seq=9 read n=0/212\n"},
        {"a hang-up in a bulk read", event(Kind::HungUp, 0x01, 4, nullptr, 30000, 524320),
         "1.500000 HANGUP 0x01 read-settings seq=4 read n=30000/524320\n"},
        {"a write the device refused", refusedWrite, "1.500000 HANGUP 0xAA status-poll seq=9 write n=?/52\n"},
        {"a write cut by its time-out", cutWrite, "1.500000 TIMEOUT 0x15 settings-block seq=200 write n=20/60\n"},
        {"a read cut by the stop", event(Kind::Aborted, 0xC1, 7, nullptr, 0, 60), "1.500000 ABORT 0xC1 flash-step seq=7 read n=0/60\n"},
        {"a code the protocol has not", event(Kind::TimedOut, 0x42, 1, nullptr, 0, 8), "1.500000 TIMEOUT 0x42 unknown seq=1 read n=0/8\n"},
        {"the port opened", opened, "1.500000 OPEN /dev/pts/3\n"},
        {"the link lost", lost, "1.500000 LOST warning\n"},
        {"the port closed", event(Kind::Closed, 0, 0, nullptr, 0, 0), "1.500000 CLOSE\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string line = formatTraceLine(1.5, c.event);
        EXPECT_EQ(line, c.line);
        // What a script reads: the bytes after "|" are as many as n says.
        const auto bar = line.find(" | ");
        if (bar != std::string::npos) {
            std::istringstream hex(line.substr(bar + 3));
            std::size_t count = 0;
            for (std::string b; hex >> b; ++count) EXPECT_EQ(b.size(), 2u);
            EXPECT_EQ(count, c.event.size);
        }
    }
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class TraceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("vantrel-trace-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

// Frames from two threads at once (the link thread and a user interface
// that loses the link) each land whole on a line of their own.
TEST_F(TraceFileTest, LinesFromTwoThreadsStayWhole) {
    LinkTraceFile trace;
    ASSERT_TRUE(trace.open(path("trace.txt")));
    constexpr int kEach = 2000;
    auto writer = [&](std::uint8_t code) {
        for (int i = 0; i < kEach; ++i) {
            TraceEvent e = event(Kind::Sent, code, static_cast<std::uint8_t>(i), &kIdentify, 36, 36);
            e.time = std::chrono::steady_clock::now();
            trace.record(e);
        }
    };
    std::thread a(writer, 0x00), b(writer, 0xAA);
    a.join();
    b.join();
    trace.close();
    TraceEvent late = event(Kind::Closed, 0, 0, nullptr, 0, 0);
    trace.record(late);  // after close: dropped
    EXPECT_EQ(trace.error(), 0);
    EXPECT_EQ(trace.lines(), 2u * kEach);
    const auto lines = linesOf(readAll(path("trace.txt")));
    ASSERT_EQ(lines.size(), 2u + 2u * kEach);  // two comment lines first
    EXPECT_EQ(lines[0].rfind("# vantrel link trace, started ", 0), 0u);
    const std::regex whole(R"(\d+\.\d{6} TX 0x(00 identify|AA status-poll) seq=1 len=36 n=36 \|( [0-9A-F]{2}){36})");
    int polls = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        ASSERT_TRUE(std::regex_match(lines[i], whole)) << lines[i];
        polls += lines[i].find("status-poll") != std::string::npos;
    }
    EXPECT_EQ(polls, kEach);
}

// A trace whose file cannot be made or written says why; what was written stays.
TEST_F(TraceFileTest, AFileThatCannotBeWrittenEndsTheTraceWithItsReason) {
    LinkTraceFile missing;
    EXPECT_FALSE(missing.open(path("no/such/folder/trace.txt")));
    EXPECT_EQ(missing.error(), ENOENT);
    EXPECT_FALSE(missing.isOpen());

    LinkTraceFile trace;
    ASSERT_TRUE(trace.open(path("trace.txt")));
#ifdef _WIN32
    GTEST_SKIP() << "a file size limit stands in for a full disk here, and Windows has none";
#else
    const std::size_t header = readAll(path("trace.txt")).size();
    // A file may not grow past what it holds: the next write fails as on a full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit reduced = old;
    reduced.rlim_cur = header;
    setrlimit(RLIMIT_FSIZE, &reduced);
    TraceEvent lost = event(Kind::Lost, 0, 0, nullptr, 0, 0);  // written at once
    lost.text = "warning";
    trace.record(lost);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(trace.error(), EFBIG);
    EXPECT_FALSE(trace.isOpen());
    trace.record(lost);  // nothing more
    EXPECT_EQ(readAll(path("trace.txt")).size(), header);
#endif
}

}  // namespace
}  // namespace vantrel
