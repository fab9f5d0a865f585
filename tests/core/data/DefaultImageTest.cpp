#include "data/AccelTable.h"
#include "data/DefaultImage.h"
#include "data/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace vantrel;

namespace {

// Checks the defaults every part of the program relies on.
void expectDefaults(const SettingsImage& image) {
    for (int a = 0; a < 4; ++a) {
        SCOPED_TRACE(a);
        ConstPulseAxisRecord axis(image, a);
        EXPECT_EQ(axis.homeMethod(), 0);
        EXPECT_EQ(axis.travelPerRev(), 1000);
        EXPECT_EQ(axis.resolution(), 1000);
        EXPECT_EQ(axis.maxRotationSpeed(), 4000);
        EXPECT_EQ(axis.homeOffset(), 0);
        EXPECT_EQ(axis.accelTime(0), 6u);
        EXPECT_EQ(axis.accelTime(1), 8u);
        EXPECT_EQ(axis.accelTime(24), 72u);
        EXPECT_EQ(axis.accelTime(25), 75u);
        EXPECT_EQ(axis.model(), 0);
        EXPECT_EQ(axis.positionUnit(), 0);
        EXPECT_EQ(axis.speedUnit(), 1);
        EXPECT_EQ(axis.homeDirection(), 0);
        EXPECT_EQ(axis.accelType(), 0);
        EXPECT_EQ(axis.homeAccelTime(), 75u);
        EXPECT_EQ(axis.homeStartSpeed(), 500u);
        EXPECT_EQ(axis.startSpeed(), 500u);
        EXPECT_EQ(axis.minTravel(), 1u);
        EXPECT_EQ(axis.homeSpeed(), 1000u);

        EXPECT_EQ(ConstPositionRecord(image, a, 0).speed(), 100);
        EXPECT_EQ(image.readPosition(a, 0), NOT_SET_POSITION);
        EXPECT_EQ(image.readPosition(a, 1999), NOT_SET_POSITION);
        EXPECT_EQ(image.readPosition(a, 2000), NOT_SET_POSITION);
        EXPECT_EQ(image.readPosition(a, 221), 2000000);
        EXPECT_EQ(image.readPosition(a, 231), -2000000);
        for (int area = 0; area < 5; ++area) {
            EXPECT_EQ(image.readPosition(a, 225 + area), 0);
            EXPECT_EQ(image.readPosition(a, 235 + area), 0);
        }
        EXPECT_EQ(ConstControllerFlagWords(image).sensorLogic(a), 0x06);
    }
    ConstNetworkCommParams comm(image);
    EXPECT_EQ(comm.speed(), 4);
    EXPECT_EQ(comm.parity(), 2);
    EXPECT_EQ(comm.stopBits(), 0);
    for (int d = 0; d < 16; ++d) {
        ConstNetworkDriverRecord driver(image, d);
        EXPECT_EQ(driver.model(), 0);
        for (int j : {0, 63, 99}) {
            const auto p = driver.point(j);
            EXPECT_EQ(p.mode(), 0);
            EXPECT_EQ(p.position(), 0);
            EXPECT_EQ(p.speed(), 1000);
            EXPECT_EQ(p.accelTime(), 1000);
            EXPECT_EQ(p.decelTime(), 1000);
        }
    }
    for (int t = 0; t < 100; ++t) EXPECT_EQ(ConstTimerTable(image).timer(t), 100);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(ConstCounterTable(image).counter(c), 0);
    ConstEthernetSettings eth(image);
    EXPECT_EQ(eth.ipAddress()[0], 192);
    EXPECT_EQ(eth.ipAddress()[1], 168);
    EXPECT_NE(eth.port(), 0);
    EXPECT_EQ(speedOverrideLevel(image), 4);
    EXPECT_EQ(image.u8(layout::kReservedLast), 0);
}

}  // namespace

TEST(DefaultImage, HoldsTheFactoryDefaults) { expectDefaults(makeDefaultSettingsImage()); }

TEST(DefaultImage, InitialBinWrittenByTheBuildHoldsTheDefaults) {
    const std::string path = std::string(VANTREL_BIN_DIR) + "/initial.bin";
    // The file is the image and nothing more.
    std::error_code ec;
    EXPECT_EQ(std::filesystem::file_size(path, ec), 172828u) << ec.message();
    SettingsImage image;
    ASSERT_TRUE(loadSettingsFile(image, path)) << path;
    expectDefaults(image);
    EXPECT_EQ(image, makeDefaultSettingsImage());
}

TEST(AccelTable, InterpolatesBetweenMinimumAndMaximum) {
    const auto table = interpolateAccelTable(6, 75);
    const std::vector<std::uint32_t> head(table.begin(), table.begin() + 10);
    EXPECT_EQ(head, (std::vector<std::uint32_t>{6, 8, 11, 14, 17, 19, 22, 25, 28, 30}));
    EXPECT_EQ(table[23], 69u);
    EXPECT_EQ(table[24], 72u);
    EXPECT_EQ(table[25], 75u);
    // Equal ends give a flat table; a maximum below the minimum falls without wrapping.
    for (auto v : interpolateAccelTable(100000, 100000)) EXPECT_EQ(v, 100000u);
    const auto falling = interpolateAccelTable(75, 6);
    EXPECT_EQ(falling[1], 72u);
    EXPECT_EQ(falling[24], 8u);
}
