#include "data/ImageEdit.h"

#include "data/EditRecorder.h"

namespace vantrel {

void ImageEdit::write(std::size_t offset, int size, std::int32_t value) {
    if (size != 1 && size != 2 && size != 4) return;
    store(offset, size, value);
}

void ImageEdit::writePosition(int axis, int index, std::int32_t value) {
    const auto record = SettingsImage::positionRecordOffset(axis, index);
    if (!record) return;
    store(*record + PositionRecord::kPosition, 3, value);
}

void ImageEdit::store(std::size_t offset, int size, std::int32_t value) {
    if (size < 1 || size > 4) return;
    if (offset >= SettingsImage::kSize || SettingsImage::kSize - offset < static_cast<std::size_t>(size)) return;
    const auto address = controllerAddress(offset);
    if (!address) return;
    if (EditRecorder* recorder = sink_ ? sink_->editRecorder() : nullptr)
        recorder->fieldStoring(offset, size, fieldValue(image_, offset, size), value);
    image_.setValue(offset, size, value);
    if (!sink_) return;
    const bool axisParameter = offset >= layout::kPulseAxes && offset < layout::kFlagWords;
    if (axisParameter)
        sink_->queueAxisParameterWrite(*address, static_cast<std::uint16_t>(size), value);
    else
        sink_->queueValueWrite(*address, static_cast<std::uint16_t>(size), value);
}

std::int32_t ImageEdit::fieldValue(const SettingsImage& image, std::size_t offset, int size) {
    const std::int32_t raw = image.value(offset, size, false);
    if (size == 3 && raw != NOT_SET_POSITION) return image.value(offset, 3, true);
    return raw;
}

}  // namespace vantrel
