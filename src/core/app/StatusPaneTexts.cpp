#include "app/StatusPaneTexts.h"

#include <algorithm>
#include <cstdio>

#include "app/OperatingMode.h"
#include "app/SpeedLevel.h"

namespace vantrel {

StatusPaneTexts statusPaneTexts(const StatusPaneInput& input) {
    StatusPaneTexts texts;
    const bool online = input.portOpen && !input.silentDisconnect;
    texts.link = online ? "ONLINE" : "OFFLINE";
    texts.speed = speedPercentText(input.speedLevel);
    if (!online) return texts;
    texts.mode = modeText(input.currentMode);
    texts.controller = input.controllerName;
    const bool running = std::any_of(input.runStates.begin(), input.runStates.end(),
                                     [](std::uint16_t v) { return v != 0; });
    texts.runState = running ? "動作中" : "停止中";
    if (input.alarmCode == 0) {
        texts.alarm = "no alarm";
    } else {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "alarm %03d", input.alarmCode);
        texts.alarm = buffer;
    }
    return texts;
}

}  // namespace vantrel
