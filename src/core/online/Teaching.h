#pragma once

// Teaching ("取込") in the test-operation window: the chosen axis' current
// command position becomes the position of a point, written to the
// controller through the value-write queue.

#include <cstdint>
#include <optional>

#include "data/ControllerWriteSink.h"
#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "link/ControllerStatus.h"
#include "online/JogAxis.h"

namespace vantrel {

// Controller address of the position of pulse point 1001 + row of pulse axis
// 0..3: 0x20000 + 17216 x axis + 7 x (1000 + row) + 24 (3 bytes).
std::uint32_t pulseTeachAddress(int axis, int row);
// Controller address of the position of network point 1 + row of driver
// 0..15: 0x50000 + 6416 x driver + 64 x row + 36 (4 bytes); its operation
// mode byte lies 4 bytes before.
std::uint32_t networkTeachAddress(int driver, int row);

struct TeachResult {
    bool taught = false;
    MaybeRefusal message;  // the box to show, if any
};

// In this order: a controller not in edit-test mode gets the information box
// only; no axis gets "軸を選択してください。"; a closed link does nothing (the
// position it would take is not the controller's any more). Otherwise a pulse
// axis queues its command position for point 1001 + row; a network driver
// queues its command position for point 1 + row and ABS (1) for the point's
// operation mode, which it also sets in the image. Then "設定しました。".
// The image takes the positions with the read-back of the accepted writes.
TeachResult teachPoint(SettingsImage& image, ControllerWriteSink& sink, const ControllerStatus& status,
                       bool linkOpen, std::optional<JogAxisIndex> axis, int row);

}  // namespace vantrel
