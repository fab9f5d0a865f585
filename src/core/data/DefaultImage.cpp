#include "data/DefaultImage.h"

#include "data/AccelTable.h"

namespace vantrel {
namespace {

void setPulseAxisDefaults(PulseAxisRecord axis) {
    axis.setHomeMethod(0);          // 3 sensors
    axis.setTravelPerRev(1000);     // 10.00 mm
    axis.setResolution(1000);       // P/R
    axis.setMaxRotationSpeed(4000); // r/min
    axis.setHomeOffset(0);
    const auto table = interpolateAccelTable(6, 75);  // 0.06 s .. 0.75 s
    for (int i = 0; i < PulseAxisRecord::kAccelTimeCount; ++i) axis.setAccelTime(i, table[static_cast<std::size_t>(i)]);
    axis.setModel(0);               // not connected
    axis.setPositionUnit(0);        // mm
    axis.setSpeedUnit(1);           // mm/s
    axis.setHomeDirection(0);       // CCW
    axis.setAccelType(0);           // linear
    axis.setHomeAccelTime(75);      // 0.75 s
    axis.setHomeStartSpeed(500);    // Hz
    axis.setStartSpeed(500);        // Hz
    axis.setMinTravel(1);           // 0.01 mm
    axis.setHomeSpeed(1000);        // Hz
}

void setPositionDefaults(SettingsImage& image, int axis) {
    PositionBlock block(image, axis);
    for (int i = 0; i < layout::kPositionCount; ++i) {
        auto record = block.record(i);
        record.setSpeed(100);
        record.setPosition(NOT_SET_POSITION);
    }
    image.writePosition(axis, layout::kMovableMaxIndex, 2000000);   //  20000.00 mm
    image.writePosition(axis, layout::kMovableMinIndex, -2000000);  // -20000.00 mm
    for (int area = 0; area < layout::kProhibitedAreaCount; ++area) {
        image.writePosition(axis, layout::kProhibitedMaxIndex + area, 0);
        image.writePosition(axis, layout::kProhibitedMinIndex + area, 0);
    }
}

// The pick and place points P0999 and P1000 of the default programs
// (Ncstepini.sys) on axes 1 and 2: their moves keep their positions there.
void setDefaultProgramPoints(SettingsImage& image) {
    struct Point {
        int index;
        std::int32_t axis1;
        std::int32_t axis2;
    };
    for (const Point p : {Point{998, 5000, 3000}, Point{999, 25000, 8000}}) {  // mm: 50.00/30.00, 250.00/80.00
        image.writePosition(0, p.index, p.axis1);
        image.writePosition(1, p.index, p.axis2);
        PositionRecord(image, 0, p.index).setSpeed(40);
        PositionRecord(image, 1, p.index).setSpeed(40);
    }
}

void setNetworkDefaults(SettingsImage& image) {
    NetworkCommParams comm(image);
    comm.setSpeed(4);     // 115200 bps
    comm.setParity(2);    // even
    comm.setStopBits(0);  // 1 bit
    comm.setWaitTime(0);  // 0.1 ms units
    comm.setTimeout(100); // ms
    for (int d = 0; d < layout::kNetworkDriverCount; ++d) {
        NetworkDriverRecord driver(image, d);
        driver.setModel(0);
        driver.setUnit(2);  // step, as choosing any model makes it
        driver.setRatio1(1);
        driver.setRatio2(1);
        for (int j = 0; j < layout::kNetworkPointCount; ++j) {
            auto point = driver.point(j);
            point.setMode(0);  // INC
            point.setPosition(0);
            point.setSpeed(1000);      // Hz
            point.setAccelTime(1000);  // 1.000 s
            point.setDecelTime(1000);  // 1.000 s
        }
    }
}

}  // namespace

SettingsImage makeDefaultSettingsImage() {
    SettingsImage image;
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis) {
        setPositionDefaults(image, axis);
        setPulseAxisDefaults(PulseAxisRecord(image, axis));
    }
    setDefaultProgramPoints(image);
    setNetworkDefaults(image);

    ControllerFlagWords flags(image);
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis)
        flags.setSensorLogic(axis, ControllerFlagWords::kPlusLimitBit | ControllerFlagWords::kMinusLimitBit);

    TimerTable timers(image);
    for (int t = 0; t < layout::kTimerCount; ++t) timers.setTimer(t, 100);  // 1.00 s
    CounterTable counters(image);
    for (int c = 0; c < layout::kCounterCount; ++c) counters.setCounter(c, 0);

    EthernetSettings ethernet(image);
    ethernet.setIpAddress({192, 168, 0, 10});
    ethernet.setSubnetMask({255, 255, 255, 0});
    ethernet.setGateway({192, 168, 0, 1});
    ethernet.setPort(5000);

    setSpeedOverrideLevel(image, 4);  // 100 %
    return image;
}

}  // namespace vantrel
