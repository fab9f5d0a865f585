#include "data/ImageEdit.h"
#include "data/SettingsImage.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace vantrel;

namespace {

void putPositionBytes(SettingsImage& image, int axis, int index, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    const std::size_t at = *SettingsImage::positionRecordOffset(axis, index) + 3;
    image.setU8(at, b0);
    image.setU8(at + 1, b1);
    image.setU8(at + 2, b2);
}

struct RecordingSink : ControllerWriteSink {
    using Entry = std::tuple<char, std::uint32_t, std::uint16_t, std::int32_t>;
    std::vector<Entry> entries;
    void queueValueWrite(std::uint32_t a, std::uint16_t s, std::int32_t v) override { entries.emplace_back('V', a, s, v); }
    void queueAxisParameterWrite(std::uint32_t a, std::uint16_t s, std::int32_t v) override {
        entries.emplace_back('P', a, s, v);
    }
};

}  // namespace

TEST(SettingsImage, SizeIsTheFileFormat) {
    EXPECT_EQ(sizeof(SettingsImage::Bytes), 172828u);
    EXPECT_EQ(layout::kReservedLast + 1, SettingsImage::kSize);
    // The regions tile the image without gaps.
    EXPECT_EQ(layout::kPositionBlocks + 4 * layout::kPositionBlockSize, layout::kNetworkCommParams);
    EXPECT_EQ(layout::kNetworkCommParams + layout::kNetworkCommParamsSize, layout::kNetworkDrivers);
    EXPECT_EQ(layout::kNetworkDrivers + 16 * layout::kNetworkDriverSize, layout::kPulseAxes);
    EXPECT_EQ(layout::kPulseAxes + 4 * layout::kPulseAxisSize, layout::kFlagWords);
    EXPECT_EQ(layout::kFlagWords + layout::kFlagWordsSize, layout::kTimers);
    EXPECT_EQ(layout::kTimers + 200, layout::kCounters);
    EXPECT_EQ(layout::kCounters + 32, layout::kEthernet);
    // The last position record ends inside its block, before the reserved tail.
    EXPECT_EQ(layout::kPositionRecordsStart + 7 * 2001, 14028u);
}

TEST(SettingsImage, TwentyFourBitPositions) {
    SettingsImage image;
    putPositionBytes(image, 1, 12, 0x00, 0x00, 0x81);
    EXPECT_EQ(image.readPosition(1, 12), NOT_SET_POSITION);
    putPositionBytes(image, 1, 12, 0xFF, 0xFF, 0x7F);
    EXPECT_EQ(image.readPosition(1, 12), 8388607);
    putPositionBytes(image, 1, 12, 0x00, 0x00, 0x80);
    EXPECT_EQ(image.readPosition(1, 12), -8388608);
    putPositionBytes(image, 1, 12, 0xFF, 0xFF, 0xFF);
    EXPECT_EQ(image.readPosition(1, 12), -1);

    image.writePosition(3, 2000, -1234);
    EXPECT_EQ(image.readPosition(3, 2000), -1234);
    const std::size_t at = *SettingsImage::positionRecordOffset(3, 2000) + 3;
    EXPECT_EQ(image.u8(at), 0x2E);
    EXPECT_EQ(image.u8(at + 1), 0xFB);
    EXPECT_EQ(image.u8(at + 2), 0xFF);
    EXPECT_EQ(image.u8(at + 3), 0x00);  // the reserved byte after the position stays
    image.writePosition(0, 5, NOT_SET_POSITION);
    EXPECT_EQ(image.readPosition(0, 5), NOT_SET_POSITION);
}

TEST(SettingsImage, PositionIndexesOutsideTheTable) {
    SettingsImage image;
    image.writePosition(0, 2001, 5);
    image.writePosition(4, 0, 5);
    image.writePosition(-1, 0, 5);
    EXPECT_EQ(image, SettingsImage{});
    EXPECT_EQ(image.readPosition(0, 2001), NOT_SET_POSITION);
    EXPECT_EQ(image.readPosition(4, 0), NOT_SET_POSITION);
    EXPECT_EQ(image.readPosition(0, -1), NOT_SET_POSITION);
}

TEST(SettingsImage, FieldOffsetsOfTheRegions) {
    SettingsImage image;
    EXPECT_EQ(ControllerFlagWords::sensorLogicOffset(1), 172566u);  // axis 2
    EXPECT_EQ(ControllerFlagWords::sensorLogicOffset(0), 172567u);
    EXPECT_EQ(ControllerFlagWords::sensorLogicOffset(3), 172564u);
    EXPECT_EQ(TimerTable::timerOffset(99), 172778u);
    EXPECT_EQ(CounterTable::counterOffset(7), 172808u);
    EXPECT_EQ(NetworkDriverRecord(image, 15).point(99).offsetOf(NetworkPointRecord::kDecelTime),
              68880u + 6416u * 15 + 16 + 64 * 99 + 16);
    EXPECT_EQ(PulseAxisRecord(image, 3).offsetOf(PulseAxisRecord::kHomeSpeed), 171536u + 768 + 224);
    EXPECT_EQ(PositionBlock(image, 2).record(0).offsetOf(0), 2 * 17216u + 21);

    PulseAxisRecord axis(image, 1);
    axis.setResolution(0xBEEF);
    EXPECT_EQ(image.u8(171536 + 256 + 32), 0xEF);  // little-endian
    EXPECT_EQ(image.u8(171536 + 256 + 33), 0xBE);
    axis.setHomeOffset(-2);
    EXPECT_EQ(axis.homeOffset(), -2);
    axis.setAccelTime(25, 100000);
    EXPECT_EQ(image.u32(171536 + 256 + 72 + 100), 100000u);

    EthernetSettings eth(image);
    eth.setIpAddress({192, 168, 1, 2});
    EXPECT_EQ(image.u8(172812), 192);
    EXPECT_EQ(image.u8(172815), 2);
    eth.setPort(65535);
    EXPECT_EQ(image.u16(172824), 65535);
    setSpeedOverrideLevel(image, 3);
    EXPECT_EQ(image.u8(172826), 3);
}

