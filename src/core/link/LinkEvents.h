#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/Protocol.h"

namespace vantrel {

// Result record of a program file send (the compile): status 0 = accepted,
// 1 = the controller reported an error (the four values are its details),
// 2 = no answer (kUnanswered: the progress result for no answer is 3).
struct TransferResult {
    enum Status : std::uint16_t { kAccepted = 0, kControllerError = 1, kUnanswered = 2 };
    std::uint16_t status = kUnanswered;
    std::uint16_t values[4] = {0, 0, 0, 0};
};

// The link's only way out to its owner. Every call comes from the link thread
// (or from the thread that calls ControllerLink::open / send / linkLost); an
// owner with a user interface posts each call to its UI thread and returns at
// once. Calls arrive in the order the link makes them, so an owner that posts
// them keeps that order (for instance programFileRead before the final
// progress(100, 1) of a program read).
class LinkEvents {
public:
    virtual ~LinkEvents() = default;

    // Progress of a long operation: percent 0..100 and result. Result 0
    // (kRunning) only moves the bar; any other result ends the operation:
    // 1 done, 2 failed, 3 no answer, 4 file cannot be opened. An operation may
    // report more than one ending result (a FLASH step that sees a reply with
    // another sequence reports 2 and keeps waiting): the progress window closes
    // on the first one and ignores the rest.
    virtual void progress(int percent, int result) = 0;

    // Outcome of the identify exchange after an open: 2 (kEditTestMode),
    // 3 (kOtherMode) or 4 (kNoController; the port has been closed silently).
    virtual void connectionResult(int result) = 0;

    // The settings read has filled the settings image (or found no controller
    // head and left it unchanged): refresh the current view. The program read
    // follows in the same progress window.
    virtual void settingsReadDone() = 0;

    // 1 (kSettingsReceptionFailed): "設定受信に失敗しました。\n(ベリファイ異常)\n接続を切断します。"
    // 2 (kSettingFailed): "設定に失敗しました。\n(ベリファイ異常)"
    virtual void verifyError(int kind) = 0;

    // The port has been closed by link-lost handling. When `silent` is false
    // the owner shows the warning "USBが切断されました。" titled "異常"; when it is
    // true (disconnect command, failed identify, port listing) nothing is shown.
    virtual void linkLost(bool silent) = 0;

    // The program file read has written `path` (the working file Ncstep.sys):
    // reload the program store from it. Comes before progress(100, 1).
    virtual void programFileRead(const std::string& path) { (void)path; }

    // The program file send has its result record. Comes before progress(100, 1).
    virtual void programSendResult(const TransferResult& result) { (void)result; }

    // A new alarm record is in ControllerStatus::alarmRecord.
    virtual void alarmRecordRead() {}

    // The link has just stored `bytes` into its settings image at `offset`
    // (a copy, as written): after each half of a settings read (the pulse-axis
    // records, then the whole image), after a value read-back that stored
    // something and after an accepted pulse-axis parameter write. Comes before
    // the settingsReadDone or progress result of the same operation. An owner
    // whose other threads show the image keeps its own copy and applies these
    // to it, instead of reading the link's image while the link runs.
    virtual void imageBytesStored(std::size_t offset, const std::vector<std::uint8_t>& bytes) {
        (void)offset;
        (void)bytes;
    }
};

}  // namespace vantrel
