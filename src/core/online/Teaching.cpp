#include "online/Teaching.h"

#include "data/ControllerMode.h"
#include "data/ImageEdit.h"
#include "data/ProgramTitle.h"

namespace vantrel {
namespace {

constexpr std::uint8_t kAbsoluteMode = 1;

}  // namespace

std::uint32_t pulseTeachAddress(int axis, int row) {
    const auto record = SettingsImage::positionRecordOffset(axis, layout::kPointTableFirstIndex + row);
    return address::kPositionBlocks + static_cast<std::uint32_t>(record.value_or(0) + ConstPositionRecord::kPosition);
}

std::uint32_t networkTeachAddress(int driver, int row) {
    const std::size_t offset = layout::kNetworkDrivers + layout::kNetworkDriverSize * static_cast<std::size_t>(driver) +
                               layout::kNetworkPointsStart + layout::kNetworkPointSize * static_cast<std::size_t>(row) +
                               ConstNetworkPointRecord::kPosition;
    return address::kNetwork + static_cast<std::uint32_t>(offset - layout::kNetworkCommParams);
}

TeachResult teachPoint(SettingsImage& image, ControllerWriteSink& sink, const ControllerStatus& status,
                       bool linkOpen, std::optional<JogAxisIndex> axis, int row) {
    constexpr auto relaxed = std::memory_order_relaxed;
    if (status.modeWord.load(relaxed) != static_cast<std::uint16_t>(ControllerMode::EditTest))
        return {false, Refusal{"ティーチングを行うときは\n編集テストモードに切り替えてください。", "インフォメーション",
                               MessageIcon::Information}};
    if (!axis) return {false, Refusal{"軸を選択してください。", kProgramTitle, MessageIcon::Warning}};
    if (!linkOpen || row < 0 || row >= jogPointCount(*axis)) return {};

    const int number = jogAxisNumber(*axis);
    if (isNetworkJogAxis(*axis)) {
        const std::int32_t position = status.networkCommandPosition[static_cast<std::size_t>(number % 4)].load(relaxed);
        sink.queueValueWrite(networkTeachAddress(number, row), 4, position);
        const NetworkPointRecord point = NetworkDriverRecord(image, number).point(row);
        ImageEdit(image, &sink).write(point.offsetOf(NetworkPointRecord::kMode), 1, kAbsoluteMode);
    } else {
        const std::int32_t position = status.axisCommandPosition[static_cast<std::size_t>(number)].load(relaxed);
        sink.queueValueWrite(pulseTeachAddress(number, row), 3, position);
    }
    return {true, Refusal{"設定しました。", kProgramTitle, MessageIcon::Information}};
}

}  // namespace vantrel
