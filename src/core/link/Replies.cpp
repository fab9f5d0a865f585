#include "link/Replies.h"

#include <algorithm>
#include <cstring>

#include "data/ByteOrder.h"
#include "link/Frame.h"
#include "link/JogRequestRecord.h"

namespace vantrel {
namespace {

// Status reply layout.
constexpr std::size_t kAlarmCode = 5;
constexpr std::size_t kGeneralInputs = 6;
constexpr std::size_t kDriverInputs = 8;
constexpr std::size_t kHostInputs = 12;
constexpr std::size_t kSensorInputs = 14;  // big-endian
constexpr std::size_t kGeneralOutputs = 16;
constexpr std::size_t kDriverOutputs = 18;
constexpr std::size_t kHostOutputs = 22;
constexpr std::size_t kAxisCommandPosition = 32;
constexpr std::size_t kAxisDetectedPosition = 48;
constexpr std::size_t kAxisCommandSpeed = 64;
constexpr std::size_t kAxisDetectedSpeed = 80;
constexpr std::size_t kNetworkCommandPosition = 96;
constexpr std::size_t kNetworkDetectedPosition = 112;
constexpr std::size_t kNetworkCommandSpeed = 128;
constexpr std::size_t kNetworkDetectedSpeed = 144;
constexpr std::size_t kNetworkStatus = 160;
constexpr std::size_t kNetworkWord = 176;
constexpr std::size_t kNetworkWord2 = 184;
constexpr std::size_t kRunFlags = 192;
constexpr std::size_t kStatusValues = 200;
constexpr std::size_t kModeWord = 208;

constexpr auto relaxed = std::memory_order_relaxed;

std::string asciiField(const std::uint8_t* p, std::size_t size) {
    std::size_t n = 0;
    while (n < size && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(readU32LE(p)); }

// Stores `size` bytes at image `offset` when they fit inside [regionStart, regionEnd).
bool storeBytes(SettingsImage& image, std::size_t offset, std::size_t regionStart, std::size_t regionEnd,
                std::uint16_t size, const std::array<std::uint8_t, 4>& bytes, bool swap, std::size_t* imageOffset) {
    if (size < 1 || size > 4 || offset < regionStart || offset + size > regionEnd) return false;
    const bool reverse = swap && (size == 2 || size == 4);
    for (std::size_t i = 0; i < size; ++i) image.setU8(offset + i, bytes[reverse ? size - 1 - i : i]);
    if (imageOffset) *imageOffset = offset;
    return true;
}

}  // namespace

bool sequenceMatches(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence) {
    return received > frame::kSequence && reply[frame::kSequence] == sequence;
}

std::optional<IdentifyReply> decodeIdentifyReply(const std::uint8_t* reply, std::size_t received) {
    if (received < replyLength::kIdentify) return std::nullopt;
    if (std::memcmp(reply + replyField::kIdentifyName, kControllerSignature, 4) != 0) return std::nullopt;
    IdentifyReply r;
    r.name = asciiField(reply + replyField::kIdentifyName, replyField::kIdentifyNameSize);
    r.secondText = asciiField(reply + replyField::kIdentifyText2, replyField::kIdentifyText2Size);
    r.modeWord = readU16LE(reply + replyField::kIdentifyMode);
    return r;
}

std::optional<std::uint32_t> decodeProgramSize(const std::uint8_t* reply, std::size_t received) {
    if (received < replyLength::kProgramSize) return std::nullopt;
    return readU32LE(reply + replyField::kProgramSize);
}

std::optional<TransferResult> decodeProgramFinalReply(const std::uint8_t* reply, std::size_t received,
                                                      std::uint8_t sequence) {
    if (received < replyLength::kProgramFinal || reply[frame::kCode] != kProgramFinalReplyCode ||
        !sequenceMatches(reply, received, sequence))
        return std::nullopt;
    TransferResult r;
    if (readU16LE(reply + replyField::kAccepted) != 0) {
        r.status = TransferResult::kAccepted;
    } else {
        r.status = TransferResult::kControllerError;
        for (std::size_t i = 0; i < 4; ++i) r.values[i] = readU16LE(reply + replyField::kErrorValues + 2 * i);
    }
    return r;
}

std::optional<bool> decodeSettingsFinalReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence) {
    if (received < replyLength::kSettingsFinal || reply[frame::kCode] != kSettingsFinalReplyCode ||
        !sequenceMatches(reply, received, sequence))
        return std::nullopt;
    return readU16LE(reply + replyField::kAccepted) != 0;
}

bool isSettingsReceptionFailure(const std::uint8_t* reply, std::size_t received) {
    if (received < replyLength::kSettingsFinal) return false;
    // Words beyond the 60 bytes read are never summed, whatever byte 2 says.
    const std::size_t announced = reply[frame::kLength] / 2;
    const std::size_t words = std::min(announced > 0 ? announced - 1 : 0, replyLength::kSettingsFinal / 2);
    std::uint16_t sum = 0;
    for (std::size_t w = 0; w < words; ++w) sum = static_cast<std::uint16_t>(sum + readU16BE(reply + 2 * w));
    const std::uint8_t* flags = reply + replyField::kReceptionFlags;
    const bool flagsZero = std::all_of(flags, flags + 4, [](std::uint8_t b) { return b == 0; });
    return sum == 0xFFFF && flagsZero;
}

FlashStepReply decodeFlashStepReply(const std::uint8_t* reply, std::size_t received, std::uint8_t sequence) {
    FlashStepReply r;
    if (received < replyLength::kFlashWriteStep) return r;
    r.sequenceMatches = sequenceMatches(reply, received, sequence);
    r.stepDone = reply[replyField::kFlashStepDone] != 0;
    r.verifyError = readU16LE(reply + replyField::kFlashVerify) != 0;
    return r;
}

std::optional<std::array<std::uint8_t, 4>> decodeValueReadReply(const std::uint8_t* reply, std::size_t received,
                                                                std::uint8_t sequence) {
    if (received != replyLength::kReadValue || !sequenceMatches(reply, received, sequence)) return std::nullopt;
    std::array<std::uint8_t, 4> bytes{};
    std::copy_n(reply + replyField::kValue, bytes.size(), bytes.begin());
    return bytes;
}

bool storeValueRead(SettingsImage& image, ControllerStatus& status, std::uint32_t address, std::uint16_t size,
                    const std::array<std::uint8_t, 4>& bytes, std::size_t* imageOffset) {
    using namespace layout;
    if (address == address::kSpeedOverrideLevel)
        return storeBytes(image, kSpeedOverrideLevel, kSpeedOverrideLevel, kSpeedOverrideLevel + 1, size, bytes, false,
                          imageOffset);
    if (address >= address::kTimers && address < address::kTimers + 2 * kTimerCount)
        return storeBytes(image, kTimers + (address - address::kTimers), kTimers, kCounters, size, bytes, true,
                          imageOffset);
    if (address == address::kEthernet || address == address::kEthernet + 4 || address == address::kEthernet + 8)
        return storeBytes(image, kEthernet + (address - address::kEthernet), kEthernet, kEthernetPort, size, bytes,
                          false, imageOffset);
    if (address == address::kEthernetPort)
        return storeBytes(image, kEthernetPort, kEthernetPort, kSpeedOverrideLevel, size, bytes, true,
                          imageOffset);
    if (address >= address::kPositionBlocks && address < address::kPositionBlocks + kNetworkCommParams)
        return storeBytes(image, address - address::kPositionBlocks, kPositionBlocks, kNetworkCommParams, size, bytes,
                          false, imageOffset);
    const std::uint32_t liveEnd = ControllerStatus::kNetworkLiveBase + ControllerStatus::kNetworkLiveSize;
    if (address >= ControllerStatus::kNetworkLiveBase && address < liveEnd) {
        const std::size_t at = address - ControllerStatus::kNetworkLiveBase;
        if (size < 1 || size > 4 || at + size > ControllerStatus::kNetworkLiveSize) return false;
        const bool reverse = size == 2 || size == 4;
        for (std::size_t i = 0; i < size; ++i)
            status.networkLive[at + i].store(bytes[reverse ? size - 1 - i : i], relaxed);
        return true;
    }
    if (address >= address::kNetwork && address < ControllerStatus::kNetworkLiveBase)
        return storeBytes(image, kNetworkCommParams + (address - address::kNetwork), kNetworkCommParams, kPulseAxes,
                          size, bytes, true, imageOffset);
    // Counters and flag words are written but their read-back is not stored:
    // the image already holds what the edit wrote.
    return false;
}

bool storeAxisParameter(SettingsImage& image, std::uint32_t address, std::uint16_t size, std::int32_t value,
                        std::size_t* imageOffset) {
    const auto offset = pulseAxisOffsetOfAddress(address);
    if (!offset || size < 1 || size > 4) return false;
    const auto last = pulseAxisOffsetOfAddress(address + size - 1u);
    if (!last || *last != *offset + size - 1u) return false;  // would cross the record's end
    image.setValue(*offset, size, value);
    if (imageOffset) *imageOffset = *offset;
    return true;
}

bool acceptStatusReply(const std::uint8_t* r, std::size_t received, std::uint8_t sequence, ControllerStatus& s) {
    if (received != replyLength::kStatusPoll || !sequenceMatches(r, received, sequence)) return false;
    s.alarmCode.store(r[kAlarmCode], relaxed);
    s.generalInputs.store(static_cast<std::uint16_t>(~readU16LE(r + kGeneralInputs)), relaxed);
    for (std::size_t i = 0; i < 4; ++i) {
        s.driverInputs[i].store(static_cast<std::uint8_t>(~r[kDriverInputs + i]), relaxed);
        s.driverOutputs[i].store(static_cast<std::uint8_t>(~r[kDriverOutputs + i]), relaxed);
    }
    s.hostInputs.store(static_cast<std::uint16_t>(~readU16LE(r + kHostInputs)), relaxed);
    s.sensorInputs.store(static_cast<std::uint16_t>(~readU16BE(r + kSensorInputs)), relaxed);
    s.generalOutputs.store(static_cast<std::uint16_t>(~readU16LE(r + kGeneralOutputs)), relaxed);
    s.hostOutputs.store(static_cast<std::uint16_t>(~readU16LE(r + kHostOutputs)), relaxed);
    for (std::size_t i = 0; i < 4; ++i) {
        s.axisCommandPosition[i].store(s32(r + kAxisCommandPosition + 4 * i), relaxed);
        s.axisDetectedPosition[i].store(s32(r + kAxisDetectedPosition + 4 * i), relaxed);
        s.axisCommandSpeed[i].store(s32(r + kAxisCommandSpeed + 4 * i), relaxed);
        s.axisDetectedSpeed[i].store(s32(r + kAxisDetectedSpeed + 4 * i), relaxed);
        s.networkCommandPosition[i].store(s32(r + kNetworkCommandPosition + 4 * i), relaxed);
        s.networkDetectedPosition[i].store(s32(r + kNetworkDetectedPosition + 4 * i), relaxed);
        s.networkCommandSpeed[i].store(s32(r + kNetworkCommandSpeed + 4 * i), relaxed);
        s.networkDetectedSpeed[i].store(s32(r + kNetworkDetectedSpeed + 4 * i), relaxed);
        s.networkStatus[i].store(readU32LE(r + kNetworkStatus + 4 * i), relaxed);
        s.networkWord[i].store(readU16LE(r + kNetworkWord + 2 * i), relaxed);
        s.networkWord2[i].store(readU16LE(r + kNetworkWord2 + 2 * i), relaxed);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        s.runFlags[i].store(r[kRunFlags + i], relaxed);
        s.statusValues[i].store(r[kStatusValues + i], relaxed);
    }
    s.modeWord.store(readU16LE(r + kModeWord), relaxed);
    s.statusReplies.fetch_add(1, relaxed);
    return true;
}

bool acceptJogReply(const std::uint8_t* r, std::size_t received, std::uint8_t sequence, std::uint8_t axisIndex,
                    ControllerStatus& s) {
    if (received != replyLength::kJog || !sequenceMatches(r, received, sequence)) return false;
    const std::int32_t position = s32(r + replyField::kJogPosition);
    const std::int32_t speed = s32(r + replyField::kJogSpeed);
    if (axisIndex < JogRequestRecord::kFirstNetworkAxis) {
        s.axisCommandPosition[axisIndex].store(position, relaxed);
        s.axisCommandSpeed[axisIndex].store(speed, relaxed);
        return true;
    }
    // Network driver index k (4..19) is slot k % 4 of group k / 4 - 1, the
    // group the JOG window keeps selected while it drives that driver.
    if (axisIndex >= JogRequestRecord::kFirstNetworkAxis + layout::kNetworkDriverCount) return true;
    const std::size_t slot = axisIndex % 4;
    s.networkCommandPosition[slot].store(position, relaxed);
    s.networkCommandSpeed[slot].store(speed, relaxed);
    return true;
}

bool acceptAlarmRecord(const std::uint8_t* r, std::size_t received, std::uint8_t sequence, ControllerStatus& s) {
    if (received != replyLength::kAlarmRecord || !sequenceMatches(r, received, sequence)) return false;
    for (std::size_t i = 0; i < kAlarmRecordSize; ++i) s.alarmRecord[i].store(r[replyField::kAlarmRecord + i], relaxed);
    return true;
}

}  // namespace vantrel
