#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/Frame.h"
#include "link/LinkEvents.h"
#include "link/LinkTiming.h"
#include "link/Protocol.h"
#include "link/RequestQueues.h"

namespace vantrel {

// The link thread: the only code that sends and receives frames. In a loop it
// takes the link lock, performs the link's pending operation, releases the lock
// and sleeps 1 ms. When the link is idle (LinkOp::Idle) it serves the request
// queues (value writes, then value reads, then pulse-axis parameter writes) and
// otherwise polls the controller status. The pauses that follow an operation
// (30 ms after each status poll, 1 s after a settings write) are taken after
// the lock is released, so a request of another thread never waits for them;
// while no port is open the thread sleeps until one opens.
//
// How an owner uses it (GUI, CLI, tests):
//
//   ControllerStatus status;  RequestQueues queues;  SettingsImage image;
//   ControllerLink link(status);
//   LinkThread thread(link, queues, status, image);
//   thread.setWorkingProgramFile(dataFolderPath("Ncstep.sys"));
//   thread.start();
//   link.open("ttyACM0", &events);   // -> identify runs at once:
//                                    //    events.connectionResult(2 | 3 | 4)
//
// Starting an operation (each returns false and does nothing when the port is
// closed; results arrive through LinkEvents on the link thread):
//
//   operation            start call                           ends with
//   settings read        startOperation(LinkOp::SettingsRead) imageBytesStored twice, settingsReadDone(), then the
//                                                             program read follows: programFileRead(path),
//                                                             progress(100, 1); failures progress(100, 2/3)
//   program read         startProgramRead()                   programFileRead(path), progress(100, 1) |
//                                                             progress(100, 2 | 3 | 4)
//   program send         startProgramSend(path)               programSendResult(record), progress(100, 1) |
//   (compile)                                                 progress(100, 2) empty | (100, 4) not openable
//   settings write       startOperation(LinkOp::SettingsWriteArea1)  progress(100, 1) | (100, 2) | (98, 3);
//                                                             verifyError(1) on the controller's refusal sum
//   initialise           startInitialise(InitialiseWhat)      progress(100, 1) | progress(100, 2)
//   FLASH write          startOperation(LinkOp::FlashWrite)   progress(33/66/99, 0) per step, progress(100, 1) |
//                                                             progress(100, 2); verifyError(2); stops after
//                                                             the current step when interruptFlag is set
//   alarm record         startOperation(LinkOp::AlarmRead)    alarmRecordRead() (ControllerStatus::alarmRecord)
//   JOG                  link.startJog(record)                ControllerStatus command position and speed
//                        link.endHeldJog() ends a held JOG; one not renewed
//                        by startJog within LinkPauses::heldJog ends by
//                        itself with the stop request
//   single values        queues.queueValueWrite / queueValueRead / queueAxisParameterWrite:
//                        served when idle, stored into the settings image (imageBytesStored)
//   status poll          runs whenever idle: ControllerStatus is refreshed
//
// The program read hands its file to the owner through
// LinkEvents::programFileRead(path) (reload the program store from it) before
// its progress(100, 1). Pauses between retries are the controller's
// (LinkPauses); setPauses shortens them for tests. Time-outs of the port are
// ControllerLink::setTimeouts. timing() gives all of them, with the bounds an
// owner waiting for a result uses (LinkTiming).
//
// A failed send anywhere closes the port (linkLost(false) unless silenced)
// and reports progress(100, 2). Progress results: 1 done, 2 failed, 3 no
// answer, 4 file cannot be opened.
//
// The settings image given to the thread belongs to the link thread while it
// runs: a settings read, a value read-back and an accepted pulse-axis
// parameter write store into it, and a settings write sends from it (and
// queues its single values from it). Each store is followed by
// LinkEvents::imageBytesStored(offset, bytes) with a copy of what was stored,
// before the result of the same operation. Another thread may touch the image
// only while it holds the link lock (link.lock(), held by the link thread
// for each whole operation) or after an operation's result has reached it
// through LinkEvents. An owner with a user interface therefore gives the link
// an image of its own: the UI keeps its image and applies imageBytesStored to
// it, and hands a copy of its image with the operation that sends it
// (startWithImage; the GUI's AppState::linkImage). The CLI and the tests read
// the link's image only after a result.

class LinkThread {
public:
    using Milliseconds = std::chrono::milliseconds;

