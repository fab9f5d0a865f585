#pragma once

// Request and reply codes, fixed sizes and status bits of the controller
// protocol as the simulated controller answers it; shared by the files of
// ControllerSim.

#include <cstddef>
#include <cstdint>

#include "data/ControllerMode.h"
#include "sim/ControllerMemory.h"

namespace vantrel::simproto {

// Request codes.
constexpr std::uint8_t kIdentify = 0x00;
constexpr std::uint8_t kReadSettings = 0x01;
constexpr std::uint8_t kProgramPiece = 0x03;
constexpr std::uint8_t kReadProgram = 0x05;
constexpr std::uint8_t kWriteValue = 0x07;
constexpr std::uint8_t kReadValue = 0x09;
constexpr std::uint8_t kJog = 0x0B;
constexpr std::uint8_t kWriteAxisParameter = 0x0D;
constexpr std::uint8_t kInitialise = 0x13;
constexpr std::uint8_t kSettingsBlock = 0x15;
constexpr std::uint8_t kAlarmRecord = 0x19;
constexpr std::uint8_t kStatusPoll = 0xAA;
constexpr std::uint8_t kFlashStep = 0xC1;

// Reply codes that differ from the request code.
constexpr std::uint8_t kProgramFinalCode = 4;
constexpr std::uint8_t kSettingsFinalCode = 0x18;

constexpr std::size_t kHeadSize = 32;
constexpr std::size_t kMinFrame = 36;
constexpr std::size_t kPieceSize = 20;
constexpr std::size_t kBlockSize = 19;
constexpr std::size_t kMaxProgramSize = 131072;
// Bound of a program read padded by the announced-size fault.
constexpr std::size_t kMaxAnnouncedDelivery = 16u << 20;

constexpr std::size_t kSettingsPhase0Length = 40;
constexpr std::size_t kSettingsPhase1Length = 65536;
constexpr std::size_t kSettingsPhase2Length = kHeadSize + ControllerMemory::kSize;  // 524,320

constexpr auto kEditTestMode = static_cast<std::uint16_t>(ControllerMode::EditTest);
constexpr auto kAutoRunMode = static_cast<std::uint16_t>(ControllerMode::AutoRun);

// Run requests and one-shots of the status poll.
constexpr std::uint8_t kRunStart = 0xD7;
constexpr std::uint8_t kRunStop = 0xD8;
constexpr std::uint16_t kAlarmResetRequest = 1;
constexpr std::uint16_t kHostForcedBits = 0x00F0;

}  // namespace vantrel::simproto
