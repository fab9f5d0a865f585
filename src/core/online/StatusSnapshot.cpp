#include "online/StatusSnapshot.h"

namespace vantrel {

StatusSnapshot takeSnapshot(const ControllerStatus& s) {
    constexpr auto relaxed = std::memory_order_relaxed;
    StatusSnapshot out;
    out.alarmCode = s.alarmCode.load(relaxed);
    out.generalInputs = s.generalInputs.load(relaxed);
    out.hostInputs = s.hostInputs.load(relaxed);
    out.sensorInputs = s.sensorInputs.load(relaxed);
    out.generalOutputs = s.generalOutputs.load(relaxed);
    out.hostOutputs = s.hostOutputs.load(relaxed);
    for (std::size_t i = 0; i < 4; ++i) {
        out.driverInputs[i] = s.driverInputs[i].load(relaxed);
        out.driverOutputs[i] = s.driverOutputs[i].load(relaxed);
        out.axes[i] = AxisValues{s.axisCommandPosition[i].load(relaxed), s.axisDetectedPosition[i].load(relaxed),
                                 s.axisCommandSpeed[i].load(relaxed), s.axisDetectedSpeed[i].load(relaxed)};
    }
    for (std::size_t d = 0; d < out.networkOutputs.size(); ++d) out.networkOutputs[d] = s.networkOutputs[d].load(relaxed);
    out.modeWord = s.modeWord.load(relaxed);
    for (std::size_t i = 0; i < out.alarmRecord.size(); ++i) out.alarmRecord[i] = s.alarmRecord[i].load(relaxed);
    return out;
}

}  // namespace vantrel
