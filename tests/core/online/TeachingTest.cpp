// Teaching: the command position of the moment goes to the chosen point.
#include "online/Teaching.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "data/DefaultImage.h"

using namespace vantrel;

namespace {

struct RecordingSink : ControllerWriteSink {
    std::vector<std::tuple<std::uint32_t, int, std::int32_t>> writes;
    void queueValueWrite(std::uint32_t address, std::uint16_t size, std::int32_t value) override {
        writes.emplace_back(address, size, value);
    }
    void queueAxisParameterWrite(std::uint32_t, std::uint16_t, std::int32_t) override { ADD_FAILURE(); }
};

}  // namespace

TEST(Teaching, WritesTheCommandPositionOnlyInEditTestWithAnAxisAndALink) {
    SettingsImage img = makeDefaultSettingsImage();
    ControllerStatus status;
    status.axisCommandPosition[2] = -4321;
    status.networkCommandPosition[1] = 777;  // RIVO06 = slot 1 of group 1
    struct Case {
        std::uint16_t mode;
        std::optional<JogAxisIndex> axis;
        bool linkOpen;
        int row;
        const char* message;  // nullptr: nothing shown
        std::vector<std::tuple<std::uint32_t, int, std::int32_t>> writes;
    };
    const Case cases[] = {
        {2, 2, true, 0, "ティーチングを行うときは\n編集テストモードに切り替えてください。", {}},
        {1, std::nullopt, true, 0, "ティーチングを行うときは\n編集テストモードに切り替えてください。", {}},
        {0, std::nullopt, true, 0, "軸を選択してください。", {}},
        {0, 2, false, 0, nullptr, {}},
        {0, 2, true, 4, "設定しました。", {{pulseTeachAddress(2, 4), 3, -4321}}},
        {0, 9, true, 63,
         "設定しました。",
         {{networkTeachAddress(5, 63), 4, 777}, {networkTeachAddress(5, 63) - 4, 1, 1}}},
    };
    for (const Case& c : cases) {
        SettingsImage before = img;
        RecordingSink sink;
        status.modeWord = c.mode;
        const TeachResult r = teachPoint(img, sink, status, c.linkOpen, c.axis, c.row);
        EXPECT_EQ(r.taught, !c.writes.empty());
        EXPECT_EQ(r.message ? r.message->text : std::string("(none)"), c.message ? c.message : "(none)");
        EXPECT_EQ(sink.writes, c.writes);
        if (c.axis == 9 && r.taught) {
            // The mode byte is set in the image at once; positions come with the read-back.
            EXPECT_EQ(ConstNetworkDriverRecord(img, 5).point(63).mode(), 1);
            EXPECT_EQ(ConstNetworkDriverRecord(img, 5).point(63).position(), 0);
        } else {
            EXPECT_EQ(img, before);
        }
    }
    status.modeWord = 2;
    RecordingSink sink;
    const TeachResult info = teachPoint(img, sink, status, true, 2, 0);
    ASSERT_TRUE(info.message);
    EXPECT_EQ(info.message->title, "インフォメーション");
    EXPECT_EQ(info.message->icon, MessageIcon::Information);
}
