#pragma once

// The link's time-outs, pauses and retry counts, and the bounds that follow
// from them. An owner that waits for the link (the command-line tool, tests)
// takes its bounds from here, so it never gives up before the link itself has
// decided, and never waits for ever.

#include <algorithm>
#include <chrono>

namespace vantrel {

// Reads of the final reply after the last program piece or settings block,
// and of the reply to each FLASH step.
inline constexpr int kFinalReplyAttempts = 20;
inline constexpr int kFlashSteps = 3;
// Pause of the link loop after each pass.
inline constexpr std::chrono::milliseconds kLoopPause{1};
// A held JOG is repeated only while its window renewed it within this time
// (three refresh ticks of the test-operation window); after that the link
// sends the stop and returns to status polling by itself.
inline constexpr std::chrono::milliseconds kHeldJogDeadMan{150};

// Pauses of the transactions. The defaults are the controller's; tests
// shorten them so that a controller that stays silent does not cost seconds.
struct LinkPauses {
    using Milliseconds = std::chrono::milliseconds;
    Milliseconds emptyFinalRead{100};   // program send, settings write: after an empty read
    Milliseconds otherFinalReply{500};  // settings write: after a reply that is not the answer
    Milliseconds emptyFlashRead{300};   // FLASH write: after an empty read
    Milliseconds fileError{1000};       // before reporting a program file that cannot be sent
    Milliseconds settingsWritten{1000}; // after a settings write completed
    Milliseconds poll{30};              // after each status poll
    // Not a pause: how long a held JOG runs on without a renewal.
    Milliseconds heldJog{kHeldJogDeadMan};

    Milliseconds longest() const {
        return std::max({emptyFinalRead, otherFinalReply, emptyFlashRead, fileError, settingsWritten, poll});
    }
};

// What a link runs with (LinkThread::timing()).
struct LinkTiming {
    using Milliseconds = std::chrono::milliseconds;
    Milliseconds readTimeout{3000};   // a read returns what arrived within this
    Milliseconds writeTimeout{1000};  // a write gives up after this
    LinkPauses pauses;

    // One request and its reply.
    Milliseconds exchange() const { return writeTimeout + readTimeout; }
    // One status poll and the pauses after it.
    Milliseconds pollCycle() const { return exchange() + pauses.poll + kLoopPause; }
    // The longest a request waits for the link to come round to it: the
    // exchange of the pass running now and the pause after it.
    Milliseconds passRunningNow() const { return exchange() + pauses.longest(); }
    // The longest the link thread works on an operation without reporting
    // anything and without a byte moving either way: the write of a last
    // frame, then the wait for a final reply that never comes (every read
    // waits out its time-out and is followed by a retry pause), or one of the
    // pauses before a result.
    Milliseconds longestSilence() const {
        return writeTimeout + kFinalReplyAttempts * (readTimeout + pauses.longest()) + kLoopPause;
    }
};

}  // namespace vantrel
