#include "sim/ControllerSim.h"

#include <algorithm>
#include <cstring>

#include "data/ByteOrder.h"
#include "data/DefaultImage.h"
#include "sim/ReplyFrame.h"
#include "sim/SimProtocol.h"

namespace vantrel {

using namespace simproto;

namespace {

std::size_t areaSize(int area) {
    switch (area) {
    case 1: return layout::kPulseAxisSize * layout::kPulseAxisCount;  // 1,024
    case 2: return ControllerMemory::kPositionsSize;                  // 68,864
    case 3: return ControllerMemory::kNetworkSize;                    // 102,672
    default: return 0;
    }
}

}  // namespace

// --- Settings read ----------------------------------------------------------

ControllerSim::Reply ControllerSim::readSettings(const std::uint8_t* req) {
    const std::uint32_t phase = readU32LE(req + 32);
    if (phase == 0) {
        ReplyFrame f(kSettingsPhase0Length, req[1], kReadSettings);
        return {f.finish()};
    }
    if (phase == 1) {
        // The pulse-axis parameter records, one every 256 bytes from reply offset 288.
        ReplyFrame f(kSettingsPhase1Length, req[1], kReadSettings);
        for (std::uint32_t a = 0; a < layout::kPulseAxisCount; ++a) {
            memory_.readParameters(ControllerMemory::kParameterStride * a + ControllerMemory::kParameterBase,
                                   f.data() + kHeadSize + 256 + 256 * a, ControllerMemory::kParameterRecordSize);
        }
        return {f.takeBulk(), true};
    }
    if (phase == 2) {
        // The whole memory from address 0 after the head.
        ReplyFrame f(kSettingsPhase2Length, req[1], kReadSettings);
        f.setBytes(kHeadSize, memory_.bytes(), ControllerMemory::kSize);
        return {f.takeBulk(), true};
    }
    return {};
}

// --- Single values ----------------------------------------------------------

ControllerSim::Reply ControllerSim::writeOneValue(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    const std::uint32_t value = readU32LE(req + 40);
    // An address outside the memory or a size outside 1..4 stores nothing; the
    // write is still answered so the PC does not repeat it for ever.
    memory_.writeValue(address, size, value);
    return echoValueWrite(req, kWriteValue);
}

// The answer to a value or parameter write echoes its address, size and value.
ControllerSim::Reply ControllerSim::echoValueWrite(const std::uint8_t* req, std::uint8_t code) {
    ReplyFrame f(48, req[1], code);
    f.setU32(32, readU32LE(req + 32));
    f.setU16(36, readU16LE(req + 36));
    f.setU32(40, readU32LE(req + 40));
    return {f.finish()};
}

ControllerSim::Reply ControllerSim::readOneValue(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    ReplyFrame f(48, req[1], kReadValue);
    f.setU32(32, address);
    f.setU16(36, size);
    // The value goes out as the bytes lie in memory (big-endian where the controller keeps it so).
    if (size >= 1 && size <= 4) memory_.read(address, f.data() + 40, size);
    return {f.finish()};
}

ControllerSim::Reply ControllerSim::writeAxisParameter(const std::uint8_t* req) {
    const std::uint32_t address = readU32LE(req + 32);
    const std::uint16_t size = readU16LE(req + 36);
    const std::uint32_t value = readU32LE(req + 40);
    memory_.writeParameterValue(address, size, value);
    return echoValueWrite(req, kWriteAxisParameter);
}

// --- Initialise -------------------------------------------------------------

ControllerSim::Reply ControllerSim::initialise(const std::uint8_t* req) {
    const std::uint8_t scope = req[32];
    if (scope < 1 || scope > 3) return {};  // nothing reset: no "done" reply
    const SettingsImage defaults = makeDefaultSettingsImage();
    SettingsImage image = memory_.toImage();
    auto restore = [&](std::size_t offset, std::size_t size) {
        std::memcpy(image.data() + offset, defaults.data() + offset, size);
    };
    if (scope == 3) {
        image = defaults;
    } else if (scope == 1) {
        // Axis settings: pulse-axis records, network communication parameters
        // and the head of every network driver record.
        restore(layout::kPulseAxes, layout::kPulseAxisSize * layout::kPulseAxisCount);
        restore(layout::kNetworkCommParams, layout::kNetworkCommParamsSize);
        for (std::size_t d = 0; d < static_cast<std::size_t>(layout::kNetworkDriverCount); ++d)
            restore(layout::kNetworkDrivers + layout::kNetworkDriverSize * d, layout::kNetworkPointsStart);
    } else {
        // Parameters: position blocks, network points, sensor logic, timers, counters.
        restore(layout::kPositionBlocks, ControllerMemory::kPositionsSize);
        for (std::size_t d = 0; d < static_cast<std::size_t>(layout::kNetworkDriverCount); ++d)
            restore(layout::kNetworkDrivers + layout::kNetworkDriverSize * d + layout::kNetworkPointsStart,
                    layout::kNetworkDriverSize - layout::kNetworkPointsStart);
        restore(layout::kFlagWords, layout::kFlagWordsSize);
        restore(layout::kTimers, 2 * layout::kTimerCount);
        restore(layout::kCounters, 4 * layout::kCounterCount);
    }
    memory_.loadImage(image);
    lastInitialise_ = scope;
    ReplyFrame f(36, req[1], kInitialise);
    return {f.finish()};
}

// --- Settings write ---------------------------------------------------------

ControllerSim::Reply ControllerSim::settingsBlock(const std::uint8_t* req, std::size_t length) {
    if (length < 41) return {};
    const std::size_t count = readU16LE(req + 32);
    const std::size_t index = readU16LE(req + 34);
    const std::size_t n = readU16LE(req + 36);
    const int areaNumber = req[38];
    const std::size_t size = areaSize(areaNumber);
    if (size == 0 || n > kBlockSize || length != 41 + n || count == 0 || index >= count) return {};

    // Blocks collect in a staging copy; memory changes only when the whole
    // area has arrived, so a broken transfer leaves nothing half written.
    SettingsArea& area = areas_[static_cast<std::size_t>(areaNumber - 1)];
    if (index == 0 || count != area.count) {
        area.staging.assign(size, 0);
        area.received.assign(count, false);
        area.count = count;
    }
    const std::size_t offset = index * kBlockSize;
    const std::size_t expected = offset < size ? std::min(kBlockSize, size - offset) : 0;
    if (n == expected && expected > 0) {
        std::memcpy(&area.staging[offset], req + 39, n);
        area.received[index] = true;
    }
    if (index + 1 < count) return {};

    const std::size_t expectedCount = (size + kBlockSize - 1) / kBlockSize;
    const bool whole = count == expectedCount &&
                       std::all_of(area.received.begin(), area.received.end(), [](bool b) { return b; });
    const bool accepted = whole && faults_.rejectSettingsArea != areaNumber && faults_.receptionErrorSettingsArea != areaNumber;
    if (accepted) {
        commitSettingsArea(areaNumber, area.staging);
        areasAccepted_.push_back(areaNumber);
    }
    area = SettingsArea{};

    ReplyFrame f(60, req[1], kSettingsFinalCode);
    f.setU16(32, accepted ? 1 : 0);
    if (faults_.receptionErrorSettingsArea == areaNumber) {
        // The reception-failure reply: its big-endian words 0..28 add up to 0xFFFF.
        std::uint16_t sum = 0;
        for (std::size_t w = 0; w < 28; ++w) sum = static_cast<std::uint16_t>(sum + readBE(f.data() + 2 * w, 2));
        writeBE(f.data() + 56, 2, static_cast<std::uint16_t>(0xFFFF - sum));
    }
    return {f.finish()};
}

void ControllerSim::commitSettingsArea(int area, const Bytes& bytes) {
    if (area == 1) {
        // The four pulse-axis records, each into its place of the parameter space.
        for (std::uint32_t a = 0; a < layout::kPulseAxisCount; ++a)
            memory_.writeParameters(ControllerMemory::kParameterStride * a + ControllerMemory::kParameterBase,
                                    bytes.data() + layout::kPulseAxisSize * a, layout::kPulseAxisSize);
    } else if (area == 2) {
        memory_.write(ControllerMemory::kPositions, bytes.data(), bytes.size());
    } else {
        // The blocks arrive in the PC's order; the controller keeps the network fields big-endian.
        Bytes swapped = bytes;
        ControllerMemory::swapNetworkArea(swapped.data());
        memory_.write(ControllerMemory::kNetwork, swapped.data(), swapped.size());
    }
}


}  // namespace vantrel
