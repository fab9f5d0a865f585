#pragma once

// Fault switches of the simulated controller. Tests set them to make the
// controller misbehave on purpose at agreed requests; the PtyServer reads the
// hang-up switch. All switches are off by default.

#include <cstddef>
#include <cstdint>

namespace vantrel {

// A fault aimed at one request code.
struct CodeFault {
    int code = -1;   // request code it applies to; -1: off
    int count = -1;  // how many matching requests it hits; -1: every one. It switches itself off when used up.

    bool hits(std::uint8_t requestCode) const { return code >= 0 && code == requestCode && count != 0; }
    static CodeFault always(std::uint8_t requestCode) { return CodeFault{requestCode, -1}; }
    static CodeFault times(std::uint8_t requestCode, int n) { return CodeFault{requestCode, n}; }
};

struct SimFaults {
    // The controller stays silent.
    CodeFault noReply;
    // The reply carries the request's sequence number plus one.
    CodeFault wrongSequence;
    // The reply is cut to its first shortReplyLength bytes.
    CodeFault shortReply;
    std::size_t shortReplyLength = 0;

    // The identify reply names a controller that is not "MAIN".
    bool identifyNotMain = false;

    // The PtyServer closes the pseudo-terminal master after sending this many
    // more bytes (0: at the next reply, before its first byte); -1: off.
    long long hangUpAfterBytes = -1;

    // The PtyServer hangs up at a chosen request: the hangUpAtRequest-th
    // request of code hangUpOnCode from now on (1: the next one) takes effect,
    // hangUpReplyBytes bytes of its reply go out (0: none; the hang-up comes
    // also when the request has no reply), then the line goes. -1: off.
    int hangUpOnCode = -1;
    int hangUpAtRequest = 1;
    std::size_t hangUpReplyBytes = 0;

    // When non-zero, the program read announces this size instead of the file's
    // own, and phase 1 delivers that many bytes (the file padded with zeros).
    std::uint32_t announcedProgramSize = 0;

    // FLASH step (0..2) whose reply says "not done" (byte 32 = 0); -1: none.
    int flashFailStep = -1;
    // FLASH step (0..2) whose reply reports a verify error (bytes 34..35
    // non-zero; the step is not done either); -1: none.
    int flashVerifyErrorStep = -1;

    // Settings area (1..3) whose last-block reply says "not accepted"; 0: none.
    int rejectSettingsArea = 0;
    // Settings area (1..3) whose last-block reply is the reception-failure
    // reply: accepted flag 0 and its 16-bit words summing to 0xFFFF; 0: none.
    int receptionErrorSettingsArea = 0;
};

}  // namespace vantrel
