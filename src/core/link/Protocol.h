#pragma once

// Numbers of the controller protocol: frame layout, request codes, frame and
// reply lengths, and the operation codes the link thread dispatches on. Every
// number that reaches the wire is named here.

#include <cstddef>
#include <cstdint>

#include "data/ControllerMode.h"

namespace vantrel {

namespace frame {
inline constexpr std::uint8_t kStartByte = 0x02;
inline constexpr std::size_t kStart = 0;     // uint8, always kStartByte
inline constexpr std::size_t kSequence = 1;  // uint8, echoed by the reply
inline constexpr std::size_t kLength = 2;    // uint16 LE, whole frame incl. check code
inline constexpr std::size_t kCode = 4;      // request code / reply code
inline constexpr std::size_t kFields = 32;   // first command field
inline constexpr std::size_t kCheckSize = 2; // check code, low byte first, at length - 2
inline constexpr std::size_t kMaxRequestLength = 60;
}  // namespace frame

enum class RequestCode : std::uint8_t {
    Identify = 0x00,
    ReadSettings = 0x01,
    SendProgramPiece = 0x03,
    ReadProgram = 0x05,
    WriteValue = 0x07,
    ReadValue = 0x09,
    Jog = 0x0B,
    WriteAxisParameter = 0x0D,
    Initialise = 0x13,
    WriteSettingsBlock = 0x15,
    ReadAlarmRecord = 0x19,
    StatusPoll = 0xAA,
    FlashWriteStep = 0xC1,
};

// Total request frame lengths.
namespace requestLength {
inline constexpr std::size_t kIdentify = 36;
inline constexpr std::size_t kReadSettings = 40;
inline constexpr std::size_t kProgramPieceBase = 40;  // + piece bytes (at most 20)
inline constexpr std::size_t kReadProgram = 40;
inline constexpr std::size_t kWriteValue = 48;
inline constexpr std::size_t kReadValue = 40;
inline constexpr std::size_t kJog = 60;
inline constexpr std::size_t kWriteAxisParameter = 48;
inline constexpr std::size_t kInitialise = 36;
inline constexpr std::size_t kSettingsBlockBase = 41;  // + block bytes (at most 19)
inline constexpr std::size_t kReadAlarmRecord = 36;
inline constexpr std::size_t kStatusPoll = 52;
inline constexpr std::size_t kFlashWriteStep = 36;
}  // namespace requestLength

// Reply sizes the PC reads.
namespace replyLength {
inline constexpr std::size_t kIdentify = 88;
inline constexpr std::size_t kSettingsPhase0 = 40;
inline constexpr std::size_t kSettingsPhase1 = 65536;
inline constexpr std::size_t kSettingsPhase2 = 524320;
inline constexpr std::size_t kProgramFinal = 60;  // after the last program piece
inline constexpr std::size_t kProgramSize = 40;   // program read, phase 0
inline constexpr std::size_t kWriteValue = 48;
inline constexpr std::size_t kReadValue = 48;
inline constexpr std::size_t kJog = 48;
inline constexpr std::size_t kWriteAxisParameter = 48;
inline constexpr std::size_t kInitialise = 36;
inline constexpr std::size_t kSettingsFinal = 60;  // after the last block of an area
inline constexpr std::size_t kAlarmRecord = 44;
inline constexpr std::size_t kStatusPoll = 212;
inline constexpr std::size_t kFlashWriteStep = 60;
}  // namespace replyLength

// Bulk replies start with a head of this many bytes before the data.
inline constexpr std::size_t kBulkHeadSize = 32;
// Largest program file the controller holds (its receive buffer is 131,104 bytes).
inline constexpr std::size_t kMaxProgramFileSize = 131072;
inline constexpr std::size_t kProgramPieceSize = 20;
inline constexpr std::size_t kSettingsBlockSize = 19;
inline constexpr std::size_t kAlarmRecordSize = 10;

// Phases of the settings read (request 0x01).
enum class SettingsPhase : std::uint32_t { Head = 0, PulseAxes = 1, Memory = 2 };
// Phases of the program read (request 0x05).
enum class ProgramReadPhase : std::uint32_t { Size = 0, File = 1 };
inline constexpr std::uint16_t kProgramReadFileNumber = 1;

// Areas of the settings write (request 0x15, byte 38).
enum class SettingsArea : std::uint8_t { PulseAxes = 1, Positions = 2, Network = 3 };

// What the initialise request (0x13) resets.
enum class InitialiseWhat : std::uint8_t { AxisSettings = 1, Parameters = 2, AllData = 3 };

// Reply codes checked at byte 4.
inline constexpr std::uint8_t kProgramFinalReplyCode = 4;
inline constexpr std::uint8_t kSettingsFinalReplyCode = 0x18;

// Run request of the status poll (byte 5).
enum class RunRequest : std::uint8_t { None = 0, Start = 0xD7, Stop = 0xD8 };
// One-shot request of the status poll (bytes 14..15).
inline constexpr std::uint16_t kAlarmResetRequest = 1;
// Bits 4..7 of the host output word always go out as 0 (forced to 1 before inversion).
inline constexpr std::uint16_t kHostOutputForcedBits = 0x00F0;


// Operation codes held in the link's pending operation.
enum class LinkOp : std::uint8_t {
    Identify = 0,
    SettingsRead = 1,
    ProgramSend = 3,
    ProgramRead = 5,
    ValueWrite = 7,
    ValueRead = 9,
    Jog = 11,
    AxisParameterWrite = 13,
    Initialise = 19,
    SettingsWriteArea1 = 21,
    SettingsWriteArea2 = 22,
    SettingsWriteArea3 = 23,
    AlarmRead = 25,
    Idle = 0xAA,
    FlashWrite = 192,
};

// Results carried by LinkEvents::progress.
enum ProgressResult : int {
    kRunning = 0,
    kDone = 1,
    kFailed = 2,
    kNoAnswer = 3,
    kFileError = 4,  // file cannot be opened
    kCancelled = 255,  // the progress window's own cancel
};

// Results carried by LinkEvents::connectionResult.
enum ConnectionResult : int { kEditTestMode = 2, kOtherMode = 3, kNoController = 4 };

// Kinds carried by LinkEvents::verifyError.
enum VerifyErrorKind : int { kSettingsReceptionFailed = 1, kSettingFailed = 2 };

}  // namespace vantrel
