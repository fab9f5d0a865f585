#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "data/SettingsImage.h"
#include "link/ControllerStatus.h"
#include "link/JogRequestRecord.h"
#include "link/LinkEvents.h"
#include "link/LinkTrace.h"
#include "link/NetworkRegisterRequest.h"
#include "link/Protocol.h"
#include "link/SerialPort.h"

namespace vantrel {

// What another thread asks of the link thread: the operation it performs next
// and what that operation needs. The link thread takes it at the start of its
// next pass, after the exchange in flight, exactly where a request that had
// waited for the link lock would have come in.
struct LinkRequest {
    std::uint8_t op = 0;
    std::optional<std::string> filePath;         // program read and send
    std::optional<std::uint8_t> initArgument;    // initialise
    std::optional<JogRequestRecord> jog;         // JOG slot
    std::shared_ptr<const SettingsImage> image;  // the image a settings transfer sends (becomes the link thread's)
    // Taken only when the link is idle (polling); it waits while an
    // operation or a chain of them runs, instead of cutting it short.
    bool onlyWhenIdle = false;
};

// The one link object: the port, the pending operation, the frame sequence
// counter and the file path of the program transfers. Shared by the user
// interface thread and the link thread. The link lock (`lock()`) guards the
// file path, the initialise argument and the JOG slot; the link thread holds
// it for the whole of each operation (never through the pauses between
// operations), so a call that takes it (open, close, linkLost, listPorts)
// waits while an exchange or a bulk transfer runs. It also keeps the link
// thread out of its settings image.
// Requests of other threads (setPendingOp, startJog, request) never take it:
// they leave a LinkRequest under a small lock of its own and return at once.
// The network register request has a lock of its own.
class ControllerLink {
public:
    using Milliseconds = std::chrono::milliseconds;
    static constexpr Milliseconds kReadTimeout{3000};
    static constexpr Milliseconds kWriteTimeout{1000};

    // Flags of this link, each its own: a process that runs several links (one
    // per port) must never let one port's flag silence or stop another.
    // When set, the next link-lost handling closes the port without the warning.
    std::atomic<bool> silentDisconnect{false};
    // Set by the cancel button of the progress window; the FLASH write stops after
    // its current step when it finds it set. Opening the progress window clears it.
    std::atomic<bool> interruptFlag{false};

    explicit ControllerLink(ControllerStatus& status);
    ~ControllerLink();
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // Stores `owner` (may be null: no notifications), closes a port held before
    // (false when that close fails), opens "/dev/" + portName exclusively.
    // On success: silentDisconnect = false, portName recorded, time-outs set,
    // pendingOp = Identify, result true. On failure the link stays closed.
    bool open(const std::string& portName, LinkEvents* owner);
    // Closes the port (application exit); no notification.
    void close();
    bool isOpen() const;
    std::string portName() const;  // the device path last opened
    LinkEvents* owner() const { return owner_.load(); }

    // Read and write time-outs of the port, kept for later opens. The link
    // uses 3000 ms and 1000 ms; tests shorten them. Reading them never waits
    // for the link lock.
    void setTimeouts(Milliseconds readTimeout = kReadTimeout, Milliseconds writeTimeout = kWriteTimeout);
    Milliseconds readTimeout() const { return Milliseconds(readTimeout_.load()); }
    Milliseconds writeTimeout() const { return Milliseconds(writeTimeout_.load()); }

    // Blocks the calling thread (the link thread, while it has nothing to do)
    // until a port is open or *stop is true; true when a port is open. A
    // thread that sets *stop calls wakeWaiters() afterwards.
    bool waitUntilOpen(const std::atomic<bool>& stop);
    void wakeWaiters();

    // Purges the input and writes one frame. Returns the bytes written; 0 when
    // the port is closed (nothing else happens) or the write failed or wrote
    // nothing (then: link-lost handling and progress(100, 2)).
    std::size_t send(const std::uint8_t* bytes, std::size_t length);
    // One read of at most `length` bytes: returns when they arrived or the read
    // time-out passed; 0 when nothing arrived or the port is closed. `part`
    // tells the trace whether the read begins a reply or goes on with one
    // whose first read came back short.
    enum class ReplyPart : std::uint8_t { First, Rest };
    std::size_t receive(std::uint8_t* buffer, std::size_t length, ReplyPart part = ReplyPart::First);

    // The protocol trace (LinkTrace.h): every frame, time-out and hang-up from
    // now on goes to `sink`; nullptr ends it. Never waits for the link. A call
    // already under way may still reach the previous sink after this returns:
    // the link makes every call under its lock, so a thread that may wait
    // takes lock() once before it lets the sink go; others keep the sink
    // alive while the link thread runs or a port is open.
    void setTraceSink(LinkTraceSink* sink) { trace_.store(sink, std::memory_order_release); }
    LinkTraceSink* traceSink() const { return trace_.load(std::memory_order_acquire); }

    // Bytes written and read since the link was made (all ports).
    std::uint64_t bytesSent() const { return bytesSent_.load(std::memory_order_relaxed); }
    std::uint64_t bytesReceived() const { return bytesReceived_.load(std::memory_order_relaxed); }

    // Link-lost handling: closes the port; unless silentDisconnect is set the
    // owner is told to warn "USBが切断されました。"; the mode word and the
    // requested mode become 0, pendingOp = Identify, silentDisconnect = false.
    // Like open, close and listPorts, it cuts a read in flight short rather
    // than waiting for its time-out: the exchange sees no (or half a) reply.
    void linkLost();

