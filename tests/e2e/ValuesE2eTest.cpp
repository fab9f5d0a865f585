#include "E2eSupport.h"

using namespace vantrel;
using namespace vantrel::e2e;

namespace {

struct Item {
    std::uint32_t address;
    std::uint16_t size;
    std::int32_t value;
    std::size_t offset;  // where the read-back lands in the image
    bool stored = true;  // false: counters and flag words, whose read-back is not stored
};

// One value of every kind of the controller address map.
std::vector<Item> addressMap() {
    std::vector<Item> items;
    items.push_back({28, 1, 3, layout::kSpeedOverrideLevel});
    for (std::uint32_t k = 0; k < 100; ++k) items.push_back({52 + 2 * k, 2, static_cast<std::int32_t>(1000 + 7 * k), layout::kTimers + 2 * k});
    for (std::uint32_t k = 0; k < 8; ++k) items.push_back({264 + 4 * k, 4, static_cast<std::int32_t>(999000 + k), layout::kCounters + 4 * k, false});
    items.push_back({0xAA30, 4, static_cast<std::int32_t>(0xC0A8010Au), layout::kEthernet});
    items.push_back({0xAA34, 4, static_cast<std::int32_t>(0xFFFFFF00u), layout::kEthernet + 4});
    items.push_back({0xAA38, 4, static_cast<std::int32_t>(0xC0A80101u), layout::kEthernet + 8});
    items.push_back({0xAA54, 2, 502, layout::kEthernetPort});
    const auto position = [](int axis, int index) { return *SettingsImage::positionRecordOffset(axis, index) + 3; };
    items.push_back({0x20000 + static_cast<std::uint32_t>(position(0, 0)), 3, -5, position(0, 0)});
    items.push_back({0x20000 + static_cast<std::uint32_t>(position(3, 2000)), 3, 8388607, position(3, 2000)});
    items.push_back({0x20000 + static_cast<std::uint32_t>(position(1, 1000)) - 3, 1, 55, position(1, 1000) - 3});  // speed %
    items.push_back({0x50000, 1, 4, layout::kNetworkCommParams});
    items.push_back({0x50004, 4, 123456, layout::kNetworkCommParams + 4});
    items.push_back({0x50008, 4, -1, layout::kNetworkCommParams + 8});
    const std::size_t d1 = layout::kNetworkDrivers;
    items.push_back({static_cast<std::uint32_t>(0x50000 + d1 - 68864), 1, 3, d1});
    items.push_back({static_cast<std::uint32_t>(0x50000 + d1 + 2 - 68864), 2, 0x1234, d1 + 2});
    const std::size_t p = layout::kNetworkDrivers + 15 * layout::kNetworkDriverSize + 16 + 64 * 99;
    items.push_back({static_cast<std::uint32_t>(0x50000 + p - 68864), 1, 1, p});
    items.push_back({static_cast<std::uint32_t>(0x50000 + p + 4 - 68864), 4, -8000000, p + 4});
    items.push_back({static_cast<std::uint32_t>(0x50000 + p + 8 - 68864), 4, 99999, p + 8});
    for (std::uint32_t z = 4; z < 8; ++z) items.push_back({0x70000 + z, 1, static_cast<std::int32_t>(0x08 + z), layout::kFlagWords + z, false});
    return items;
}

}  // namespace

TEST_F(LinkE2e, EverySingleValueOfTheAddressMapIsWrittenAndReadBack) {
    connectEditTest();
    const auto items = addressMap();
    ASSERT_LE(items.size(), RequestQueues::kCapacity);
    for (const auto& it : items) queues.queueValueWrite(it.address, it.size, it.value);
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x07), static_cast<int>(items.size()));
    EXPECT_EQ(sim.requestCount(0x09), static_cast<int>(items.size()));
    for (const auto& it : items) {
        SCOPED_TRACE(it.address);
        // The controller holds the value (in its own byte order) ...
        const auto held = sim.readValue(it.address, it.size);
        ASSERT_TRUE(held);
        const std::uint32_t mask = it.size == 4 ? 0xFFFFFFFFu : ((1u << (8 * it.size)) - 1);
        EXPECT_EQ(*held, static_cast<std::uint32_t>(it.value) & mask);
        // ... and its read-back put it into the image at the field's place
        // (or, for counters and flag words, left the image as it was).
        if (!it.stored) {
            EXPECT_EQ(image.value(it.offset, it.size, false), 0);
        } else if (it.address >= 0xAA30 && it.address <= 0xAA38) {
            const auto v = static_cast<std::uint32_t>(it.value);
            EXPECT_EQ(image.u8(it.offset), v >> 24);
            EXPECT_EQ(image.u8(it.offset + 3), v & 0xFF);
        } else {
            EXPECT_EQ(static_cast<std::uint32_t>(image.value(it.offset, it.size, false)), static_cast<std::uint32_t>(it.value) & mask);
        }
    }
    EXPECT_EQ(image.readPosition(0, 0), -5);
    EXPECT_EQ(image.readPosition(3, 2000), 8388607);
    EXPECT_EQ(NetworkDriverRecord(image, 15).point(99).position(), -8000000);
}

