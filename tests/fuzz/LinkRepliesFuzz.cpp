// Any bytes as the reply to any request of the link, of any length: no read
// past what arrived, and nothing taken that the link must not take (a reply
// cut short, or one that answers another request). (The initialise reply is
// judged by its length alone and has no decoder.)
//
// Input: [0] which reply, [1] the request's sequence, [2..5] address and
// [6..7] size of a single value, [8] JOG axis, then the reply as it arrived.
// The reply lies in a buffer of exactly its length, so a read past it is
// caught.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "data/ByteOrder.h"
#include "link/ControllerStatus.h"
#include "link/Protocol.h"
#include "link/Replies.h"
#include "link/SettingsTransfer.h"

using namespace vantrel;

namespace {

constexpr std::size_t kParameters = 9;

void require(bool condition) {
    if (!condition) std::abort();
}

bool answers(const std::uint8_t* reply, std::size_t n, std::uint8_t sequence) {
    return n > frame::kSequence && reply[frame::kSequence] == sequence;
}

// The bulk phases are applied only to a buffer read in full; the reply's
// bytes go to its start, the rest is what an earlier read left (zeros here).
void applyBulk(const std::uint8_t* reply, std::size_t n, bool memoryPhase, SettingsImage& image) {
    static std::vector<std::uint8_t> buffer(replyLength::kSettingsPhase2);
    const std::size_t length = memoryPhase ? replyLength::kSettingsPhase2 : replyLength::kSettingsPhase1;
    std::memcpy(buffer.data(), reply, std::min(n, length));
    const std::uint8_t reserved = image.u8(layout::kReservedLast);
    if (memoryPhase)
        applyMemoryPhase(buffer.data(), image);
    else
        applyPulseAxisPhase(buffer.data(), image);
    require(image.u8(layout::kReservedLast) == reserved);  // no transfer carries it
    std::memset(buffer.data(), 0, std::min(n, length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto image = std::make_unique<SettingsImage>();
    static ControllerStatus status;
    if (size < kParameters) return 0;
    const std::uint8_t kind = data[0];
    const std::uint8_t sequence = data[1];
    const std::uint32_t address = readU32LE(data + 2);
    const std::uint16_t valueSize = readU16LE(data + 6);
    const std::uint8_t axis = data[8];
    const std::size_t n = size - kParameters;
    const std::unique_ptr<std::uint8_t[]> owned(new std::uint8_t[n == 0 ? 1 : n]);
    std::memcpy(owned.get(), data + kParameters, n);
    const std::uint8_t* reply = owned.get();

    switch (kind % 13) {
        case 0: {  // identify
            const auto id = decodeIdentifyReply(reply, n);
            if (id) {
                require(n >= replyLength::kIdentify && std::memcmp(reply + 32, "MAIN", 4) == 0);
                require(id->name.size() <= 15 && id->secondText.size() <= 15);
                require(id->modeWord == readU16LE(reply + replyField::kIdentifyMode));
            }
            break;
        }
        case 1: applyBulk(reply, n, false, *image); break;  // settings read, phase 1
        case 2: applyBulk(reply, n, true, *image); break;   // settings read, phase 2
        case 3: {  // last program piece
            const auto r = decodeProgramFinalReply(reply, n, sequence);
            if (r) {
                require(n >= replyLength::kProgramFinal && reply[frame::kCode] == kProgramFinalReplyCode);
                require(answers(reply, n, sequence));
                require((r->status == TransferResult::kAccepted) == (readU16LE(reply + replyField::kAccepted) != 0));
            }
            break;
        }
        case 4: {  // program read, phase 0
            const auto announced = decodeProgramSize(reply, n);
            require(announced.has_value() == (n >= replyLength::kProgramSize));
            break;
        }
        case 5:  // value write and pulse-axis write: the sequence alone
            require(sequenceMatches(reply, n, sequence) == answers(reply, n, sequence));
            break;
        case 6: {  // value read, stored by its address
            const auto bytes = decodeValueReadReply(reply, n, sequence);
            require(!bytes || (n == replyLength::kReadValue && answers(reply, n, sequence)));
            if (bytes) {
                std::size_t offset = SettingsImage::size();
                if (storeValueRead(*image, status, address, valueSize, *bytes, &offset) && offset < SettingsImage::size())
                    require(valueSize >= 1 && valueSize <= 4 && offset + valueSize <= SettingsImage::size());
            }
            break;
        }
        case 7: {  // pulse-axis write accepted: stored into its record only
            std::int32_t value = 0;
            std::memcpy(&value, reply, std::min<std::size_t>(n, sizeof value));
            std::size_t offset = 0;
            if (storeAxisParameter(*image, address, valueSize, value, &offset)) {
                require(offset >= layout::kPulseAxes && offset + valueSize <= layout::kPulseAxes + 4 * 256);
                require((offset - layout::kPulseAxes) / 256 == (offset + valueSize - 1 - layout::kPulseAxes) / 256);
            }
            break;
        }
        case 8: {  // JOG
            const bool taken = acceptJogReply(reply, n, sequence, axis, status);
            require(!taken || (n == replyLength::kJog && answers(reply, n, sequence)));
            break;
        }
        case 9: {  // last settings block
            const auto accepted = decodeSettingsFinalReply(reply, n, sequence);
            require(!accepted || (n >= replyLength::kSettingsFinal && reply[frame::kCode] == kSettingsFinalReplyCode &&
                                  answers(reply, n, sequence)));
            if (isSettingsReceptionFailure(reply, n))
                require(n >= replyLength::kSettingsFinal && readU32LE(reply + replyField::kReceptionFlags) == 0);
            break;
        }
        case 10: {  // alarm record
            const bool taken = acceptAlarmRecord(reply, n, sequence, status);
            require(!taken || (n == replyLength::kAlarmRecord && answers(reply, n, sequence)));
            break;
        }
        case 11: {  // status poll
            const std::uint32_t before = status.statusReplies.load();
            const bool taken = acceptStatusReply(reply, n, sequence, status);
            require(!taken || (n == replyLength::kStatusPoll && answers(reply, n, sequence)));
            require(status.statusReplies.load() == before + (taken ? 1u : 0u));
            break;
        }
        case 12: {  // FLASH step
            const FlashStepReply r = decodeFlashStepReply(reply, n, sequence);
            if (n < replyLength::kFlashWriteStep) require(!r.sequenceMatches && !r.stepDone && !r.verifyError);
            require(!r.sequenceMatches || answers(reply, n, sequence));
            break;
        }
    }
    return 0;
}
