// What the test-operation window shows about its axes: the list, models,
// units, point lists, driver switches, the display of each tick and the
// test-run point.
#include "online/JogAxis.h"

#include <gtest/gtest.h>

#include "data/DefaultImage.h"
#include "data/Units.h"
#include "online/JogDisplay.h"

using namespace vantrel;

namespace {

SettingsImage connected() {
    SettingsImage img = makeDefaultSettingsImage();
    PulseAxisRecord(img, 1).setModel(4);  // 軸2 VT9
    PulseAxisRecord(img, 3).setModel(7);  // 軸4: an unknown model is still not 0
    NetworkDriverRecord(img, 5).setModel(4);   // RIVO06 WRB
    NetworkDriverRecord(img, 15).setModel(1);  // RIVO16 QM
    return img;
}

}  // namespace

TEST(JogAxis, ListHoldsConnectedAxesAndItsTextsNameThem) {
    const SettingsImage img = connected();
    const std::vector<JogAxisEntry> expected = {{"軸2", 1}, {"軸4", 3}, {"RIVO06", 9}, {"RIVO16", 19}};
    EXPECT_EQ(jogAxisList(img), expected);
    for (const JogAxisEntry& e : expected) EXPECT_EQ(jogAxisOfText(e.text), e.index) << e.text;
    EXPECT_EQ(jogAxisOfText("RIVO6"), std::nullopt);
    EXPECT_EQ(jogAxisOfText("軸5"), std::nullopt);
    EXPECT_TRUE(jogAxisList(makeDefaultSettingsImage()).empty());

    EXPECT_EQ(jogModelText(img, 1), "VT9");
    EXPECT_EQ(jogModelText(img, 3), "");
    EXPECT_EQ(jogModelText(img, 9), "WRB");
    EXPECT_EQ(jogModelText(img, 19), "QM");
    EXPECT_EQ(jogNetworkGroup(9), 1);   // RIVO06 is in drivers 5..8
    EXPECT_EQ(jogNetworkGroup(19), 3);
}

TEST(JogAxis, UnitsByAxisAndUnitCode) {
    SettingsImage img = connected();
    struct Case {
        JogAxisIndex axis;
        std::uint8_t positionUnit;
        std::uint8_t speedUnit;  // pulse axes; network: unit byte in positionUnit
        JogUnits units;
    };
    const Case cases[] = {
        {1, kPositionUnitMm, kSpeedUnitMmPerSecond, {"mm", "mm/s", "mm/s"}},
        {1, kPositionUnitMm, kSpeedUnitRpm, {"mm", "r/min", "mm/s"}},
        {1, kPositionUnitDeg, kSpeedUnitDegPerSecond, {"deg", "deg/s", "deg/s"}},
        {1, kPositionUnitStep, kSpeedUnitHz, {"step", "Hz", "Hz"}},
        {9, 2, 0, {"step", "Hz", "r/min"}},
        {9, 0, 0, {"mm", "mm/s", "mm/s"}},
    };
    for (const Case& c : cases) {
        if (isNetworkJogAxis(c.axis)) {
            NetworkDriverRecord(img, jogAxisNumber(c.axis)).setUnit(c.positionUnit);
        } else {
            PulseAxisRecord(img, c.axis).setPositionUnit(c.positionUnit);
            PulseAxisRecord(img, c.axis).setSpeedUnit(c.speedUnit);
        }
        EXPECT_EQ(jogUnits(img, c.axis), c.units) << int(c.axis) << " " << int(c.positionUnit);
    }
}

TEST(JogAxis, DriverSwitchesByModel) {
    SettingsImage img = makeDefaultSettingsImage();
    const BitRef excite{StatusWord::DriverOutputs, 2, 0};
    const BitRef free{StatusWord::DriverOutputs, 2, 2};
    struct Case {
        bool network;
        std::uint8_t model;
        std::vector<DriverSwitch> switches;
    };
    const Case cases[] = {
        {false, 1, {{"FREE", free}}},
        {false, 2, {{"C-ON", excite}, {"AWO", excite}, {"FREE", free}}},
        {false, 3, {{"C-ON/AWO", excite}, {"FREE", free}}},
        {false, 4, {{"C-ON", excite}}},
        {false, 5, {{"S-ON", excite}, {"AWO", excite}, {"FREE", free}}},
        {true, 4, {{"C-ON", std::nullopt}, {"AWO", BitRef{StatusWord::NetworkOutputs, 2, 7}}}},
        {true, 2, {{"FREE", BitRef{StatusWord::NetworkOutputs, 2, 6}}}},
    };
    for (const Case& c : cases) {
        if (c.network)
            NetworkDriverRecord(img, 2).setModel(c.model);
        else
            PulseAxisRecord(img, 2).setModel(c.model);
        const JogAxisIndex axis = c.network ? 6 : 2;
        EXPECT_EQ(driverSwitches(img, axis), c.switches) << c.network << " model " << int(c.model);
    }
}

