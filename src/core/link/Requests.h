#pragma once

// Builders of every request frame. Each takes the sequence value the frame
// carries (ControllerLink::nextSequence) and returns the sealed frame.

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/Frame.h"
#include "link/JogRequestRecord.h"
#include "link/NetworkRegisterRequest.h"
#include "link/Protocol.h"

namespace vantrel {

// Request field offsets.
namespace field {
inline constexpr std::size_t kPhase = 32;        // uint32, 0x01 and 0x05
inline constexpr std::size_t kFileNumber = 36;   // uint16, 0x05
inline constexpr std::size_t kPieceCount = 32;   // uint16, 0x03 and 0x15
inline constexpr std::size_t kPieceIndex = 34;   // uint16
inline constexpr std::size_t kPieceLength = 36;  // uint16
inline constexpr std::size_t kPieceData = 38;    // 0x03 data
inline constexpr std::size_t kBlockArea = 38;    // uint8, 0x15
inline constexpr std::size_t kBlockData = 39;    // 0x15 data
inline constexpr std::size_t kAddress = 32;      // uint32, 0x07 0x09 0x0D
inline constexpr std::size_t kSize = 36;         // uint16
inline constexpr std::size_t kValue = 40;        // int32
inline constexpr std::size_t kArgument = 32;     // uint8, 0x13 and 0xC1
// Status poll.
inline constexpr std::size_t kRunRequest = 5;
inline constexpr std::size_t kGeneralOutputs = 6;
inline constexpr std::size_t kDriverOutputs = 8;
inline constexpr std::size_t kHostOutputs = 12;
inline constexpr std::size_t kOneShotRequest = 14;
inline constexpr std::size_t kNetworkAlarmReset = 16;
inline constexpr std::size_t kNetworkOutputs = 18;
inline constexpr std::size_t kRequestedMode = 32;
inline constexpr std::size_t kNetworkGroup = 34;
inline constexpr std::size_t kRegisterRequest = 36;
}  // namespace field

// What a status poll sends, as the user means it (not yet inverted).
struct StatusPollOutputs {
    std::uint8_t runRequest = 0;
    std::uint16_t generalOutputs = 0;
    std::array<std::uint8_t, 4> driverOutputs{};
    std::uint16_t hostOutputs = 0;
    std::uint16_t oneShotRequest = 0;
    std::uint16_t networkAlarmResetMask = 0;
    std::array<std::uint16_t, 4> networkOutputs{};
    std::uint16_t requestedMode = 0;
    std::uint16_t networkGroup = 0;
    NetworkRegisterRequest registerRequest;
};

Frame makeIdentifyRequest(std::uint8_t sequence);
Frame makeSettingsReadRequest(std::uint8_t sequence, SettingsPhase phase);
// `count` bytes (at most 20) of piece `index` of `pieceCount`.
Frame makeProgramPieceRequest(std::uint8_t sequence, std::uint16_t pieceCount, std::uint16_t index,
                              const std::uint8_t* data, std::size_t count);
Frame makeProgramReadRequest(std::uint8_t sequence, ProgramReadPhase phase);
Frame makeValueWriteRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size, std::int32_t value);
Frame makeValueReadRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size);
Frame makeJogRequest(std::uint8_t sequence, const JogRequestRecord& record);
Frame makeAxisParameterWriteRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size,
                                    std::int32_t value);
Frame makeInitialiseRequest(std::uint8_t sequence, std::uint8_t what);
// `count` bytes (at most 19) of block `index` of `blockCount` of `area`.
Frame makeSettingsBlockRequest(std::uint8_t sequence, std::uint16_t blockCount, std::uint16_t index,
                               SettingsArea area, const std::uint8_t* data, std::size_t count);
Frame makeAlarmRecordRequest(std::uint8_t sequence);
Frame makeStatusPollRequest(std::uint8_t sequence, const StatusPollOutputs& outputs);
Frame makeFlashWriteRequest(std::uint8_t sequence, std::uint8_t step);

}  // namespace vantrel
