#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "data/Refusal.h"

namespace vantrel {

// The online windows the monitor menu opens, in the order of its buttons.
enum class MonitorWindow : std::uint8_t {
    PulseStatusMonitor,
    NetworkStatusMonitor,
    IoMonitor,
    AlarmMonitor,
    TestRun,
    IoTest,
    RegisterTest,
};
inline constexpr std::size_t kMonitorWindowCount = 7;

struct MonitorWindowEntry {
    MonitorWindow window;
    std::string_view buttonText;  // may hold a line break
    std::string_view title;       // the window's own title
    bool needsEditTest;           // the test windows open only in edit-test mode
    std::string_view refusal;     // shown instead when the mode is another
};

const std::array<MonitorWindowEntry, kMonitorWindowCount>& monitorWindows();
const MonitorWindowEntry& monitorWindow(MonitorWindow window);

// Whether the window may open with the controller's current mode word; the
// test windows refuse any mode but edit-test (0) with an information box.
MaybeRefusal checkMonitorWindowOpen(MonitorWindow window, std::uint16_t currentMode);

}  // namespace vantrel
