#include "link/SettingsTransfer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vantrel;

TEST(SettingsWriteAreas, BlockCountsAndLastBlocks) {
    EXPECT_EQ(settingsBlockCount(SettingsArea::PulseAxes), 54u);
    EXPECT_EQ(settingsAreaSpan(SettingsArea::PulseAxes).size - 53 * 19, 17u);
    EXPECT_EQ(settingsBlockCount(SettingsArea::Positions), 3625u);
    EXPECT_EQ(settingsAreaSpan(SettingsArea::Positions).size - 3624 * 19, 8u);
    EXPECT_EQ(settingsBlockCount(SettingsArea::Network), 5404u);
    EXPECT_EQ(settingsAreaSpan(SettingsArea::Network).size - 5403 * 19, 15u);
    EXPECT_EQ(settingsAreaSpan(SettingsArea::PulseAxes).offset, 171536u);
    EXPECT_EQ(settingsAreaSpan(SettingsArea::Network).offset, 68864u);
}

TEST(SettingsReadPhases, PulseAxisRecordsComeFromOffset288) {
    std::vector<std::uint8_t> buffer(65536, 0);
    buffer[288] = 0x11;           // axis 1, byte 0
    buffer[544 + 40] = 0xA0;      // axis 2, maximum rotation speed
    buffer[544 + 41] = 0x0F;
    buffer[1056 + 255] = 0x44;    // axis 4, last byte
    buffer[1312] = 0x99;          // beyond the four records
    SettingsImage image;
    applyPulseAxisPhase(buffer.data(), image);
    EXPECT_EQ(image.u8(171536), 0x11);
    EXPECT_EQ(PulseAxisRecord(image, 1).maxRotationSpeed(), 4000);
    EXPECT_EQ(image.u8(172559), 0x44);
    EXPECT_EQ(image.u8(172560), 0);
}

TEST(SettingsReadPhases, MemoryPhaseCopiesAndSwaps) {
    std::vector<std::uint8_t> b(524320, 0);
    b[60] = 3;                                  // speed level
    b[84 + 2 * 99] = 0x12;                      // timer 100, BE
    b[84 + 2 * 99 + 1] = 0x34;
    b[296 + 4 * 7 + 3] = 0x07;                  // counter 8 = 7, BE
    b[43600] = 192;                             // IP address as is
    b[43611] = 254;                             // last gateway byte
    b[43636] = 0x01;                            // port 0x01F6 = 502, BE
    b[43637] = 0xF6;
    b[131104 + 21 + 3] = 0x10;                  // axis 1 position 0 low byte
    b[131104 + 68863] = 0x5A;                   // last byte of region A
    b[327712] = 4;                              // communication speed
    b[327712 + 4 + 3] = 9;                      // wait time, BE int32
    b[327712 + 8] = 0x01;                       // time-out 0x01000000 in BE
    const std::size_t driver = 327712 + 16 + 6416 * 15;  // driver 16
    b[driver + 2] = 0xAB;                       // first ratio word BE 0xAB00
    b[driver + 8 + 1] = 0x02;                   // reserved word at +8: swapped too
    const std::size_t point = driver + 16 + 64 * 99;     // its point 100
    b[point + 4] = 0xFF;                        // position -2 BE
    b[point + 5] = 0xFF;
    b[point + 6] = 0xFF;
    b[point + 7] = 0xFE;
    b[point + 16 + 3] = 0x64;                   // deceleration 100
    b[point + 20] = 0x77;                       // reserved: as is
    b[458784 + 7] = 0x0E;                       // sensor logic of axis 1
    b[458784 + 19] = 0x33;
    SettingsImage image;
    applyMemoryPhase(b.data(), image);
    EXPECT_EQ(speedOverrideLevel(image), 3);
    EXPECT_EQ(TimerTable(image).timer(99), 0x1234);
    EXPECT_EQ(CounterTable(image).counter(7), 7);
    EXPECT_EQ(image.u8(172812), 192);
    EXPECT_EQ(image.u8(172823), 254);
    EXPECT_EQ(image.u16(172824), 502);
    EXPECT_EQ(image.u8(21 + 3), 0x10);
    EXPECT_EQ(image.u8(68863), 0x5A);
    EXPECT_EQ(NetworkCommParams(image).speed(), 4);
    EXPECT_EQ(NetworkCommParams(image).waitTime(), 9);
    EXPECT_EQ(NetworkCommParams(image).timeout(), 0x01000000);
    NetworkDriverRecord d16(image, 15);
    EXPECT_EQ(d16.ratio1(), 0xAB00);
    EXPECT_EQ(image.u16(d16.offsetOf(8)), 0x0002);
    EXPECT_EQ(d16.point(99).position(), -2);
    EXPECT_EQ(d16.point(99).decelTime(), 100);
    EXPECT_EQ(image.u8(d16.point(99).offsetOf(20)), 0x77);
    EXPECT_EQ(ControllerFlagWords(image).sensorLogic(0), 0x0E);
    EXPECT_EQ(image.u8(172579), 0x33);
    EXPECT_EQ(image.u8(171536), 0);  // pulse-axis records are not part of this phase
}

TEST(SettingsSingleValues, QueuedInTheirOrder) {
    SettingsImage image;
    setSpeedOverrideLevel(image, 2);
    TimerTable(image).setTimer(0, 500);
    CounterTable(image).setCounter(7, -5);
    EthernetSettings(image).setIpAddress({192, 168, 1, 10});
    EthernetSettings(image).setPort(8000);
    ControllerFlagWords(image).setSensorLogic(3, 0x0C);  // byte at 172,564
    RequestQueues q;
    queueSettingsSingleValues(image, q);
    EXPECT_EQ(q.valueWriteCount(), 117u);
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{28, 1, 2}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{52, 2, 500}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{264, 4, 0}));
    for (int k = 1; k < 7; ++k) {
        q.popValueWrite();
        q.popValueWrite();
    }
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{66, 2, 0}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{292, 4, -5}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{68, 2, 0}));  // timer 9: no counter after it
    for (int k = 9; k < 100; ++k) q.popValueWrite();
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{0xAA30, 4, static_cast<std::int32_t>(0xC0A8010Au)}));
    q.popValueWrite();
    q.popValueWrite();
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{0xAA54, 2, 8000}));
    EXPECT_EQ(q.popValueWrite(), (QueuedValue{0x70004, 1, 0x0C}));
    q.popValueWrite();
    q.popValueWrite();
    EXPECT_EQ(q.popValueWrite()->address, 0x70007u);
    EXPECT_FALSE(q.popValueWrite());
}
