#include "SettingsViewSet.h"

#include "data/DefaultImage.h"

namespace vantrel::bench {

std::vector<SettingsViewEntry> settingsViews() {
    return {
        {ViewKind::PulseAxisSettings, "pulse-axis-settings"},
        {ViewKind::NetworkAxisSettings, "network-settings"},
        {ViewKind::PulsePointTable, "pulse-point-table"},
        {ViewKind::NetworkPointTable, "network-point-table"},
        {ViewKind::MovableRangeAndAreas, "areas"},
        {ViewKind::Timers, "timers"},
        {ViewKind::Counters, "counters"},
        {ViewKind::SensorInputLogic, "sensor-logic"},
    };
}

SettingsImage demoImage() {
    SettingsImage image = makeDefaultSettingsImage();
    PulseAxisRecord(image, 0).setModel(1);
    PulseAxisRecord(image, 1).setModel(2);
    PulseAxisRecord(image, 1).setMinTravel(3);  // resolution 333: yellow
    PulseAxisRecord(image, 2).setModel(5);
    PulseAxisRecord(image, 2).setPositionUnit(2);
    PulseAxisRecord(image, 2).setSpeedUnit(0);
    for (int i = 0; i < 12; ++i) {
        image.writePosition(0, 1000 + i, 1250 * i - 5);
        image.writePosition(2, 1000 + i, 4000 * i);
    }
    for (int d = 0; d < 10; ++d) NetworkDriverRecord(image, d).setModel(static_cast<std::uint8_t>(1 + d % 4));
    NetworkDriverRecord(image, 0).point(0).setMode(1);
    NetworkDriverRecord(image, 0).point(0).setPosition(-12000);
    NetworkDriverRecord(image, 1).point(0).setAccelTime(250);
    image.writePosition(0, 226, 1500);
    image.writePosition(0, 236, -1500);
    TimerTable(image).setTimer(1, 29);
    CounterTable(image).setCounter(0, 1000000);
    ControllerFlagWords(image).setSensorLogic(1, 0x0A);
    return image;
}

}  // namespace vantrel::bench
