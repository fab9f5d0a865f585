#include "link/LinkThread.h"

#include <algorithm>

#include "link/Frame.h"
#include "link/Replies.h"
#include "link/Requests.h"

namespace vantrel {
namespace {

constexpr std::uint32_t kUndroppableBits = 0xAA;  // pulse-axis entries with all these bits set are dropped when refused

constexpr std::uint8_t op(LinkOp o) { return static_cast<std::uint8_t>(o); }

}  // namespace

LinkThread::LinkThread(ControllerLink& link, RequestQueues& queues, ControllerStatus& status, SettingsImage& image)
    : link_(link), queues_(queues), status_(status), image_(image), bulk_(replyLength::kSettingsPhase2) {}

LinkThread::~LinkThread() {
    stop();
    link_.setAbortFlag(nullptr);
}

void LinkThread::start() {
    if (thread_.joinable()) return;
    stop_.store(false);
    link_.setAbortFlag(&stop_);
    thread_ = std::thread([this] { loop(); });
}

void LinkThread::stop() {
    {
        std::lock_guard guard(stateLock_);
        stop_.store(true);
    }
    wake_.notify_all();
    link_.wakeWaiters();
    if (thread_.joinable()) thread_.join();
}

bool LinkThread::isRunning() const { return thread_.joinable() && !stop_.load(); }

void LinkThread::setWorkingProgramFile(const std::string& path) {
    std::lock_guard guard(stateLock_);
    workingProgramFile_ = path;
}

std::string LinkThread::workingProgramFile() const {
    std::lock_guard guard(stateLock_);
    return workingProgramFile_;
}

bool LinkThread::startOperation(LinkOp o) { return link_.setPendingOp(o); }

bool LinkThread::startWithImage(LinkOp o, const SettingsImage& image) {
    LinkRequest r;
    r.op = op(o);
    r.image = std::make_shared<const SettingsImage>(image);
    return link_.request(std::move(r));
}

bool LinkThread::startProgramRead() {
    LinkRequest r;
    r.op = op(LinkOp::ProgramRead);
    r.filePath = workingProgramFile();
    return link_.request(std::move(r));
}

bool LinkThread::startProgramSend(const std::string& path) {
    LinkRequest r;
    r.op = op(LinkOp::ProgramSend);
    r.filePath = path;
    return link_.request(std::move(r));
}

bool LinkThread::startInitialise(InitialiseWhat what) {
    LinkRequest r;
    r.op = op(LinkOp::Initialise);
    r.initArgument = static_cast<std::uint8_t>(what);
    return link_.request(std::move(r));
}

void LinkThread::setPauses(const LinkPauses& pauses) {
    std::lock_guard guard(stateLock_);
    pauses_ = pauses;
}

LinkPauses LinkThread::pauses() const {
    std::lock_guard guard(stateLock_);
    return pauses_;
}

LinkTiming LinkThread::timing() const {
    LinkTiming timing;
    timing.readTimeout = link_.readTimeout();
    timing.writeTimeout = link_.writeTimeout();
    timing.pauses = pauses();
    return timing;
}

TransferResult LinkThread::lastTransferResult() const {
    std::lock_guard guard(stateLock_);
    return transferResult_;
}

void LinkThread::loop() {
    // Without a port there is nothing to do: sleep until one opens.
    while (!stopping() && link_.waitUntilOpen(stop_)) sleepFor(runOnce() + kLoopPause);
}

LinkThread::Milliseconds LinkThread::runOnce() {
    std::lock_guard guard(link_.lock());
    pauseAfter_ = Milliseconds(0);
    if (!link_.isOpen()) return pauseAfter_;
    if (auto request = link_.takeRequestLocked()) {
        if (request->filePath) link_.setFilePathLocked(*request->filePath);
        if (request->initArgument) link_.setInitArgumentLocked(*request->initArgument);
        if (request->jog) link_.setJogRequestLocked(*request->jog);
        if (request->image) image_ = *request->image;
        link_.setPendingOpLocked(request->op);
    }
    std::uint8_t pending = link_.pendingOpLocked();
    if (pending == op(LinkOp::Idle)) {
        if (queues_.valueWriteCount() > 0)
            pending = op(LinkOp::ValueWrite);
        else if (queues_.valueReadCount() > 0)
            pending = op(LinkOp::ValueRead);
        else if (queues_.axisParameterWriteCount() > 0)
            pending = op(LinkOp::AxisParameterWrite);
        link_.setPendingOpLocked(pending);
    }
    perform(pending);
    return pauseAfter_;
}

void LinkThread::perform(std::uint8_t pending) {
    switch (static_cast<LinkOp>(pending)) {
        case LinkOp::Identify: identify(); return;
        case LinkOp::SettingsRead: settingsRead(); return;
        case LinkOp::ProgramSend: programSend(); return;
        case LinkOp::ProgramRead: programRead(); return;
        case LinkOp::ValueWrite: valueWrite(); return;
        case LinkOp::ValueRead: valueRead(); return;
        case LinkOp::Jog: jog(); return;
        case LinkOp::AxisParameterWrite: axisParameterWrite(); return;
        case LinkOp::Initialise: initialise(); return;
        case LinkOp::SettingsWriteArea1: settingsWrite(SettingsArea::PulseAxes); return;
        case LinkOp::SettingsWriteArea2: settingsWrite(SettingsArea::Positions); return;
        case LinkOp::SettingsWriteArea3: settingsWrite(SettingsArea::Network); return;
        case LinkOp::AlarmRead: alarmRead(); return;
        case LinkOp::Idle: statusPoll(); return;
        case LinkOp::FlashWrite: flashWrite(); return;
    }
    // An unknown code sends nothing.
    setNext(LinkOp::Idle);
}

bool LinkThread::sleepFor(Milliseconds duration) {
    std::unique_lock guard(stateLock_);
    return !wake_.wait_for(guard, duration, [this] { return stop_.load(); });
}

void LinkThread::setNext(LinkOp next) {
    // After link-lost handling the port is closed and the next open starts
    // with identify; nothing to set then.
    if (link_.isOpen()) link_.setPendingOpLocked(op(next));
}

void LinkThread::finish(int percent, int result) {
    if (LinkEvents* events = link_.owner()) events->progress(percent, result);
}

void LinkThread::reportProgress(int percent, int& lastPercent) {
    // Only a changed percent is worth a message; after one, give the thread
    // that shows it a chance to run.
    if (percent == lastPercent) return;
    lastPercent = percent;
    finish(percent, kRunning);
    std::this_thread::yield();
}

void LinkThread::notify(const std::function<void(LinkEvents&)>& call) {
    if (LinkEvents* events = link_.owner()) call(*events);
}

void LinkThread::reportStored(std::size_t offset, std::size_t size) {
    LinkEvents* events = link_.owner();
    if (!events) return;
    const std::uint8_t* first = image_.data() + offset;
    events->imageBytesStored(offset, std::vector<std::uint8_t>(first, first + size));
}

LinkThread::Sent LinkThread::sendFrame(const Frame& frame) {
    const std::size_t written = link_.send(frame.data(), frame.size());
    if (written == frame.size()) return Sent::Whole;
    return written == 0 ? Sent::Nothing : Sent::Part;
}

bool LinkThread::sendOrFail(const Frame& frame) {
    switch (sendFrame(frame)) {
        case Sent::Whole: return true;
        case Sent::Nothing: break;  // the link has reported the failure and closed the port
        case Sent::Part: finish(100, kFailed); break;
    }
    setNext(LinkOp::Idle);
    return false;
}

bool LinkThread::receiveBulk(std::uint8_t* buffer, std::size_t length) {
    std::size_t received = 0;
    int lastPercent = -1;
    while (received < length) {
        const auto part = received == 0 ? ControllerLink::ReplyPart::First : ControllerLink::ReplyPart::Rest;
        const std::size_t n = link_.receive(buffer + received, length - received, part);
        if (stopping()) return false;
        if (n == 0) {
            link_.linkLost();
            finish(100, kFailed);
            return false;
        }
        received += n;
        reportProgress(static_cast<int>(received * 100 / length), lastPercent);
    }
    return true;
}

// --- identify --------------------------------------------------------------

void LinkThread::identify() {
    // Silent while waiting: a port without a controller closes without a warning.
    link_.silentDisconnect.store(true);
    const Frame request = makeIdentifyRequest(link_.nextSequence(RequestCode::Identify));
    const Sent sent = sendFrame(request);
    std::array<std::uint8_t, replyLength::kIdentify> reply{};
    std::optional<IdentifyReply> identified;
    if (sent == Sent::Whole) identified = decodeIdentifyReply(reply.data(), link_.receive(reply.data(), reply.size()));
    if (stopping()) {
        link_.silentDisconnect.store(false);
        return;
    }
    if (!identified) {
        link_.silentDisconnect.store(true);
        link_.linkLost();
        notify([](LinkEvents& e) { e.connectionResult(kNoController); });
        return;
    }
    status_.setControllerTexts(identified->name, identified->secondText);
    status_.modeWord.store(identified->modeWord, std::memory_order_relaxed);
    status_.requestedMode.store(identified->modeWord, std::memory_order_relaxed);
    queues_.clearWrites();
    // This controller starts from outputs all off, whatever an earlier one had.
    status_.resetOutputs();
    link_.takeNetworkRegisterRequest();
    link_.silentDisconnect.store(false);
    link_.setPendingOpLocked(op(LinkOp::Idle));
    const int result = identified->modeWord == static_cast<std::uint16_t>(ControllerMode::EditTest) ? kEditTestMode
                                                                                                    : kOtherMode;
    notify([result](LinkEvents& e) { e.connectionResult(result); });
}

// --- single values -------------------------------------------------------------

void LinkThread::valueWrite() {
    setNext(LinkOp::Idle);
    const auto entry = queues_.popValueWrite();
    if (!entry) return;
    const std::uint8_t sequence = link_.nextSequence(RequestCode::WriteValue);
    const Sent sent = sendFrame(makeValueWriteRequest(sequence, entry->address, entry->size, entry->value));
    if (sent == Sent::Nothing) return;
    std::array<std::uint8_t, replyLength::kWriteValue> reply{};
    const std::size_t got = sent == Sent::Whole ? link_.receive(reply.data(), reply.size()) : 0;
    if (sequenceMatches(reply.data(), got, sequence))
        queues_.queueValueRead(entry->address, entry->size);
    else
        queues_.pushValueWrite(*entry);  // dropped when the queue is full
}

void LinkThread::valueRead() {
    setNext(LinkOp::Idle);
    const auto entry = queues_.popValueRead();
    if (!entry) return;
    const std::uint8_t sequence = link_.nextSequence(RequestCode::ReadValue);
    if (sendFrame(makeValueReadRequest(sequence, entry->address, entry->size)) != Sent::Whole) return;
    std::array<std::uint8_t, replyLength::kReadValue> reply{};
    const std::size_t got = link_.receive(reply.data(), reply.size());
    const auto bytes = decodeValueReadReply(reply.data(), got, sequence);
    // Stays past the image's end when the value went to the live network values.
    std::size_t offset = SettingsImage::size();
    if (bytes && storeValueRead(image_, status_, entry->address, entry->size, *bytes, &offset) &&
        offset < SettingsImage::size())
        reportStored(offset, entry->size);
}

void LinkThread::axisParameterWrite() {
    setNext(LinkOp::Idle);
    // A refused entry goes back to the end of the queue; each pass gives every
    // entry about two tries, so a controller that keeps refusing cannot hold
    // the link for ever. What is left waits for the next idle pass.
    std::size_t budget = 2 * queues_.axisParameterWriteCount();
    while (budget-- > 0 && !stopping()) {
        const auto entry = queues_.popAxisParameterWrite();
        if (!entry) return;
        const std::uint8_t sequence = link_.nextSequence(RequestCode::WriteAxisParameter);
        const Sent sent = sendFrame(makeAxisParameterWriteRequest(sequence, entry->address, entry->size, entry->value));
        if (sent == Sent::Nothing) return;
        std::array<std::uint8_t, replyLength::kWriteAxisParameter> reply{};
        const std::size_t got = sent == Sent::Whole ? link_.receive(reply.data(), reply.size()) : 0;
        if (sequenceMatches(reply.data(), got, sequence)) {
            std::size_t offset = 0;
            if (storeAxisParameter(image_, entry->address, entry->size, entry->value, &offset))
                reportStored(offset, entry->size);
        } else if ((entry->address & kUndroppableBits) != kUndroppableBits)
            queues_.pushAxisParameterWrite(*entry);
    }
}

// --- JOG, initialise, alarm record ----------------------------------------------

void LinkThread::jog() {
    JogRequestRecord record = link_.jogRequestLocked();
    // A held JOG goes on only while its window renews it: one that froze, lost
    // its tick or never saw the release ends it here, with the stop.
    if (record.repeats() && link_.sinceJogRenewal() > pauses().heldJog) {
        record = JogRequestRecord::stopOf(record.axis());
        link_.setJogRequestLocked(record);
    }
    // A held JOG button keeps the request pending; everything else is sent once.
    setNext(record.repeats() ? LinkOp::Jog : LinkOp::Idle);
    const std::uint8_t sequence = link_.nextSequence(RequestCode::Jog);
    if (sendFrame(makeJogRequest(sequence, record)) != Sent::Whole) return;
    std::array<std::uint8_t, replyLength::kJog> reply{};
    const std::size_t got = link_.receive(reply.data(), reply.size());
    acceptJogReply(reply.data(), got, sequence, record.axis(), status_);
}

void LinkThread::initialise() {
    const Frame request = makeInitialiseRequest(link_.nextSequence(RequestCode::Initialise), link_.initArgumentLocked());
    if (!sendOrFail(request)) return;
    setNext(LinkOp::Idle);
    finish(50, kRunning);
    std::array<std::uint8_t, replyLength::kInitialise> reply{};
    const std::size_t got = link_.receive(reply.data(), reply.size());
    if (stopping()) return;
    finish(100, got == reply.size() ? kDone : kFailed);
}

void LinkThread::alarmRead() {
    setNext(LinkOp::Idle);
    const std::uint8_t sequence = link_.nextSequence(RequestCode::ReadAlarmRecord);
    if (sendFrame(makeAlarmRecordRequest(sequence)) != Sent::Whole) return;
    std::array<std::uint8_t, replyLength::kAlarmRecord> reply{};
    const std::size_t got = link_.receive(reply.data(), reply.size());
    if (acceptAlarmRecord(reply.data(), got, sequence, status_)) notify([](LinkEvents& e) { e.alarmRecordRead(); });
}

// --- status poll -------------------------------------------------------------------

void LinkThread::statusPoll() {
    constexpr auto relaxed = std::memory_order_relaxed;
    StatusPollOutputs out;
    // One-shot fields are taken: they go out with this poll only.
    out.runRequest = status_.runRequest.exchange(0, relaxed);
    out.generalOutputs = status_.generalOutputs.load(relaxed);
    for (std::size_t i = 0; i < out.driverOutputs.size(); ++i) out.driverOutputs[i] = status_.driverOutputs[i].load(relaxed);
    out.hostOutputs = status_.hostOutputs.load(relaxed);
    out.oneShotRequest = status_.alarmResetRequest.exchange(0, relaxed);
    out.networkAlarmResetMask = status_.networkAlarmResetMask.exchange(0, relaxed);
    out.requestedMode = status_.requestedMode.load(relaxed);
    out.networkGroup = status_.selectedNetworkGroup.load(relaxed);
    // The output words of the drivers of the group the poll asks for.
    const std::size_t firstDriver = 4 * std::min<std::size_t>(out.networkGroup, 3);
    for (std::size_t i = 0; i < out.networkOutputs.size(); ++i)
        out.networkOutputs[i] = status_.networkOutputs[firstDriver + i].load(relaxed);
    out.registerRequest = link_.takeNetworkRegisterRequest();

    const std::uint8_t sequence = link_.nextSequence(RequestCode::StatusPoll);
    if (sendFrame(makeStatusPollRequest(sequence, out)) != Sent::Whole) return;
    std::array<std::uint8_t, replyLength::kStatusPoll> reply{};
    const std::size_t got = link_.receive(reply.data(), reply.size());
    acceptStatusReply(reply.data(), got, sequence, status_, &out);
    pauseAfter_ = pauses().poll;
}

}  // namespace vantrel