    // If the port is open, leaves `request` for the link thread (replacing one
    // it has not taken yet) and returns true; otherwise nothing, false. Never
    // waits for the link. A request still waiting when the link is lost is
    // dropped, and its progress ends with result 2.
    bool request(LinkRequest request);
    // Asks for `op` in place of the idle status polls only: false (nothing
    // asked) when the port is closed, when any request waits in the slot (a
    // lesser request never replaces it) or when another operation is pending,
    // a held JOG that repeats among them. A request made waits until the link
    // is idle.
    bool requestWhenIdle(LinkOp op);
    // The same for an operation alone.
    bool setPendingOp(LinkOp op);
    bool setPendingOp(std::uint8_t op);
    // The operation the link performs next (a request not yet taken counts).
    std::uint8_t pendingOp() const;

    // Names of the serial devices that open ("ttyACM0", "ttyUSB0", "ttyS0",
    // ...), each closed again at once. Under the link lock; leaves the link
    // closed with pendingOp = Identify and shows no warning.
    std::vector<std::string> listPorts();

    // JOG slot: if the port is open, asks for JOG with this record (a request,
    // as above). Returns whether it was left. Each call renews a held JOG: the
    // link thread repeats one only while the last renewal is recent
    // (LinkPauses::heldJog).
    bool startJog(const JogRequestRecord& record);
    std::chrono::steady_clock::duration sinceJogRenewal() const;
    // Asks for status polling in place of a held JOG: only while the link
    // repeats one (or a renewal of one waits in the slot) and no other request
    // waits. True when it asked.
    bool endHeldJog();

    // Network register request slot (own lock). The next status poll takes it.
    void setNetworkRegisterRequest(const NetworkRegisterRequest& request);
    NetworkRegisterRequest takeNetworkRegisterRequest();

    // --- for the link thread (call with the link lock held) --------------
    std::recursive_mutex& lock() { return lock_; }
    std::uint8_t pendingOpLocked() const { return pendingOp_.load(); }
    void setPendingOpLocked(std::uint8_t op) { pendingOp_.store(op); }
    // The request left since the last pass, if any (taken: it is gone); one
    // that waits for the idle link stays while another operation is pending.
    std::optional<LinkRequest> takeRequestLocked();
    const std::string& filePathLocked() const { return filePath_; }
    void setFilePathLocked(const std::string& path) { filePath_ = path; }
    std::uint8_t initArgumentLocked() const { return initArgument_; }
    void setInitArgumentLocked(std::uint8_t what) { initArgument_ = what; }
    const JogRequestRecord& jogRequestLocked() const { return jogRequest_; }
    void setJogRequestLocked(const JogRequestRecord& record) { jogRequest_ = record; }
    // Sequence value the next request of `code` carries; advances the counter
    // (0x19 and 0xC1 carry the value before advancing, all others the value
    // after; 255 wraps to 0).
    std::uint8_t nextSequence(RequestCode code);
    std::uint8_t sequence() const { return sequence_; }
    void setSequence(std::uint8_t value) { sequence_ = value; }
    // Makes reads return at once while *flag is true (the link thread's stop flag).
    void setAbortFlag(const std::atomic<bool>* flag);

private:
    std::vector<std::string> candidatePortNames() const;
    // The trace of a send or receive that just happened (ControllerLinkTrace.cpp).
    void traceSent(LinkTraceSink& sink, const std::uint8_t* bytes, std::size_t length, long written);
    void traceReceived(LinkTraceSink& sink, const std::uint8_t* bytes, std::size_t got, std::size_t wanted,
                       ReplyPart part);
    void traceNote(TraceEvent::Kind kind, std::string_view text);
    // Marks the port open or closed; a request not taken yet is dropped
    // (returns whether one was).
    bool setOpen(bool open);

    ControllerStatus& status_;
    std::atomic<LinkEvents*> owner_{nullptr};
    // The link lock. Recursive because link-lost handling runs both inside an
    // operation of the link thread and from the user interface thread.
    mutable std::recursive_mutex lock_;
    SerialPort port_;
    // Threads waiting for the link lock to close, reopen or drop the port.
    // While there are any, the port's reads return at once, so a disconnect
    // from a controller that stopped answering never waits out a read.
    std::atomic<int> portClaims_{0};
    std::unique_lock<std::recursive_mutex> claimPort();
    std::atomic<bool> open_{false};
    std::string portName_;
    std::string filePath_;
    std::atomic<std::uint8_t> pendingOp_{static_cast<std::uint8_t>(LinkOp::Identify)};
    // The request slot; open_ changes under this lock too, so no request is
    // left for a port that has just closed.
    mutable std::mutex requestLock_;
    std::optional<LinkRequest> request_;
    std::atomic<std::chrono::steady_clock::rep> jogRenewedAt_{0};
    std::uint8_t sequence_ = 0;
    std::uint8_t initArgument_ = static_cast<std::uint8_t>(InitialiseWhat::AllData);
    JogRequestRecord jogRequest_;
    std::atomic<Milliseconds::rep> readTimeout_{kReadTimeout.count()};
    std::atomic<Milliseconds::rep> writeTimeout_{kWriteTimeout.count()};
    // Wakes a thread in waitUntilOpen.
    std::mutex openSignalLock_;
    std::condition_variable openSignal_;
    std::atomic<std::uint64_t> bytesSent_{0};
    std::atomic<std::uint64_t> bytesReceived_{0};
    std::atomic<LinkTraceSink*> trace_{nullptr};
    // Code and sequence of the last request sent: the trace names the request
    // a reply answers.
    std::uint8_t lastCode_ = 0;
    std::uint8_t lastSequence_ = 0;
    std::mutex registerLock_;
    NetworkRegisterRequest registerRequest_;
};

}  // namespace vantrel
