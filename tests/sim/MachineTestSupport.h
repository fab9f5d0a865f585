#pragma once

// A machine over a settings image, its clock driven by the test.

#include <memory>

#include "data/DefaultImage.h"
#include "sim/ControllerMemory.h"
#include "sim/Machine.h"

namespace vantrel::simtest {

class MachineRig {
public:
    // Axes 1 and 2 are step axes (one unit per pulse) with a maximum speed of
    // 1000 x 3000 / 60 = 50,000 Hz, no ramps unless a request asks, and a
    // movable range of -3000 .. 3000.
    MachineRig() : image(makeDefaultSettingsImage()) {
        for (int a = 0; a < 2; ++a) {
            PulseAxisRecord axis(image, a);
            axis.setPositionUnit(2);
            axis.setMaxRotationSpeed(3000);
            axis.setStartSpeed(0);
            image.writePosition(a, layout::kMovableMaxIndex, 3000);
            image.writePosition(a, layout::kMovableMinIndex, -3000);
        }
    }
    // Builds the machine from the image as it is now.
    Machine& build() {
        memory.loadImage(image);
        machine = std::make_unique<Machine>(memory);
        machine->setMotionModel(MotionModel::Timed);
        machine->advanceTo(now);
        return *machine;
    }
    void run(std::int64_t millis) {
        now += millis;
        machine->advanceTo(now);
    }
    // Runs until no axis moves (at most `millis`).
    void settle(std::int64_t millis = 60000) {
        for (std::int64_t t = 0; t < millis; t += 10) {
            bool busy = false;
            for (int a = 0; a < Machine::kAxes; ++a) busy = busy || machine->axisBusy(a);
            if (!busy) return;
            run(10);
        }
    }
    std::int32_t position(int axis) const { return machine->axisValues(axis).commandPosition; }
    std::uint8_t driverBits(int axis) const { return machine->status().driverInputs[static_cast<std::size_t>(axis)]; }

    SettingsImage image;
    ControllerMemory memory;
    std::unique_ptr<Machine> machine;
    std::int64_t now = 1000;
};

inline constexpr std::uint8_t kReadyBit = 0x01;
inline constexpr std::uint8_t kInPositionBit = 0x08;
inline constexpr std::uint8_t kHomeEndBit = 0x10;

}  // namespace vantrel::simtest
