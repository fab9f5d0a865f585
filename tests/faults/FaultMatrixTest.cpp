// Every controller operation against every way the controller can misbehave:
// silence, a reply to another request, a reply cut short, a device that is not
// the controller, and a line that hangs up at the start, in the middle and at
// the end of the exchange. The real link thread talks to the simulated
// controller over a pseudo-terminal. Each case checks the result and the
// message the user is shown, whether the link reported its loss, that no file
// and no settings image is left half-written, that nothing waits longer than
// the link's own bounds, and that a following identify works.
//
// One table, one loop; the loop runs in shards (one test per shard), so that
// the shards run side by side.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "E2eSupport.h"
#include "app/TransactionMessages.h"
#include "program/ProgramCompile.h"
#include "program/ProgramFiles.h"
#include "program/ProgramStore.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {

enum class Op {
    Identify, StatusPoll, ValueWrite, AxisWrite, SettingsRead, SettingsWrite,
    ProgramRead, ProgramSend, Flash, Initialise, AlarmRecord, Jog,
};
enum class Fault { NoReply, OtherSequence, ShortReply, NotMain, HangUpAtStart, HangUpInTheMiddle, HangUpAtEnd };
// The link-lost handling the case ends with: none; silent; with the USB
// warning while the operation runs, which it ends (a failed send or bulk
// read: the warning comes before the result); with the warning at the
// exchange after the operation (after its result).
enum class Loss { None, Silent, Warning, WarningAfter };

// Results of the operations that end without a progress result (the status
// poll, single values, alarm record, JOG): whether the link took the
// controller's answer.
constexpr int kNotTaken = 0;
constexpr int kTaken = 1;

struct Case {
    Op op;
    Fault fault;
    // The progress result; the connection result for identify and for a
    // controller that is not MAIN (then the operation cannot start); kTaken or
    // kNotTaken for the single exchanges.
    int result;
    const char* message;  // what the user is shown for it ("" nothing)
    Loss loss;
};

constexpr Loss N = Loss::None, S = Loss::Silent, W = Loss::Warning, A = Loss::WarningAfter;
constexpr Fault kNoReply = Fault::NoReply, kOtherSequence = Fault::OtherSequence, kShort = Fault::ShortReply,
                kNotMain = Fault::NotMain, kHangStart = Fault::HangUpAtStart, kHangMiddle = Fault::HangUpInTheMiddle,
                kHangEnd = Fault::HangUpAtEnd;