TEST(SettingsImage, ControllerAddresses) {
    SettingsImage image;
    EXPECT_EQ(PulseAxisRecord(image, 2).addressOf(PulseAxisRecord::kMaxRotationSpeed), 4392u);
    EXPECT_EQ(PulseAxisRecord(image, 2).parameterAddress(PulseAxisRecord::kMaxRotationSpeed), 4392u);
    EXPECT_EQ(controllerAddress(0), 0x20000u);
    EXPECT_EQ(controllerAddress(68863), 0x20000u + 68863);
    EXPECT_EQ(controllerAddress(68864), 0x50000u);                        // communication speed
    EXPECT_EQ(controllerAddress(68880 + 6416 * 4), 321280u + 6416 * 5);   // driver 5 model
    EXPECT_EQ(controllerAddress(171535), 0x50000u + 102671);
    EXPECT_EQ(controllerAddress(171536), 256u);
    EXPECT_EQ(controllerAddress(171536 + 255), 511u);
    EXPECT_EQ(controllerAddress(171536 + 256), 2048u + 256);
    EXPECT_EQ(controllerAddress(ControllerFlagWords::sensorLogicOffset(1)), 0x70006u);
    EXPECT_EQ(controllerAddress(172580), 52u);
    EXPECT_EQ(controllerAddress(172778), 250u);
    EXPECT_EQ(controllerAddress(172780), 264u);
    EXPECT_EQ(controllerAddress(172812), 0xAA30u);
    EXPECT_EQ(controllerAddress(172816), 0xAA34u);
    EXPECT_EQ(controllerAddress(172820), 0xAA38u);
    EXPECT_EQ(controllerAddress(172824), 0xAA54u);
    EXPECT_EQ(controllerAddress(172826), 28u);
    EXPECT_FALSE(controllerAddress(172827));
    EXPECT_FALSE(controllerAddress(172828));

    EXPECT_EQ(pulseAxisOffsetOfAddress(4392), 171536u + 512 + 40);
    EXPECT_FALSE(pulseAxisOffsetOfAddress(255));
    EXPECT_FALSE(pulseAxisOffsetOfAddress(2048 * 3 + 512));
    EXPECT_FALSE(pulseAxisOffsetOfAddress(2048 * 4 + 256));
}

TEST(SettingsImage, AccessOutsideTheImageIsHarmless) {
    SettingsImage image;
    image.setU32(SettingsImage::kSize - 2, 0xFFFFFFFF);
    image.setU16(SettingsImage::kSize, 0xFFFF);
    EXPECT_EQ(image, SettingsImage{});
    EXPECT_EQ(image.u32(SettingsImage::kSize - 3), 0u);
    image.setU8(SettingsImage::kSize - 1, 7);
    EXPECT_EQ(image.u8(SettingsImage::kSize - 1), 7);
    EXPECT_EQ(image.value(0, 5, false), 0);
}

TEST(ImageEdit, StoresAndQueuesEveryKindOfField) {
    SettingsImage image;
    RecordingSink sink;
    ImageEdit edit(image, &sink);

    edit.write(ControllerFlagWords::sensorLogicOffset(1), 1, 0x02);
    edit.write(PulseAxisRecord(image, 2).offsetOf(PulseAxisRecord::kMaxRotationSpeed), 2, 3000);
    edit.write(TimerTable::timerOffset(2), 2, 150);
    edit.write(CounterTable::counterOffset(0), 4, -7);
    edit.writePosition(0, 1000, -50);
    edit.write(layout::kReservedLast, 1, 9);  // no controller address: nothing happens
    edit.write(0, 3, 9);                      // positions go through writePosition only

    EXPECT_EQ(image.u8(172566), 0x02);
    EXPECT_EQ(PulseAxisRecord(image, 2).maxRotationSpeed(), 3000);
    EXPECT_EQ(TimerTable(image).timer(2), 150);
    EXPECT_EQ(CounterTable(image).counter(0), -7);
    EXPECT_EQ(image.readPosition(0, 1000), -50);
    EXPECT_EQ(image.u8(layout::kReservedLast), 0);

    const std::vector<RecordingSink::Entry> expected{
        {'V', 0x70006, 1, 2},
        {'P', 4392, 2, 3000},
        {'V', 56, 2, 150},
        {'V', 264, 4, -7},
        {'V', 0x20000 + 21 + 7 * 1000 + 3, 3, -50},
    };
    EXPECT_EQ(sink.entries, expected);
}
