#pragma once

#include <cstdint>

namespace vantrel {

class EditRecorder;

// Where edits of the settings image send their controller writes. The link's
// request queues implement it; with no controller attached a null sink (or a
// recorder in tests) takes them.
class ControllerWriteSink {
public:
    virtual ~ControllerWriteSink() = default;
    // A single value at a controller address (size 1, 2, 4, or 3 for a position).
    virtual void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) = 0;
    // A pulse-axis parameter at its parameter address (2048 x axis + 256 + record offset).
    virtual void queueAxisParameterWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) = 0;
    // What keeps the edits that reach the image through this sink, so that
    // they can be undone (the undo history); none by default.
    virtual EditRecorder* editRecorder() { return nullptr; }
};

}  // namespace vantrel