const Case kCases[] = {
    // The identify takes any sequence; everything else that fails it closes the port silently.
    {Op::Identify, kNoReply, kNoController, "接続出来ませんでした", S},
    {Op::Identify, kOtherSequence, kEditTestMode, "", N},
    {Op::Identify, kShort, kNoController, "接続出来ませんでした", S},
    {Op::Identify, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::Identify, kHangStart, kNoController, "接続出来ませんでした", S},
    {Op::Identify, kHangMiddle, kNoController, "接続出来ませんでした", S},
    {Op::Identify, kHangEnd, kEditTestMode, "", A},
    // A poll that is not answered right leaves the status as it was.
    {Op::StatusPoll, kNoReply, kNotTaken, "", N},
    {Op::StatusPoll, kOtherSequence, kNotTaken, "", N},
    {Op::StatusPoll, kShort, kNotTaken, "", N},
    {Op::StatusPoll, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::StatusPoll, kHangStart, kNotTaken, "", A},
    {Op::StatusPoll, kHangMiddle, kNotTaken, "", A},
    {Op::StatusPoll, kHangEnd, kTaken, "", A},
    // An unanswered value write goes back into its queue and is sent again;
    // the writes take a reply that carries their sequence, however short.
    {Op::ValueWrite, kNoReply, kNotTaken, "", N},
    {Op::ValueWrite, kOtherSequence, kNotTaken, "", N},
    {Op::ValueWrite, kShort, kTaken, "", N},
    {Op::ValueWrite, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::ValueWrite, kHangStart, kNotTaken, "", A},
    {Op::ValueWrite, kHangMiddle, kNotTaken, "", A},
    {Op::ValueWrite, kHangEnd, kTaken, "", A},
    {Op::AxisWrite, kNoReply, kNotTaken, "", N},
    {Op::AxisWrite, kOtherSequence, kNotTaken, "", N},
    {Op::AxisWrite, kShort, kTaken, "", N},
    {Op::AxisWrite, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::AxisWrite, kHangStart, kNotTaken, "", A},
    {Op::AxisWrite, kHangMiddle, kTaken, "", A},
    {Op::AxisWrite, kHangEnd, kTaken, "", A},
    // A missing head leaves the image and still reads the programs; the
    // settings read checks no sequence.
    {Op::SettingsRead, kNoReply, kProgressDone, "読込完了しました。", N},
    {Op::SettingsRead, kOtherSequence, kProgressDone, "読込完了しました。", N},
    {Op::SettingsRead, kShort, kProgressDone, "読込完了しました。", N},
    {Op::SettingsRead, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::SettingsRead, kHangStart, kProgressFailed, "読込中断しました。", W},
    {Op::SettingsRead, kHangMiddle, kProgressFailed, "読込中断しました。", W},
    {Op::SettingsRead, kHangEnd, kProgressDone, "読込完了しました。", A},
    // Area 1 unanswered ends with "no answer"; a hang-up while the blocks go
    // out (part of a frame written) is a lost link.
    {Op::SettingsWrite, kNoReply, kProgressNoAnswer, "送信中断しました。", N},
    {Op::SettingsWrite, kOtherSequence, kProgressNoAnswer, "送信中断しました。", N},
    {Op::SettingsWrite, kShort, kProgressNoAnswer, "送信中断しました。", N},
    {Op::SettingsWrite, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::SettingsWrite, kHangStart, kProgressFailed, "送信中断しました。", W},
    {Op::SettingsWrite, kHangMiddle, kProgressFailed, "送信中断しました。", W},
    {Op::SettingsWrite, kHangEnd, kProgressDone, "送信完了しました。", A},
    // The program read checks no sequence either.
    {Op::ProgramRead, kNoReply, kProgressNoAnswer, "ファイル読込に失敗しました。", N},
    {Op::ProgramRead, kOtherSequence, kProgressDone, "", N},
    {Op::ProgramRead, kShort, kProgressNoAnswer, "ファイル読込に失敗しました。", N},
    {Op::ProgramRead, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::ProgramRead, kHangStart, kProgressNoAnswer, "ファイル読込に失敗しました。", A},
    {Op::ProgramRead, kHangMiddle, kProgressFailed, "ファイル読込に失敗しました。", W},
    {Op::ProgramRead, kHangEnd, kProgressDone, "", A},
    // Without the final answer the link's own verdict is the compile time-out.
    {Op::ProgramSend, kNoReply, kProgressDone, "コンパイルタイムアウト", N},
    {Op::ProgramSend, kOtherSequence, kProgressDone, "コンパイルタイムアウト", N},
    {Op::ProgramSend, kShort, kProgressDone, "コンパイルタイムアウト", N},
    {Op::ProgramSend, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::ProgramSend, kHangStart, kProgressFailed, "ファイルサイズが0バイトです", W},
    {Op::ProgramSend, kHangMiddle, kProgressFailed, "ファイルサイズが0バイトです", W},
    {Op::ProgramSend, kHangEnd, kProgressDone, "コンパイル完了", A},
    {Op::Flash, kNoReply, kProgressFailed, "書込失敗しました。", N},
    {Op::Flash, kOtherSequence, kProgressFailed, "書込失敗しました。", N},
    {Op::Flash, kShort, kProgressFailed, "書込失敗しました。", N},
    {Op::Flash, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::Flash, kHangStart, kProgressFailed, "書込失敗しました。", W},
    {Op::Flash, kHangMiddle, kProgressFailed, "書込失敗しました。", W},
    {Op::Flash, kHangEnd, kProgressDone, "正常に書き込みました", A},
    // The initialise is done when 36 bytes arrive, whatever their sequence.
    {Op::Initialise, kNoReply, kProgressFailed, "初期化中止しました。", N},
    {Op::Initialise, kOtherSequence, kProgressDone, "初期化完了しました。", N},
    {Op::Initialise, kShort, kProgressFailed, "初期化中止しました。", N},
    {Op::Initialise, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::Initialise, kHangStart, kProgressFailed, "初期化中止しました。", A},
    {Op::Initialise, kHangMiddle, kProgressFailed, "初期化中止しました。", A},
    {Op::Initialise, kHangEnd, kProgressDone, "初期化完了しました。", A},
    {Op::AlarmRecord, kNoReply, kNotTaken, "", N},
    {Op::AlarmRecord, kOtherSequence, kNotTaken, "", N},
    {Op::AlarmRecord, kShort, kNotTaken, "", N},
    {Op::AlarmRecord, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::AlarmRecord, kHangStart, kNotTaken, "", A},
    {Op::AlarmRecord, kHangMiddle, kNotTaken, "", A},
    {Op::AlarmRecord, kHangEnd, kTaken, "", A},
    {Op::Jog, kNoReply, kNotTaken, "", N},
    {Op::Jog, kOtherSequence, kNotTaken, "", N},
    {Op::Jog, kShort, kNotTaken, "", N},
    {Op::Jog, kNotMain, kNoController, "接続出来ませんでした", S},
    {Op::Jog, kHangStart, kNotTaken, "", A},
    {Op::Jog, kHangMiddle, kNotTaken, "", A},
    {Op::Jog, kHangEnd, kTaken, "", A},
};

