#include "link/ControllerLink.h"

#include <algorithm>
#include <utility>

namespace vantrel {
ControllerLink::ControllerLink(ControllerStatus& status) : status_(status) { port_.setInterruptCount(&portClaims_); }

std::unique_lock<std::recursive_mutex> ControllerLink::claimPort() {
    // Counted only while waiting: once the lock is held no read is in flight,
    // and the next exchange of the link thread must run in full.
    portClaims_.fetch_add(1);
    std::unique_lock guard(lock_);
    portClaims_.fetch_sub(1);
    return guard;
}

ControllerLink::~ControllerLink() { close(); }

bool ControllerLink::setOpen(bool open) {
    std::lock_guard guard(requestLock_);
    open_.store(open);
    const bool dropped = request_.has_value();
    request_.reset();
    return dropped;
}

bool ControllerLink::open(const std::string& portName, LinkEvents* owner) {
    const auto guard = claimPort();
    owner_.store(owner);
    if (port_.isOpen()) {
        setOpen(false);
        if (!port_.close()) return false;
    }
    if (!port_.open(SerialPort::devicePath(portName))) return false;
    silentDisconnect.store(false);
    portName_ = SerialPort::devicePath(portName);
    port_.setTimeouts(readTimeout(), writeTimeout());
    pendingOp_.store(static_cast<std::uint8_t>(LinkOp::Identify));
    setOpen(true);
    traceNote(TraceEvent::Kind::Opened, portName_);
    wakeWaiters();
    return true;
}

void ControllerLink::close() {
    const auto guard = claimPort();
    setOpen(false);
    if (port_.isOpen()) traceNote(TraceEvent::Kind::Closed, {});
    port_.close();
}

bool ControllerLink::isOpen() const { return open_.load(); }

std::string ControllerLink::portName() const {
    std::lock_guard guard(lock_);
    return portName_;
}

void ControllerLink::setTimeouts(Milliseconds readTimeout, Milliseconds writeTimeout) {
    std::lock_guard guard(lock_);
    readTimeout_.store(readTimeout.count());
    writeTimeout_.store(writeTimeout.count());
    port_.setTimeouts(readTimeout, writeTimeout);
}

bool ControllerLink::waitUntilOpen(const std::atomic<bool>& stop) {
    std::unique_lock guard(openSignalLock_);
    openSignal_.wait(guard, [&] { return open_.load() || stop.load(); });
    return open_.load();
}

void ControllerLink::wakeWaiters() {
    // Taking the lock orders the change the waiter looks for before its wait.
    { std::lock_guard guard(openSignalLock_); }
    openSignal_.notify_all();
}

void ControllerLink::setAbortFlag(const std::atomic<bool>* flag) {
    std::lock_guard guard(lock_);
    port_.setAbortFlag(flag);
}

std::size_t ControllerLink::send(const std::uint8_t* bytes, std::size_t length) {
    std::lock_guard guard(lock_);
    if (!port_.isOpen()) return 0;
    const long written = port_.write(bytes, length);
    lastCode_ = length > frame::kCode ? bytes[frame::kCode] : 0;
    lastSequence_ = length > frame::kSequence ? bytes[frame::kSequence] : 0;
    if (LinkTraceSink* sink = trace_.load(std::memory_order_acquire)) traceSent(*sink, bytes, length, written);
    if (written > 0) {
        bytesSent_.fetch_add(static_cast<std::uint64_t>(written), std::memory_order_relaxed);
        return static_cast<std::size_t>(written);
    }
    linkLost();
    if (LinkEvents* events = owner_.load()) events->progress(100, kFailed);
    return 0;
}

std::size_t ControllerLink::receive(std::uint8_t* buffer, std::size_t length, ReplyPart part) {
    std::lock_guard guard(lock_);
    const std::size_t got = port_.read(buffer, length);
    bytesReceived_.fetch_add(got, std::memory_order_relaxed);
    if (LinkTraceSink* sink = trace_.load(std::memory_order_acquire)) traceReceived(*sink, buffer, got, length, part);
    return got;
}

void ControllerLink::linkLost() {
    const auto guard = claimPort();
    const bool dropped = setOpen(false);
    port_.close();
    const bool silent = silentDisconnect.load();
    traceNote(TraceEvent::Kind::Lost, silent ? "silent" : "warning");
    status_.modeWord.store(0, std::memory_order_relaxed);
    status_.requestedMode.store(0, std::memory_order_relaxed);
    pendingOp_.store(static_cast<std::uint8_t>(LinkOp::Identify));
    silentDisconnect.store(false);
    LinkEvents* events = owner_.load();
    if (!events) return;
    events->linkLost(silent);
    // An operation asked for and never begun: its progress window must not wait for ever.
    if (dropped) events->progress(100, kFailed);
}

bool ControllerLink::request(LinkRequest request) {
    std::lock_guard guard(requestLock_);
    if (!open_.load()) return false;
    request_ = std::move(request);
    return true;
}

bool ControllerLink::requestWhenIdle(LinkOp op) {
    constexpr auto idle = static_cast<std::uint8_t>(LinkOp::Idle);
    std::lock_guard guard(requestLock_);
    if (!open_.load() || request_ || pendingOp_.load() != idle) return false;
    LinkRequest r;
    r.op = static_cast<std::uint8_t>(op);
    r.onlyWhenIdle = true;
    request_ = std::move(r);
    return true;
}

std::optional<LinkRequest> ControllerLink::takeRequestLocked() {
    std::lock_guard guard(requestLock_);
    if (request_ && request_->onlyWhenIdle && pendingOp_.load() != static_cast<std::uint8_t>(LinkOp::Idle))
        return std::nullopt;
    return std::exchange(request_, std::nullopt);
}

bool ControllerLink::setPendingOp(LinkOp op) { return setPendingOp(static_cast<std::uint8_t>(op)); }

bool ControllerLink::setPendingOp(std::uint8_t op) {
    LinkRequest r;
    r.op = op;
    return request(std::move(r));
}

std::uint8_t ControllerLink::pendingOp() const {
    {
        std::lock_guard guard(requestLock_);
        if (request_) return request_->op;
    }
    return pendingOp_.load();
}

std::uint8_t ControllerLink::nextSequence(RequestCode code) {
    std::lock_guard guard(lock_);
    const std::uint8_t before = sequence_;
    sequence_ = static_cast<std::uint8_t>(sequence_ + 1);  // 255 wraps to 0
    const bool carriesBefore = code == RequestCode::ReadAlarmRecord || code == RequestCode::FlashWriteStep;
    return carriesBefore ? before : sequence_;
}

std::vector<std::string> ControllerLink::candidatePortNames() const { return SerialPort::candidateNames(); }

std::vector<std::string> ControllerLink::listPorts() {
    const auto guard = claimPort();
    if (port_.isOpen()) {
        silentDisconnect.store(true);
        linkLost();
    }
    std::vector<std::string> found;
    for (const std::string& name : candidatePortNames()) {
        SerialPort probe;
        if (probe.open(SerialPort::devicePath(name))) found.push_back(name);
    }
    pendingOp_.store(static_cast<std::uint8_t>(LinkOp::Identify));
    return found;
}

bool ControllerLink::startJog(const JogRequestRecord& record) {
    LinkRequest r;
    r.op = static_cast<std::uint8_t>(LinkOp::Jog);
    r.jog = record;
    jogRenewedAt_.store(std::chrono::steady_clock::now().time_since_epoch().count());
    return request(std::move(r));
}

std::chrono::steady_clock::duration ControllerLink::sinceJogRenewal() const {
    const std::chrono::steady_clock::time_point renewed{std::chrono::steady_clock::duration(jogRenewedAt_.load())};
    return std::chrono::steady_clock::now() - renewed;
}

bool ControllerLink::endHeldJog() {
    constexpr auto jog = static_cast<std::uint8_t>(LinkOp::Jog);
    std::lock_guard guard(requestLock_);
    if (!open_.load()) return false;
    // Between two passes a pending JOG is a held one: the link sets a one-shot
    // record back to polling before it sends it.
    const bool renewalWaits = request_ && request_->op == jog && request_->jog && request_->jog->repeats();
    if (request_ ? !renewalWaits : pendingOp_.load() != jog) return false;
    LinkRequest r;
    r.op = static_cast<std::uint8_t>(LinkOp::Idle);
    request_ = std::move(r);
    return true;
}

void ControllerLink::setNetworkRegisterRequest(const NetworkRegisterRequest& request) {
    std::lock_guard guard(registerLock_);
    registerRequest_ = request;
}

NetworkRegisterRequest ControllerLink::takeNetworkRegisterRequest() {
    std::lock_guard guard(registerLock_);
    return std::exchange(registerRequest_, NetworkRegisterRequest{});
}

}  // namespace vantrel
