#include <gtest/gtest.h>

#include <tuple>
#include <variant>
#include <vector>

#include "app/EthernetAddressEdit.h"
#include "app/StatusPaneTexts.h"

namespace vantrel {
namespace {

TEST(StatusPaneTexts, OfflineShowsOnlyLinkAndSpeed) {
    StatusPaneInput input;
    input.currentMode = 2;
    input.controllerName = "MAIN";
    input.alarmCode = 7;
    input.speedLevel = 2;
    auto texts = statusPaneTexts(input);
    EXPECT_EQ(texts.link, "OFFLINE");
    EXPECT_EQ(texts.speed, "60％");
    EXPECT_EQ(texts.mode, "");
    EXPECT_EQ(texts.controller, "");
    EXPECT_EQ(texts.runState, "");
    EXPECT_EQ(texts.alarm, "");

    // A disconnect in progress is offline although the port is still open.
    input.portOpen = true;
    input.silentDisconnect = true;
    EXPECT_EQ(statusPaneTexts(input).link, "OFFLINE");
}

TEST(StatusPaneTexts, OnlineFields) {
    StatusPaneInput input;
    input.portOpen = true;
    input.currentMode = 1;
    input.controllerName = "VT-4";
    auto texts = statusPaneTexts(input);
    EXPECT_EQ(texts.link, "ONLINE");
    EXPECT_EQ(texts.mode, "ステップ実行モード");
    EXPECT_EQ(texts.controller, "VT-4");
    EXPECT_EQ(texts.runState, "停止中");
    EXPECT_EQ(texts.alarm, "no alarm");

    input.runStates[7] = 1;  // the last of the eight run values alone
    input.alarmCode = 5;
    texts = statusPaneTexts(input);
    EXPECT_EQ(texts.runState, "動作中");
    EXPECT_EQ(texts.alarm, "alarm 005");
    input.alarmCode = 255;
    input.currentMode = 9;
    texts = statusPaneTexts(input);
    EXPECT_EQ(texts.alarm, "alarm 255");
    EXPECT_EQ(texts.mode, "エラー");
}

TEST(EthernetPort, RangeIsZeroTo65535) {
    EXPECT_EQ(std::get<std::uint16_t>(parseEthernetPort("0")), 0);
    EXPECT_EQ(std::get<std::uint16_t>(parseEthernetPort("65535")), 65535);
    for (const char* bad : {"65536", "99999", "100000", "-1", "", "12a", " 80", "1.5"}) {
        const auto result = parseEthernetPort(bad);
        ASSERT_TRUE(std::holds_alternative<Refusal>(result)) << bad;
        EXPECT_EQ(std::get<Refusal>(result).text, "ポート番号は0～65535の間で設定してください。");
    }
}

struct RecordingSink : ControllerWriteSink {
    std::vector<std::tuple<std::uint32_t, std::uint16_t, std::int32_t>> values;
    void queueValueWrite(std::uint32_t a, std::uint16_t s, std::int32_t v) override { values.emplace_back(a, s, v); }
    void queueAxisParameterWrite(std::uint32_t, std::uint16_t, std::int32_t) override { ADD_FAILURE(); }
};

TEST(EthernetAddress, StoresMostSignificantFirstAndQueuesFourWrites) {
    SettingsImage image;
    RecordingSink sink;
    EthernetAddressValues values{{192, 168, 1, 10}, {255, 255, 255, 0}, {192, 168, 1, 1}, 5000};
    applyEthernetAddress(image, &sink, values);

    EXPECT_EQ(image.u8(172812), 192);
    EXPECT_EQ(image.u8(172815), 10);
    EXPECT_EQ(image.u8(172819), 0);
    EXPECT_EQ(image.u16(172824), 5000);
    ASSERT_EQ(sink.values.size(), 4u);
    EXPECT_EQ(sink.values[0], std::make_tuple(0xAA30u, std::uint16_t{4}, static_cast<std::int32_t>(0xC0A8010Au)));
    EXPECT_EQ(sink.values[1], std::make_tuple(0xAA34u, std::uint16_t{4}, static_cast<std::int32_t>(0xFFFFFF00u)));
    EXPECT_EQ(sink.values[2], std::make_tuple(0xAA38u, std::uint16_t{4}, static_cast<std::int32_t>(0xC0A80101u)));
    EXPECT_EQ(sink.values[3], std::make_tuple(0xAA54u, std::uint16_t{2}, std::int32_t{5000}));

    const auto back = readEthernetAddress(image);
    EXPECT_EQ(back.ipAddress, values.ipAddress);
    EXPECT_EQ(back.gateway, values.gateway);
    EXPECT_EQ(back.port, 5000);

    applyEthernetAddress(image, nullptr, {});  // no controller: image only
    EXPECT_EQ(image.u8(172812), 0);
}

}  // namespace
}  // namespace vantrel