constexpr int kShards = 6;

// Where the line hangs up: at the n-th request of the operation's code (or
// of `code` when given), after that many bytes of its reply.
struct HangUp {
    int request;
    std::size_t replyBytes;
    int code = -1;
};

// The request code each operation's faults aim at, the length of its (first)
// reply and where it hangs up.
struct OpTraits {
    const char* name;
    std::uint8_t code;
    std::size_t replyLength;
    HangUp start, middle, end;
};

// A program file of the largest size the controller takes, and one to read back.
constexpr std::size_t kSendSize = kMaxProgramFileSize - 1;
constexpr int kSendPieces = static_cast<int>((kSendSize + kProgramPieceSize - 1) / kProgramPieceSize);
constexpr std::size_t kReadSize = 5000;
// Settings blocks of the three areas (54, 3,625 and 5,404).
constexpr int kArea1Blocks = 54, kArea2Blocks = 3625, kArea3Blocks = 5404;
constexpr std::uint32_t kValueAddress = 52;         // timer T1, 2 bytes
constexpr std::uint32_t kAxisParameterAddress = 256;  // axis 1, offset 0 of its record
constexpr std::int32_t kJogSentinel = 0x7EADBEEF;

OpTraits traitsOf(Op op) {
    // Writes are hung up in the middle of more frames than the terminal can
    // hold, so that the link is writing when the line goes: the start of
    // area 2 and the start of the program.
    switch (op) {
        case Op::Identify: return {"identify", 0x00, 88, {1, 0}, {1, 44}, {1, 88}};
        case Op::StatusPoll: return {"status poll", 0xAA, 212, {1, 0}, {1, 106}, {1, 212}};
        // The value write's exchange ends with its read-back (0x09).
        case Op::ValueWrite: return {"value write", 0x07, 48, {1, 0}, {1, 48}, {1, 48, 0x09}};
        case Op::AxisWrite: return {"pulse-axis write", 0x0D, 48, {1, 0}, {1, 24}, {1, 48}};
        // The settings read ends with the program read it leads into.
        case Op::SettingsRead:
            return {"settings read", 0x01, 40, {1, 0}, {2, 30000}, {2, kBulkHeadSize + kReadSize, 0x05}};
        case Op::SettingsWrite:
            return {"settings write", 0x15, 60, {kArea1Blocks + 1, 0}, {kArea1Blocks + kArea2Blocks / 2, 0},
                    {kArea1Blocks + kArea2Blocks + kArea3Blocks, 60}};
        case Op::ProgramRead: return {"program read", 0x05, 40, {1, 0}, {2, 32 + kReadSize / 2}, {2, 32 + kReadSize}};
        case Op::ProgramSend: return {"program send", 0x03, 60, {1, 0}, {kSendPieces / 2, 0}, {kSendPieces, 60}};
        case Op::Flash: return {"FLASH write", 0xC1, 60, {1, 0}, {2, 30}, {3, 60}};
        case Op::Initialise: return {"initialise", 0x13, 36, {1, 0}, {1, 18}, {1, 36}};
        case Op::AlarmRecord: return {"alarm record", 0x19, 44, {1, 0}, {1, 22}, {1, 44}};
        case Op::Jog: return {"JOG", 0x0B, 48, {1, 0}, {1, 24}, {1, 48}};
    }
    return {};
}

