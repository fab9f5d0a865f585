#include "E2eSupport.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {
std::string textOfLength(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('A' + i % 26));
    return s;
}
}  // namespace

TEST_F(LinkE2e, ProgramFileOfFortyBytesGoesInTwoPiecesAndFortyOneInThree) {
    connectEditTest();
    for (std::size_t size : {40u, 41u}) {
        const std::string text = textOfLength(size);
        writeFile(dir / "send.sys", text);
        const int before = sim.requestCount(0x03);
        const std::size_t from = events.progressCount();
        ASSERT_TRUE(thread.startProgramSend((dir / "send.sys").string()));
        ASSERT_EQ(events.waitResult(from), std::optional<int>(kDone));
        const int pieces = size == 40 ? 2 : 3;
        EXPECT_EQ(sim.requestCount(0x03) - before, pieces);
        const auto last = sim.lastRequest(0x03);
        ASSERT_GE(last.size(), 40u);
        EXPECT_EQ(last[32], pieces);                 // piece count
        EXPECT_EQ(last[34], pieces - 1);             // index of the last piece
        EXPECT_EQ(last[36], size == 40 ? 20 : 1);    // its length
        EXPECT_EQ(last.size(), size == 40 ? 60u : 41u);
        EXPECT_EQ(sim.programFile(), text);
        EXPECT_EQ(thread.lastTransferResult().status, TransferResult::kAccepted);
        ASSERT_FALSE(events.sendResults().empty());
        EXPECT_EQ(events.sendResults().back().status, TransferResult::kAccepted);
    }
}

TEST_F(LinkE2e, ProgramFileRefusedByTheControllerCarriesTheErrorValues) {
    connectEditTest();
    sim.setCompileError(ControllerSim::CompileError{3, 12, 2, 7});
    writeFile(dir / "send.sys", "BAD STEP\r\n");
    ASSERT_TRUE(thread.startProgramSend((dir / "send.sys").string()));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    const TransferResult r = thread.lastTransferResult();
    EXPECT_EQ(r.status, TransferResult::kControllerError);
    EXPECT_EQ(r.values[0], 3);
    EXPECT_EQ(r.values[1], 12);
    EXPECT_EQ(r.values[2], 2);
    EXPECT_EQ(r.values[3], 7);
}

TEST_F(LinkE2e, ProgramFileSendWithoutFinalAnswerIsACompileTimeout) {
    connectEditTest();
    link.setTimeouts(20ms, 1000ms);
    setFaults([](SimFaults& f) { f.noReply = CodeFault::always(0x03); });
    writeFile(dir / "send.sys", "X");
    ASSERT_TRUE(thread.startProgramSend((dir / "send.sys").string()));
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(thread.lastTransferResult().status, TransferResult::kUnanswered);
}

TEST_F(LinkE2e, ProgramFileThatCannotBeOpenedOrIsEmptySendsNothing) {
    connectEditTest();
    ASSERT_TRUE(thread.startProgramSend((dir / "missing.sys").string()));
    EXPECT_EQ(events.waitResult(), std::optional<int>(kFileError));
    writeFile(dir / "empty.sys", "");
    const std::size_t from = events.progressCount();
    ASSERT_TRUE(thread.startProgramSend((dir / "empty.sys").string()));
    EXPECT_EQ(events.waitResult(from), std::optional<int>(kFailed));
    EXPECT_EQ(sim.requestCount(0x03), 0);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(LinkE2e, ProgramReadWritesTheWorkingFileAndAsksForTheReload) {
    connectEditTest();
    const std::string text = "[PROGRAM 1]\r\nSTEP 1\r\n" + textOfLength(5000);
    sim.setProgramFile(text);
    ASSERT_TRUE(thread.startProgramRead());
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    EXPECT_EQ(readFile(dir / "Ncstep.sys"), text);
    EXPECT_EQ(events.programReads(), std::vector<std::string>{(dir / "Ncstep.sys").string()});
}

TEST_F(LinkE2e, ProgramReadOfTheLargestFileIsAccepted) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.announcedProgramSize = 131072; });
    sim.setProgramFile("HEAD");
    ASSERT_TRUE(thread.startProgramRead());
    ASSERT_EQ(events.waitResult(), std::optional<int>(kDone));
    const std::string file = readFile(dir / "Ncstep.sys");
    ASSERT_EQ(file.size(), 131072u);
    EXPECT_EQ(file.substr(0, 4), "HEAD");
}

TEST_F(LinkE2e, ProgramReadAnnouncingMoreThanTheControllerHoldsIsRefused) {
    connectEditTest();
    writeFile(dir / "Ncstep.sys", "OLD");
    setFaults([](SimFaults& f) { f.announcedProgramSize = 131073; });
    sim.setProgramFile("NEW");
    ASSERT_TRUE(thread.startProgramRead());
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(readFile(dir / "Ncstep.sys"), "OLD");
    EXPECT_TRUE(events.programReads().empty());
    EXPECT_TRUE(link.isOpen());
    // The link goes on polling.
    const int polls = sim.requestCount(0xAA);
    EXPECT_TRUE(RecordingEvents::eventually([&] { return sim.requestCount(0xAA) > polls + 1; }));
}

TEST_F(LinkE2e, ProgramReadWithoutSizeAnswerEndsAsNoAnswer) {
    connectEditTest();
    writeFile(dir / "Ncstep.sys", "OLD");
    setFaults([](SimFaults& f) { f.noReply = CodeFault::times(0x05, 1); });
    ASSERT_TRUE(thread.startProgramRead());
    ASSERT_EQ(events.waitResult(), std::optional<int>(kNoAnswer));
    EXPECT_EQ(readFile(dir / "Ncstep.sys"), "OLD");
}

TEST_F(LinkE2e, ProgramReadCutShortClosesTheLinkWithTheWarning) {
    connectEditTest();
    sim.setProgramFile(textOfLength(3000));
    {
        std::lock_guard g(link.lock());
        setFaults([](SimFaults& f) { f.hangUpAfterBytes = 40 + 1000; });
        ASSERT_TRUE(thread.startProgramRead());
    }
    ASSERT_EQ(events.waitResult(), std::optional<int>(kFailed));
    EXPECT_EQ(events.linkLosses(), std::vector<bool>{false});
    EXPECT_FALSE(std::filesystem::exists(dir / "Ncstep.sys"));
}
