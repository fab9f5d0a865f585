#pragma once

// Compiling: the programs are compiled by the controller. "コンパイル" writes
// the store to the working file and, when the controller can take it, the
// link sends that file; the controller answers with a result record, which
// becomes the compile state the program editor shows.

#include <cstdint>
#include <functional>
#include <vector>

#include "data/Refusal.h"
#include "program/ProgramFiles.h"
#include "program/ProgramStore.h"

namespace vantrel {

// The controller's result record (the link's transfer result).
struct CompileResult {
    static constexpr std::uint16_t kAccepted = 0;
    static constexpr std::uint16_t kControllerError = 1;
    static constexpr std::uint16_t kNoAnswer = 2;
    std::uint16_t status = kNoAnswer;
    std::uint16_t values[4] = {0, 0, 0, 0};
};

// What the program editor keeps of the last compile.
struct CompileState {
    int lastStatus = 0;
    int errorNumber = 0;   // 1..10 names a compile error; 0 none
    int errorProgram = 0;  // program of the error
    int errorStep = 0;     // step index of the error (may lie outside the program)
    bool finished = false; // set by a compile, consumed by the editor's refresh
};

class ProgramCompile {
public:
    // "Ncstep.sys" is sent only when it is smaller than this.
    static constexpr std::uintmax_t kCompileFileSizeLimit = 131072;

    struct Preparation {
        bool send = false;     // start the program file send now
        MaybeRefusal message;  // to show (and not send)
    };

    // Before the send: the port must be open ("USBが未接続です。"), then the
    // working file is written (a failed write is reported and nothing is
    // sent: the old file holds older programs); it is sent only while the
    // port is still open, the controller is in edit-test mode (0) and the
    // file is below 131,072 bytes. Otherwise nothing more happens (the size
    // gets its message).
    static Preparation prepareCompile(ProgramFiles& files, const std::function<bool()>& portOpen, int controllerMode);
    // Size check alone, for a file of `size` bytes.
    static MaybeRefusal checkCompileSize(std::uintmax_t size);

    // After the progress window closed with `progressResult`: results 2, 3 and 4
    // give their file message (titled "ファイル異常") and leave the state alone;
    // otherwise the result record decides the message and the new state, and
    // the store is clean exactly when the controller accepted the programs.
    static Refusal finishCompile(int progressResult, const CompileResult& result, ProgramStore& store,
                                 CompileState& state);

    // The editor's switch to the error program after a compile error: selects
    // and loads it. False when there is no error or its program number is not
    // 1..255.
    static bool showErrorProgram(ProgramStore& store, const CompileState& state);

    // Steps `rows` of `program`, which had `stepCount` steps, were deleted
    // (rows outside the steps are not). The error step moves up with its step,
    // so that the red row stays on it, and becomes -1 (no row) when it was
    // deleted itself.
    static void followDeletedSteps(CompileState& state, int program, const std::vector<int>& rows, int stepCount);
};

}  // namespace vantrel
