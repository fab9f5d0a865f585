#pragma once

// The settings image as it travels: where the bulk read phases put their bytes
// in the image, how the write areas are cut into blocks, and which single
// values follow area 2.

#include <cstddef>
#include <cstdint>

#include "data/SettingsImage.h"
#include "link/Protocol.h"
#include "link/RequestQueues.h"

namespace vantrel {

// Source of one settings write area in the image.
struct SettingsAreaSpan {
    std::size_t offset;
    std::size_t size;
};
SettingsAreaSpan settingsAreaSpan(SettingsArea area);
// Number of 19-byte blocks of an area (the last holds the rest).
std::size_t settingsBlockCount(SettingsArea area);

// Copies the four pulse-axis parameter records out of the 65,536-byte reply
// to phase 1.
void applyPulseAxisPhase(const std::uint8_t* buffer, SettingsImage& image);
// Copies the controller memory of the 524,320-byte reply to phase 2 into the
// image, swapping the items the controller keeps big-endian.
void applyMemoryPhase(const std::uint8_t* buffer, SettingsImage& image);

// Queues the single values written after area 2, in their order: the speed
// level, timers with the counters after the first eight, the Ethernet
// addresses, the port number and the four sensor logic bytes.
void queueSettingsSingleValues(const SettingsImage& image, RequestQueues& queues);

}  // namespace vantrel