TEST(JogDisplay, ValuesByUnitAndIndicators) {
    SettingsImage img = connected();
    PulseAxisRecord axis(img, 1);
    axis.setResolution(1000);
    axis.setTravelPerRev(500);  // 2 pulses per hundredth
    NetworkDriverRecord rivo(img, 5);
    rivo.setRatio1(3);
    rivo.setRatio2(2);
    ControllerStatus status;
    status.axisCommandPosition[1] = -1234;
    status.axisCommandSpeed[1] = 3001;
    status.driverInputs[1] = 0x02;    // ALM
    status.driverOutputs[1] = 0x01;   // C-ON on
    status.networkCommandPosition[1] = 1000;  // RIVO06 is slot 1 of its group
    status.networkCommandSpeed[1] = 200;
    status.networkStatus[1] = 0x20;   // READY
    status.networkOutputs[5] = 0x80;  // AWO on

    struct Case {
        JogAxisIndex axis;
        std::uint8_t unit;
        const char* position;
        const char* speed;
        const char* positionUnit;
        const char* speedUnit;
    };
    const Case cases[] = {
        {1, kPositionUnitMm, "-12.34", "15.01", "mm", "mm/s"},   // 3001 Hz / 2 = 1500.5 hundredths
        {1, kPositionUnitDeg, "-12.34", "15.01", "deg", "deg/s"},
        {1, kPositionUnitStep, "-2468", "3001", "step", "Hz"},
        {9, 0, "15.00", "0.10", "mm", "mm/s"},  // 1000 x 3 / 2 hundredths; 200 x 3 / 60 hundredths
        {9, 2, "1000", "200", "step", "r/min"},
    };
    for (const Case& c : cases) {
        if (isNetworkJogAxis(c.axis))
            rivo.setUnit(c.unit);
        else
            axis.setPositionUnit(c.unit);
        const JogDisplay d = jogDisplay(img, status, c.axis);
        EXPECT_EQ(d.commandPosition, c.position) << c.positionUnit;
        EXPECT_EQ(d.commandSpeed, c.speed) << c.positionUnit;
        EXPECT_EQ(d.positionUnit, c.positionUnit);
        EXPECT_EQ(d.speedUnit, c.speedUnit);
    }
    const JogDisplay pulse = jogDisplay(img, status, 1);
    EXPECT_TRUE(pulse.alarm);
    EXPECT_FALSE(pulse.ready);
    EXPECT_EQ(pulse.switches, std::vector<bool>{true});  // VT9: C-ON
    const JogDisplay network = jogDisplay(img, status, 9);
    EXPECT_FALSE(network.alarm);
    EXPECT_TRUE(network.ready);
    EXPECT_EQ(network.switches, (std::vector<bool>{false, true}));  // WRB: C-ON (no bit), AWO
}

TEST(JogDisplay, TestRunPointPosition) {
    SettingsImage img = connected();
    PulseAxisRecord axis(img, 1);
    axis.setResolution(1000);
    axis.setTravelPerRev(500);
    img.writePosition(1, 1000, -5);
    img.writePosition(1, 1001, 12345);
    NetworkDriverRecord rivo(img, 5);
    rivo.setRatio1(1);
    rivo.setRatio2(4);
    rivo.point(3).setPosition(-401);
    rivo.point(3).setMode(1);
    struct Case {
        JogAxisIndex axis;
        std::uint8_t unit;
        int row;
        JogPointText text;
    };
    const Case cases[] = {
        {1, kPositionUnitMm, 0, {"-0.05", ""}},
        {1, kPositionUnitMm, 1, {"123.45", ""}},
        {1, kPositionUnitStep, 1, {"24690", ""}},
        {1, kPositionUnitMm, 2, {"---", ""}},
        {9, 2, 3, {"-401", "ABS"}},
        {9, 0, 3, {"-1.00", "ABS"}},  // -401 / 4 hundredths
        {9, 2, 0, {"0", "INC"}},
    };
    for (const Case& c : cases) {
        if (isNetworkJogAxis(c.axis))
            rivo.setUnit(c.unit);
        else
            axis.setPositionUnit(c.unit);
        EXPECT_EQ(jogPointText(img, c.axis, c.row), c.text) << int(c.axis) << " row " << c.row;
    }
}