TEST_F(LinkE2e, PulseAxisParametersAreWrittenAndStoredInTheirRecords) {
    connectEditTest();
    const std::uint32_t maxSpeedAxis3 = 2048 * 2 + 256 + 40;
    const std::uint32_t accelAxis1 = 256 + 72;
    const std::uint32_t modelAxis4 = 2048 * 3 + 256 + 176;
    queues.queueAxisParameterWrite(maxSpeedAxis3, 2, 3000);
    queues.queueAxisParameterWrite(accelAxis1, 4, 70000);
    queues.queueAxisParameterWrite(modelAxis4, 1, 5);
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x0D), 3);
    EXPECT_EQ(PulseAxisRecord(image, 2).maxRotationSpeed(), 3000);
    EXPECT_EQ(PulseAxisRecord(image, 0).accelTime(0), 70000u);
    EXPECT_EQ(PulseAxisRecord(image, 3).model(), 5);
    const auto held = sim.readParameters(maxSpeedAxis3, 2);
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(held[0] | (held[1] << 8), 3000);
}

TEST_F(LinkE2e, AValueWriteAnsweredWithAnotherSequenceIsSentAgain) {
    connectEditTest();
    setFaults([](SimFaults& f) { f.wrongSequence = CodeFault::times(0x07, 1); });
    queues.queueValueWrite(52, 2, 777);
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x07), 2);
    EXPECT_EQ(sim.requestCount(0x09), 1);
    EXPECT_EQ(TimerTable(image).timer(0), 777);
}

TEST_F(LinkE2e, AValueReadBackCutShortOrWithAnotherSequenceStoresNothing) {
    connectEditTest();
    setFaults([](SimFaults& f) {
        f.shortReply = CodeFault::times(0x09, 1);
        f.shortReplyLength = 44;
        f.wrongSequence = CodeFault::times(0x09, 2);
    });
    queues.queueValueWrite(54, 2, 111);
    ASSERT_TRUE(queuesDrained());
    queues.queueValueWrite(56, 2, 222);
    ASSERT_TRUE(queuesDrained());
    queues.queueValueWrite(58, 2, 333);
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x09), 3);  // each read once, never repeated
    EXPECT_EQ(TimerTable(image).timer(1), 0);
    EXPECT_EQ(TimerTable(image).timer(2), 0);
    EXPECT_EQ(TimerTable(image).timer(3), 333);
    EXPECT_EQ(sim.readValue(54, 2), std::optional<std::uint32_t>(111));
}

TEST_F(LinkE2e, AFullValueWriteQueueDropsThe257thPush) {
    connectEditTest();
    const auto untouched = sim.readValue(0x20000 + 21 + 7 * 256, 1);
    ASSERT_NE(untouched, std::optional<std::uint32_t>(1 + 256 % 100));
    {
        // Hold the link so nothing is served while the queue fills.
        std::lock_guard g(link.lock());
        for (std::uint32_t k = 0; k < 257; ++k)
            queues.queueValueWrite(0x20000 + 21 + 7 * k, 1, static_cast<std::int32_t>(1 + k % 100));
        EXPECT_EQ(queues.valueWriteCount(), 256u);
    }
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(sim.requestCount(0x07), 256);
    EXPECT_EQ(sim.readValue(0x20000 + 21 + 7 * 255, 1), std::optional<std::uint32_t>(1 + 255 % 100));
    EXPECT_EQ(sim.readValue(0x20000 + 21 + 7 * 256, 1), untouched);
}

TEST_F(LinkE2e, NetworkRegisterRequestRidesInOnePollAndItsReplyIsReadBack) {
    connectEditTest();
    NetworkRegisterRequest request;
    request.slave = 3;
    request.function = NetworkRegisterRequest::kWriteRegisters;
    request.registerAddress = 0x0100;
    request.registerCount = 2;
    request.data = 123456;
    link.setNetworkRegisterRequest(request);
    ASSERT_TRUE(RecordingEvents::eventually([&] { return sim.outputs().lastRegisterRequest[0] != 0; }));
    EXPECT_EQ(link.takeNetworkRegisterRequest(), NetworkRegisterRequest{});
    const auto sent = sim.outputs().lastRegisterRequest;
    EXPECT_EQ(sent[0] & 0xFF, 3u);
    EXPECT_EQ((sent[0] >> 8) & 0xFF, 16u);
    EXPECT_EQ(sent[2], 123456u);
    for (auto [address, size] : {std::pair{0x69110u, 1}, {0x69111u, 1}, {0x69114u, 2}, {0x69116u, 2}, {0x69118u, 4}})
        queues.queueValueRead(address, static_cast<std::uint16_t>(size));
    ASSERT_TRUE(queuesDrained());
    EXPECT_EQ(status.registerReplySlave(), 3);
    EXPECT_EQ(status.registerReplyFunction(), 16);
    EXPECT_EQ(status.registerReplyAddress(), 0x0100);
}
