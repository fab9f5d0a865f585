#pragma once

#include <cstddef>
#include <cstdint>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"

namespace vantrel {

// The one way an edit reaches the settings image: the value is stored and, in
// the same call, its controller write is queued, so image and controller never
// drift apart. Fields of the pulse-axis records go to the axis parameter queue,
// everything else to the value-write queue. `sink` may be null (nothing queued).
// The sink's edit recorder, if it has one, is told each field before it changes.
class ImageEdit {
public:
    ImageEdit(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    // Stores the low `size` bytes (1, 2 or 4) of `value` at image offset `offset`
    // and queues the write of that field. Offsets without a controller address
    // (the reserved last byte) and out-of-range offsets change nothing.
    void write(std::size_t offset, int size, std::int32_t value);

    // Stores a 24-bit position (axis 0..3, index 0..2000) and queues a 3-byte
    // write of it; out-of-range indexes change nothing.
    void writePosition(int axis, int index, std::int32_t value);

    // Stores and queues a field of `size` bytes (1..4; 3 only at a position's
    // bytes) as the two above do: the undo history puts recorded fields back
    // and forth through it.
    void store(std::size_t offset, int size, std::int32_t value);
    // A field's value as a write of it would have given it: a position with
    // its sign (NOT_SET_POSITION as it is), other sizes unsigned.
    static std::int32_t fieldValue(const SettingsImage& image, std::size_t offset, int size);

    SettingsImage& image() { return image_; }
    ControllerWriteSink* sink() { return sink_; }

private:
    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