    LinkThread(ControllerLink& link, RequestQueues& queues, ControllerStatus& status, SettingsImage& image);
    ~LinkThread();  // stops the thread
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    void start();
    // Asks the thread to end and joins it. A transfer in progress ends at its
    // next read or write (within the read time-out, at most 3 s); no result is
    // reported for it.
    void stop();
    bool isRunning() const;

    // The working program file (Ncstep.sys in the per-user data folder): the
    // program read writes it and the settings read leads into that read.
    void setWorkingProgramFile(const std::string& path);
    std::string workingProgramFile() const;

    // Each asks for an operation if the port is open (a LinkRequest: it never
    // waits for the link, the link thread takes it at its next pass).
    bool startOperation(LinkOp op);
    // The same, with the image the operation sends (or a settings read
    // fills): a copy becomes the link thread's image when it takes the request.
    bool startWithImage(LinkOp op, const SettingsImage& image);
    bool startProgramRead();
    bool startProgramSend(const std::string& path);
    bool startInitialise(InitialiseWhat what);

    void setPauses(const LinkPauses& pauses);
    LinkPauses pauses() const;
    // The port's time-outs and the pauses, as the link runs with them now.
    LinkTiming timing() const;

    // The last program-send result record.
    TransferResult lastTransferResult() const;
    // Whether the last settings read filled the image (all three phases
    // arrived); a read whose head went unanswered leaves the image unchanged
    // and still goes on to the program read.
    bool lastSettingsReadComplete() const { return settingsReadComplete_.load(); }

    // Performs one pass of the loop on the calling thread (take the link lock,
    // promote idle, run the operation) and returns the pause the operation
    // asks for before the next pass, which the loop takes with the lock
    // released. For tests that drive the link without the thread; never call
    // it while the thread runs.
    Milliseconds runOnce();

private:
    void loop();
    void perform(std::uint8_t op);
    bool sleepFor(Milliseconds duration);  // false when stopping
    bool stopping() const { return stop_.load(); }

    // Operations. The transfers (settingsRead, programRead, programSend,
    // settingsWrite, flashWrite) are in LinkTransfers.cpp.
    void identify();
    void settingsRead();
    void programRead();
    void programSend();
    void valueWrite();
    void valueRead();
    void axisParameterWrite();
    void jog();
    void initialise();
    void settingsWrite(SettingsArea area);
    void alarmRead();
    void statusPoll();
    void flashWrite();

    enum class Sent { Whole, Part, Nothing };
    Sent sendFrame(const Frame& frame);
    // Sends; on anything but a whole frame reports the failure (the link has
    // already done so when nothing was written), sets the link idle and
    // returns false.
    bool sendOrFail(const Frame& frame);
    void setNext(LinkOp next);
    // Reads `length` bytes in a loop of reads, reporting progress after each.
    // False (after progress(100, 2) and link-lost handling) when a read brings
    // nothing.
    bool receiveBulk(std::uint8_t* buffer, std::size_t length);
    void finish(int percent, int result);  // progress with the owner, if any
    void reportProgress(int percent, int& lastPercent);  // running progress, when it changed
    void notify(const std::function<void(LinkEvents&)>& call);
    // Tells the owner (imageBytesStored) about `size` bytes just stored into
    // the image at `offset`.
    void reportStored(std::size_t offset, std::size_t size);

    ControllerLink& link_;
    RequestQueues& queues_;
    ControllerStatus& status_;
    SettingsImage& image_;

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> settingsReadComplete_{false};
    mutable std::mutex stateLock_;  // working file, transfer result, sleeps
    std::condition_variable wake_;
    std::string workingProgramFile_;
    TransferResult transferResult_;
    LinkPauses pauses_;
    Milliseconds pauseAfter_{0};  // set by the operation of this pass (link thread only)
    std::vector<std::uint8_t> bulk_;  // receive buffer of the bulk reads
};

}  // namespace vantrel
