#include "link/Requests.h"

#include <algorithm>

namespace vantrel {

Frame makeIdentifyRequest(std::uint8_t sequence) {
    Frame f(RequestCode::Identify, requestLength::kIdentify, sequence);
    f.seal();
    return f;
}

Frame makeSettingsReadRequest(std::uint8_t sequence, SettingsPhase phase) {
    Frame f(RequestCode::ReadSettings, requestLength::kReadSettings, sequence);
    f.setU32(field::kPhase, static_cast<std::uint32_t>(phase));
    f.seal();
    return f;
}

Frame makeProgramPieceRequest(std::uint8_t sequence, std::uint16_t pieceCount, std::uint16_t index,
                              const std::uint8_t* data, std::size_t count) {
    count = std::min(count, kProgramPieceSize);
    Frame f(RequestCode::SendProgramPiece, requestLength::kProgramPieceBase + count, sequence);
    f.setU16(field::kPieceCount, pieceCount);
    f.setU16(field::kPieceIndex, index);
    f.setU16(field::kPieceLength, static_cast<std::uint16_t>(count));
    f.setBytes(field::kPieceData, data, count);
    f.seal();
    return f;
}

Frame makeProgramReadRequest(std::uint8_t sequence, ProgramReadPhase phase) {
    Frame f(RequestCode::ReadProgram, requestLength::kReadProgram, sequence);
    f.setU32(field::kPhase, static_cast<std::uint32_t>(phase));
    f.setU16(field::kFileNumber, kProgramReadFileNumber);
    f.seal();
    return f;
}

namespace {
Frame valueFrame(RequestCode code, std::size_t length, std::uint8_t sequence, std::uint32_t address,
                 std::uint16_t size, std::int32_t value) {
    Frame f(code, length, sequence);
    f.setU32(field::kAddress, address);
    f.setU16(field::kSize, size);
    if (length >= field::kValue + 4 + frame::kCheckSize) f.setU32(field::kValue, static_cast<std::uint32_t>(value));
    f.seal();
    return f;
}
}  // namespace

Frame makeValueWriteRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size, std::int32_t value) {
    return valueFrame(RequestCode::WriteValue, requestLength::kWriteValue, sequence, address, size, value);
}

Frame makeValueReadRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size) {
    return valueFrame(RequestCode::ReadValue, requestLength::kReadValue, sequence, address, size, 0);
}

Frame makeJogRequest(std::uint8_t sequence, const JogRequestRecord& record) {
    Frame f(RequestCode::Jog, requestLength::kJog, sequence);
    const std::size_t first = JogRequestRecord::kCopyFirst;
    f.setBytes(first, record.bytes.data() + first, JogRequestRecord::kCopyLast - first + 1);
    f.seal();
    return f;
}

Frame makeAxisParameterWriteRequest(std::uint8_t sequence, std::uint32_t address, std::uint16_t size,
                                    std::int32_t value) {
    return valueFrame(RequestCode::WriteAxisParameter, requestLength::kWriteAxisParameter, sequence, address, size,
                      value);
}

Frame makeInitialiseRequest(std::uint8_t sequence, std::uint8_t what) {
    Frame f(RequestCode::Initialise, requestLength::kInitialise, sequence);
    f.setU8(field::kArgument, what);
    f.seal();
    return f;
}

Frame makeSettingsBlockRequest(std::uint8_t sequence, std::uint16_t blockCount, std::uint16_t index,
                               SettingsArea area, const std::uint8_t* data, std::size_t count) {
    count = std::min(count, kSettingsBlockSize);
    Frame f(RequestCode::WriteSettingsBlock, requestLength::kSettingsBlockBase + count, sequence);
    f.setU16(field::kPieceCount, blockCount);
    f.setU16(field::kPieceIndex, index);
    f.setU16(field::kPieceLength, static_cast<std::uint16_t>(count));
    f.setU8(field::kBlockArea, static_cast<std::uint8_t>(area));
    f.setBytes(field::kBlockData, data, count);
    f.seal();
    return f;
}

Frame makeAlarmRecordRequest(std::uint8_t sequence) {
    Frame f(RequestCode::ReadAlarmRecord, requestLength::kReadAlarmRecord, sequence);
    f.seal();
    return f;
}

Frame makeStatusPollRequest(std::uint8_t sequence, const StatusPollOutputs& o) {
    Frame f(RequestCode::StatusPoll, requestLength::kStatusPoll, sequence);
    f.setU8(field::kRunRequest, o.runRequest);
    f.setU16(field::kGeneralOutputs, static_cast<std::uint16_t>(~o.generalOutputs));
    for (std::size_t i = 0; i < o.driverOutputs.size(); ++i)
        f.setU8(field::kDriverOutputs + i, static_cast<std::uint8_t>(~o.driverOutputs[i]));
    f.setU16(field::kHostOutputs, static_cast<std::uint16_t>(~(o.hostOutputs | kHostOutputForcedBits)));
    f.setU16(field::kOneShotRequest, o.oneShotRequest);
    f.setU16(field::kNetworkAlarmReset, o.networkAlarmResetMask);
    for (std::size_t i = 0; i < o.networkOutputs.size(); ++i) f.setU16(field::kNetworkOutputs + 2 * i, o.networkOutputs[i]);
    f.setU16(field::kRequestedMode, o.requestedMode);
    f.setU16(field::kNetworkGroup, o.networkGroup);
    const auto reg = o.registerRequest.encode();
    f.setBytes(field::kRegisterRequest, reg.data(), reg.size());
    f.seal();
    return f;
}

Frame makeFlashWriteRequest(std::uint8_t sequence, std::uint8_t step) {
    Frame f(RequestCode::FlashWriteStep, requestLength::kFlashWriteStep, sequence);
    f.setU8(field::kArgument, step);
    f.seal();
    return f;
}

}  // namespace vantrel
