#include "data/ImageEdit.h"

namespace vantrel {

void ImageEdit::write(std::size_t offset, int size, std::int32_t value) {
    if (size != 1 && size != 2 && size != 4) return;
    if (offset >= SettingsImage::kSize || SettingsImage::kSize - offset < static_cast<std::size_t>(size)) return;
    const auto address = controllerAddress(offset);
    if (!address) return;
    image_.setValue(offset, size, value);
    if (!sink_) return;
    const bool axisParameter = offset >= layout::kPulseAxes && offset < layout::kFlagWords;
    if (axisParameter)
        sink_->queueAxisParameterWrite(*address, static_cast<std::uint16_t>(size), value);
    else
        sink_->queueValueWrite(*address, static_cast<std::uint16_t>(size), value);
}

void ImageEdit::writePosition(int axis, int index, std::int32_t value) {
    const auto record = SettingsImage::positionRecordOffset(axis, index);
    if (!record) return;
    image_.writePosition(axis, index, value);
    if (sink_) sink_->queueValueWrite(*controllerAddress(*record + 3), 3, value);
}

}  // namespace vantrel