const char* faultName(Fault f) {
    switch (f) {
        case Fault::NoReply: return "no reply";
        case Fault::OtherSequence: return "another sequence";
        case Fault::ShortReply: return "short reply";
        case Fault::NotMain: return "not MAIN";
        case Fault::HangUpAtStart: return "hang-up at the start";
        case Fault::HangUpInTheMiddle: return "hang-up in the middle";
        case Fault::HangUpAtEnd: return "hang-up at the end";
    }
    return "";
}

// The operations that end with a progress result (the others have none of their own).
bool endsWithProgress(Op op) {
    return op == Op::SettingsRead || op == Op::SettingsWrite || op == Op::ProgramRead || op == Op::ProgramSend ||
           op == Op::Flash || op == Op::Initialise;
}

bool isHangUp(Fault f) { return f == kHangStart || f == kHangMiddle || f == kHangEnd; }

// One simulated controller and one link, fresh for each case.
class Rig {
public:
    explicit Rig(const std::filesystem::path& folder) : dir(folder) {
        std::filesystem::create_directories(dir);
        // A read that gets nothing costs 150 ms instead of 3 s; the bounds
        // the cases wait with follow (LinkTiming).
        link.setTimeouts(150ms, 1000ms);
        LinkPauses pauses;
        pauses.emptyFinalRead = pauses.otherFinalReply = pauses.emptyFlashRead = 5ms;
        pauses.fileError = pauses.settingsWritten = 10ms;
        thread.setPauses(pauses);
        thread.setWorkingProgramFile((dir / "Ncstep.sys").string());
        writeFile(dir / "Ncstep.sys", "OLD");
        writeFile(dir / "send.sys", std::string(kSendSize, 'S'));
        std::string text;
        for (std::size_t i = 0; i < kReadSize; ++i) text.push_back(static_cast<char>('A' + i % 26));
        sim.setProgramFile(text);
        image = imageBefore;
        thread.start();
    }
    ~Rig() {
        thread.stop();
        link.close();
        server.stop();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::optional<int> connect() {
        if (!server.isRunning() && !server.start()) return std::nullopt;
        const std::size_t before = connections();
        if (!link.open(server.portName(), &events)) return std::nullopt;
        if (!waitActive([&] { return connections() > before; })) return std::nullopt;
        return events.waitConnection();
    }

    // Waits until `done` holds while the link shows signs of work (an event or
    // a byte either way); false when it stays quiet longer than it ever does
    // while working, or after `most` in all.
    bool waitActive(const std::function<bool()>& done, std::chrono::milliseconds most = kPatience) {
        const auto quiet = thread.timing().longestSilence();
        const auto end = std::chrono::steady_clock::now() + most;
        auto lastSign = std::chrono::steady_clock::now();
        std::uint64_t moved = bytesMoved();
        std::size_t seen = events.progressCount() + connections() + events.linkLosses().size();
        while (!done()) {
            std::this_thread::sleep_for(2ms);
            const auto now = std::chrono::steady_clock::now();
            const std::size_t eventsNow = events.progressCount() + connections() + events.linkLosses().size();
            if (bytesMoved() != moved || eventsNow != seen) {
                moved = bytesMoved();
                seen = eventsNow;
                lastSign = now;
            } else if (now - lastSign > quiet) {
                return done();
            }
            if (now > end) return done();
        }
        return true;
    }

    std::uint64_t bytesMoved() const { return link.bytesSent() + link.bytesReceived(); }
    std::size_t connections() const { return connectionCount.load(); }
    static void writeFile(const std::filesystem::path& p, const std::string& text) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::string readFile(const std::filesystem::path& p) const {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Counts connection results (RecordingEvents keeps only the last) and
    // keeps the order of ending results ('R') and link losses ('L').
    class Events : public RecordingEvents {
    public:
        explicit Events(std::atomic<std::size_t>& count) : count_(count) {}
        void connectionResult(int result) override {
            ++count_;
            RecordingEvents::connectionResult(result);
        }
        void progress(int percent, int result) override {
            if (result != kRunning) log('R');
            RecordingEvents::progress(percent, result);
        }
        void linkLost(bool silent) override {
            log('L');
            RecordingEvents::linkLost(silent);
        }
        std::string order() const {
            std::lock_guard g(orderLock_);
            return order_;
        }

    private:
        void log(char c) {
            std::lock_guard g(orderLock_);
            order_ += c;
        }
        std::atomic<std::size_t>& count_;
        mutable std::mutex orderLock_;
        std::string order_;
    };

    std::filesystem::path dir;
    ControllerSim sim;
    PtyServer server{sim};
    std::atomic<std::size_t> connectionCount{0};
    Events events{connectionCount};
    ControllerStatus status;
    RequestQueues queues;
    // Unlike the controller's everywhere a settings read stores (the
    // reserved last byte it never stores is 0 in both).
    const SettingsImage imageBefore = [] {
        SettingsImage i;
        for (std::size_t k = 0; k + 1 < i.size(); ++k) i.setU8(k, static_cast<std::uint8_t>(k * 7 + 3));
        return i;
    }();
    SettingsImage image;
    ControllerLink link{status};
    LinkThread thread{link, queues, status, image};
};

class FaultMatrix : public ::testing::TestWithParam<int> {};

// Sets the case's fault on the simulated controller.
void arm(Rig& rig, const Case& c, const OpTraits& t) {
    SimFaults f;
    switch (c.fault) {
        case Fault::NoReply: f.noReply = CodeFault::always(t.code); break;
        case Fault::OtherSequence: f.wrongSequence = CodeFault::always(t.code); break;
        case Fault::ShortReply:
            f.shortReply = CodeFault::always(t.code);
            f.shortReplyLength = t.replyLength / 2;
            break;
        case Fault::NotMain: f.identifyNotMain = true; break;
        case Fault::HangUpAtStart:
        case Fault::HangUpInTheMiddle:
        case Fault::HangUpAtEnd: {
            const HangUp h = c.fault == kHangStart ? t.start : c.fault == kHangMiddle ? t.middle : t.end;
            f.hangUpOnCode = h.code >= 0 ? h.code : t.code;
            f.hangUpAtRequest = h.request;
            f.hangUpReplyBytes = h.replyBytes;
            break;
        }
    }
    // The JOG reply's values are also in every status reply: keep the polls
    // after the JOG from being taken, so what the JOG reply brought shows.
    if (c.op == Op::Jog) {
        if (c.fault == Fault::NoReply)
            f.wrongSequence = CodeFault::always(0xAA);
        else
            f.noReply = CodeFault::always(0xAA);
    }
    rig.sim.setFaults(f);
}

// Starts the operation; call with the link lock held, so it is the link's next pass.
bool start(Rig& rig, Op op) {
    switch (op) {
        case Op::Identify: return true;  // the connect is the operation
        case Op::StatusPoll: return rig.link.isOpen();
        case Op::ValueWrite: return rig.link.isOpen() && rig.queues.pushValueWrite({kValueAddress, 2, 1234});
        case Op::AxisWrite: return rig.link.isOpen() && rig.queues.pushAxisParameterWrite({kAxisParameterAddress, 2, 777});
        case Op::SettingsRead: return rig.thread.startOperation(LinkOp::SettingsRead);
        case Op::SettingsWrite: return rig.thread.startOperation(LinkOp::SettingsWriteArea1);
        case Op::ProgramRead: return rig.thread.startProgramRead();
        case Op::ProgramSend: return rig.thread.startProgramSend((rig.dir / "send.sys").string());
        case Op::Flash: return rig.thread.startOperation(LinkOp::FlashWrite);
        case Op::Initialise: return rig.thread.startInitialise(InitialiseWhat::AllData);
        case Op::AlarmRecord: return rig.thread.startOperation(LinkOp::AlarmRead);
        case Op::Jog: {
            rig.status.axisCommandPosition[0].store(kJogSentinel);
            JogRequestRecord record;
            record.setOperation(JogRequestRecord::kStop);
            record.setAxis(0);
            return rig.link.startJog(record);
        }
    }
    return false;
}

bool hasResult(Rig& rig) { return !rig.events.results().empty(); }

// The result the case produced, in the terms of the table.
int outcome(Rig& rig, Op op, std::uint32_t statusRepliesBefore) {
    std::lock_guard g(rig.link.lock());
    switch (op) {
        case Op::StatusPoll: return rig.status.statusReplies.load() != statusRepliesBefore ? kTaken : kNotTaken;
        // Written and read back into the image.
        case Op::ValueWrite: return rig.image.u16(layout::kTimers) == 1234 ? kTaken : kNotTaken;
        // Accepted: stored into the image.
        case Op::AxisWrite: return rig.image.u16(layout::kPulseAxes) == 777 ? kTaken : kNotTaken;
        case Op::AlarmRecord: return rig.events.alarmReads() > 0 ? kTaken : kNotTaken;
        case Op::Jog: return rig.status.axisCommandPosition[0].load() != kJogSentinel ? kTaken : kNotTaken;
        default: {
            const auto results = rig.events.results();
            return results.empty() ? -1 : results.front();  // the progress window closes on the first
        }
    }
}

// Waits until the operation has run its course (and the link has noticed a
// hang-up): false when the link went quiet without.
bool waitEnd(Rig& rig, const Case& c, const OpTraits& t, int requestsBefore) {
    const bool lossExpected = c.loss == Loss::Warning || c.loss == Loss::WarningAfter;
    const auto lost = [&] { return !rig.events.linkLosses().empty(); };
    // For a single exchange: the controller has seen it (twice, for the values
    // that go back into their queue unless taken), and the link is past it.
    const int exchanges = (c.op == Op::ValueWrite || c.op == Op::AxisWrite || c.op == Op::StatusPoll) ? 2 : 1;
    const auto exchanged = [&] {
        if (c.result == kTaken && outcome(rig, c.op, 0) == kTaken) return true;
        if (rig.sim.requestCount(t.code) < requestsBefore + exchanges) return false;
        std::lock_guard g(rig.link.lock());  // the exchange in flight ends first
        return true;
    };
    // A few passes of the link, each one exchange and the longest pause.
    const LinkTiming timing = rig.thread.timing();
    const auto passes = 4 * (timing.passRunningNow() + kLoopPause);
    switch (c.op) {
        case Op::Identify: return lossExpected ? rig.waitActive(lost, passes) : true;
        case Op::StatusPoll:
        case Op::ValueWrite:
        case Op::AxisWrite:
        case Op::AlarmRecord:
        case Op::Jog: return rig.waitActive(lossExpected ? std::function<bool()>(lost) : exchanged, passes);
        default:
            return rig.waitActive([&] { return hasResult(rig) && (!lossExpected || lost()); });
    }
}

// What the user is shown for that result.
std::string messageOf(Rig& rig, Op op, int result) {
    switch (op) {
        case Op::Identify: return result == kNoController ? noControllerMessage().text : "";
        case Op::SettingsRead: return settingsReadMessage(result).text;
        case Op::SettingsWrite: return settingsWriteMessage(result).text;
        case Op::ProgramRead: return result == kProgressDone ? "" : ProgramFiles::readFailedRefusal().text;
        case Op::ProgramSend: {
            const TransferResult record = rig.thread.lastTransferResult();
            CompileResult compiled;
            compiled.status = record.status;
            std::copy(std::begin(record.values), std::end(record.values), compiled.values);
            ProgramStore store;
            CompileState state;
            return ProgramCompile::finishCompile(result, compiled, store, state).text;
        }
        case Op::Flash: return flashWriteMessage(result).text;
        case Op::Initialise:
            return result == kProgressDone ? initialiseReadMessage(kProgressDone).text : initialiseCancelledMessage().text;
        default: return "";
    }
}

}  // namespace

TEST_P(FaultMatrix, EveryOperationAgainstEveryFault) {
    const int shard = GetParam();
    for (std::size_t i = static_cast<std::size_t>(shard); i < std::size(kCases); i += kShards) {
        const Case& c = kCases[i];
        const OpTraits t = traitsOf(c.op);
        SCOPED_TRACE(std::string(t.name) + ", " + faultName(c.fault));
        Rig rig(std::filesystem::temp_directory_path() /
                ("vantrel-faults-" + std::to_string(::getpid()) + "-" + std::to_string(i)));
        ASSERT_TRUE(rig.server.start()) << rig.server.errorText();
        const SettingsImage controllerImage = rig.sim.settingsImage();

        int result = -1;
        if (c.fault == Fault::NotMain || c.op == Op::Identify) {
            arm(rig, c, t);
            const auto connection = rig.connect();
            ASSERT_TRUE(connection);
            result = *connection;
            if (c.fault == Fault::NotMain && c.op != Op::Identify) {
                // No operation can start on a port that was closed again.
                std::lock_guard g(rig.link.lock());
                EXPECT_FALSE(start(rig, c.op));
                EXPECT_EQ(rig.sim.requestCount(t.code), 0);
            } else {
                ASSERT_TRUE(waitEnd(rig, c, t, 0));
            }
        } else {
            ASSERT_EQ(rig.connect(), std::optional<int>(kEditTestMode));
            std::uint32_t repliesBefore = 0;
            int requestsBefore = 0;
            {
                std::lock_guard g(rig.link.lock());  // between two passes of the link
                repliesBefore = rig.status.statusReplies.load();
                requestsBefore = rig.sim.requestCount(t.code);
                arm(rig, c, t);
                ASSERT_TRUE(start(rig, c.op));
            }
            ASSERT_TRUE(waitEnd(rig, c, t, requestsBefore)) << "the link went quiet without ending the operation";
            result = outcome(rig, c.op, repliesBefore);
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(c.fault == Fault::NotMain ? noControllerMessage().text : messageOf(rig, c.op, result), c.message);

        // The link-lost handling: once, warned exactly when the line went.
        const std::vector<bool> expectedLosses =
            c.loss == Loss::None ? std::vector<bool>{} : std::vector<bool>{c.loss == Loss::Silent};
        EXPECT_EQ(rig.events.linkLosses(), expectedLosses);
        if (c.loss == Loss::Warning || c.loss == Loss::WarningAfter) {
            EXPECT_EQ(linkLostMessage().text, "USBが切断されました。");
        }
        if (endsWithProgress(c.op) && (c.loss == Loss::Warning || c.loss == Loss::WarningAfter)) {
            // Lost while the operation ran: the warning comes before its result.
            const std::string order = rig.events.order();
            const bool lostFirst = order.find('L') < order.find('R');
            EXPECT_EQ(lostFirst, c.loss == Loss::Warning) << order;
        }
        EXPECT_EQ(rig.link.isOpen(), c.loss == Loss::None);
        if (isHangUp(c.fault)) {
            // The controller side may still be closing when the link has given up.
            EXPECT_TRUE(RecordingEvents::eventually([&] { return rig.server.hungUp(); }));
        }

        // Nothing half-written: the working program file is as before or
        // whole, and so is the image a settings read stores into.
        {
            std::lock_guard g(rig.link.lock());
            const std::string file = rig.readFile(rig.dir / "Ncstep.sys");
            EXPECT_TRUE(file == "OLD" || file == rig.sim.programFile()) << file.size() << " bytes";
            if (c.op == Op::SettingsRead) {
                EXPECT_TRUE(rig.image == rig.imageBefore || rig.image == controllerImage);
            }
        }

        // The link recovers: with the fault gone (and the line back), the next
        // identify finds the controller.
        rig.sim.setFaults({});
        if (rig.server.hungUp()) {
            ASSERT_TRUE(rig.server.start());
        }
        EXPECT_EQ(rig.connect(), std::optional<int>(kEditTestMode));
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, FaultMatrix, ::testing::Range(0, kShards));
