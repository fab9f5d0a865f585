#pragma once

// Decoders of the replies: what the PC takes from each, and where it stores it.
// Every decoder is given the bytes that actually arrived (`received`), so a
// reply cut short is judged as such and never read past its end.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "data/SettingsImage.h"
#include "link/ControllerStatus.h"
#include "link/LinkEvents.h"
#include "link/Protocol.h"

namespace vantrel {

// Reply field offsets.
namespace replyField {
inline constexpr std::size_t kIdentifyName = 32;   // ASCII, 15 bytes, terminated at 47 at the latest
inline constexpr std::size_t kIdentifyNameSize = 15;
inline constexpr std::size_t kIdentifyText2 = 48;  // ASCII, 15 bytes, terminated at 63 at the latest
inline constexpr std::size_t kIdentifyText2Size = 15;
inline constexpr std::size_t kIdentifyMode = 82;   // uint16 LE
inline constexpr std::size_t kProgramSize = 32;    // uint32 LE
inline constexpr std::size_t kAccepted = 32;       // uint16, 0x03 and 0x15 final replies
inline constexpr std::size_t kReceptionFlags = 32; // 4 bytes, zero in the reception-failure reply of 0x15
inline constexpr std::size_t kErrorValues = 34;    // 4 x uint16, 0x03 final reply
inline constexpr std::size_t kValueSize = 36;      // uint16, 0x09
inline constexpr std::size_t kValue = 40;          // value bytes, 0x09
inline constexpr std::size_t kJogPosition = 36;    // int32
inline constexpr std::size_t kJogSpeed = 40;       // int32
inline constexpr std::size_t kAlarmRecord = 32;    // 10 bytes
inline constexpr std::size_t kFlashStepDone = 32;  // uint8
inline constexpr std::size_t kFlashVerify = 34;    // uint16
}  // namespace replyField

// The controller is recognised by these four letters at reply bytes 32..35.
inline constexpr char kControllerSignature[] = "MAIN";

bool sequenceMatches(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence);

struct IdentifyReply {
    std::string name;        // shown in the status pane
    std::string secondText;  // not used by the PC
    std::uint16_t modeWord = 0;
};
// The identify reply when all 88 bytes arrived and name the controller.
std::optional<IdentifyReply> decodeIdentifyReply(const std::uint8_t* reply, std::size_t received);

// File size announced by the 40-byte reply to program read phase 0.
std::optional<std::uint32_t> decodeProgramSize(const std::uint8_t* reply, std::size_t received);

// The result record when the reply is the final answer to the last program
// piece (code 4 and the request's sequence).
std::optional<TransferResult> decodeProgramFinalReply(const std::uint8_t* reply, std::size_t received,
                                                      std::uint8_t sequence);

// The accepted flag when the reply is the final answer to the last block of a
// settings area (code 0x18 and the request's sequence).
std::optional<bool> decodeSettingsFinalReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence);
// The controller's "settings reception failed" answer: the big-endian 16-bit
// words 0 .. n-1 (n = byte 2 / 2 - 1) sum to 0xFFFF without carry and bytes
// 32..35 are zero.
bool isSettingsReceptionFailure(const std::uint8_t* reply, std::size_t received);

struct FlashStepReply {
    bool sequenceMatches = false;
    bool stepDone = false;     // byte 32 non-zero
    bool verifyError = false;  // bytes 34..35 non-zero
};
FlashStepReply decodeFlashStepReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence);

// Value bytes of an accepted value read (length 48 and the request's
// sequence), as they lie in the reply (big-endian for 2- and 4-byte items).
std::optional<std::array<std::uint8_t, 4>> decodeValueReadReply(const std::uint8_t* reply, std::size_t received,
                                                                std::uint8_t sequence);
// Stores `size` bytes of a value read back from `address` by the address
// table: into the settings image (swapped where the controller keeps the item
// big-endian) or into the live network values. False when the address has no
// place (nothing is stored): counters and flag words among them. When the
// bytes went into the image, `imageOffset` (if given) receives their offset
// there (`size` bytes); it is left alone otherwise.
bool storeValueRead(SettingsImage& image, ControllerStatus& status, std::uint32_t address, std::uint16_t size,
                    const std::array<std::uint8_t, 4>& bytes, std::size_t* imageOffset = nullptr);

// Stores an accepted pulse-axis parameter write into its record of the
// image; false (nothing stored) for an address outside the four records.
// `imageOffset` (if given) receives the offset of the `size` bytes stored.
bool storeAxisParameter(SettingsImage& image, std::uint32_t address, std::uint16_t size, std::int32_t value,
                        std::size_t* imageOffset = nullptr);

// A status poll reply of all 212 bytes with the request's sequence: stored
// into the status (inputs inverted back) and counted in
// ControllerStatus::statusReplies. False (nothing stored) for anything else.
bool acceptStatusReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence,
                       ControllerStatus& status);

// A JOG reply of all 48 bytes with the request's sequence: the command
// position and speed of the record's axis are stored.
bool acceptJogReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence, std::uint8_t axisIndex,
                    ControllerStatus& status);

// An alarm record reply of all 44 bytes with the request's sequence: its ten
// alarm codes are stored.
bool acceptAlarmRecord(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence,
                       ControllerStatus& status);

}  // namespace vantrel
