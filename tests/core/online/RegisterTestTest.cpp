// The network register test: the checks of a request, the five reads of its
// answer and how the answer is shown; the network monitor's texts.
#include "online/RegisterTest.h"

#include <gtest/gtest.h>

#include "data/DefaultImage.h"
#include "online/NetworkMonitorText.h"

using namespace vantrel;

namespace {

SettingsImage driversOneAndTwo() {
    SettingsImage img = makeDefaultSettingsImage();
    NetworkDriverRecord(img, 0).setModel(2);
    NetworkDriverRecord(img, 1).setModel(4);
    return img;
}

}  // namespace

TEST(RegisterTest, ChecksInOrderWithTheirMessages) {
    const SettingsImage img = driversOneAndTwo();
    struct Case {
        std::uint16_t mode;
        RegisterTestFields fields;
        const char* message;  // nullptr: accepted as `request`
        NetworkRegisterRequest request;
    };
    const Case cases[] = {
        {2, {"17", 16, "x", "9", "x"}, "手動モードにしてください", {}},
        {0, {"17", 16, "0", "2", "0"}, "スレーブアドレスは1～16の範囲にしてください。", {}},
        {0, {"0", 3, "0", "2", "0"}, "スレーブアドレスは1～16の範囲にしてください。", {}},
        {0, {"abc", 3, "0", "2", "0"}, "スレーブアドレスは1～16の範囲にしてください。", {}},
        {0, {"3", 3, "0", "2", "0"}, "指定したスレーブアドレスはドライバが未接続です。", {}},
        {0, {"1", 3, "65536", "2", "0"}, "レジスタアドレスは0～65535の範囲にしてください。", {}},
        {0, {"1", 3, "-1", "2", "0"}, "レジスタアドレスは0～65535の範囲にしてください。", {}},
        {0, {"1", 16, "1", "3", "0"}, "レジスタ数は1～2の範囲にしてください。", {}},
        {0, {"1", 3, "100", "2", "junk"}, nullptr, {1, 3, 100, 2, 0}},  // the data field is not used
        {0, {"1", 8, "junk", "2", "65536"}, "診断のデータは0～65535の範囲にしてください。", {}},
        {0, {"1", 8, "junk", "2", "+"}, "診断のデータは0～65535の範囲にしてください。", {}},
        {0, {"2", 8, "junk", "2", "65535"}, nullptr, {2, 8, 0, 1, 65535}},
        {0, {"1", 16, "7", "1", "65536"}, "レジスタ数1の書込みデータは0～65535の範囲にしてください。", {}},
        {0, {"1", 16, "7", "1", "65535"}, nullptr, {1, 16, 7, 1, 65535}},
        {0, {"1", 16, "7", "2", "1.5"}, "データは整数で入力してください。", {}},
        {0, {"1", 16, "7", "2", "8000001"}, "データは-8000000～8000000の範囲にしてください", {}},
        {0, {"1", 16, "7", "2", "-8000001"}, "データは-8000000～8000000の範囲にしてください", {}},
        {0, {"1", 16, "7", "2", "."}, "データは-8000000～8000000の範囲にしてください", {}},
        {0, {"1", 16, "7", "2", "-8000000"}, nullptr, {1, 16, 7, 2, -8000000}},
        {0, {"1", 16, "7", "2", "12.0"}, nullptr, {1, 16, 7, 2, 12}},
    };
    for (const Case& c : cases) {
        const RegisterCheck check = checkRegisterRequest(c.fields, c.mode, img);
        const std::string label = c.fields.slave + "/" + std::to_string(c.fields.function) + "/" + c.fields.data;
        if (c.message) {
            EXPECT_FALSE(check.request) << label;
            ASSERT_TRUE(check.refusal) << label;
            EXPECT_EQ(check.refusal->text, c.message) << label;
            EXPECT_EQ(check.refusal->title, "VANTREL");  // a plain box: the program's own title
        } else {
            EXPECT_FALSE(check.refusal) << label << ": " << check.refusal->text;
            ASSERT_TRUE(check.request) << label;
            EXPECT_EQ(*check.request, c.request) << label;
        }
    }
}

TEST(RegisterTest, AnswerReadsAndTheDataShown) {
    RequestQueues queues;
    queueRegisterReplyReads(queues);
    const QueuedValue reads[] = {{0x69110, 1, 0}, {0x69111, 1, 0}, {0x69114, 2, 0}, {0x69116, 2, 0}, {0x69118, 4, 0}};
    for (const QueuedValue& read : reads) EXPECT_EQ(queues.popValueRead(), read);
    EXPECT_EQ(queues.valueReadCount(), 0u);

    struct Case {
        std::uint8_t function;
        std::uint16_t count;
        std::uint32_t data;
        const char* shown;
    };
    const Case cases[] = {
        {3, 2, 0x12345678, "305419896"},  // two registers: the whole 32 bits
        {3, 2, 0xFFFFFFFE, "-2"},
        {3, 1, 0x12345678, "22136"},      // one register: the low 16 bits
        {8, 1, 0xABCD1234, "4660"},
        {16, 2, 0x12345678, "0"},         // a write shows 0
        {16, 1, 0x1234, "0"},
        {0x83, 1, 0x12345678, "305419896"},  // an exception answer shows what came
    };
    for (const Case& c : cases) {
        ControllerStatus status;
        status.networkLive[0] = 5;
        status.networkLive[1] = c.function;
        status.networkLive[4] = 0x34;  // register address 0x1234, stored little-endian
        status.networkLive[5] = 0x12;
        status.networkLive[6] = static_cast<std::uint8_t>(c.count);
        for (std::size_t i = 0; i < 4; ++i) status.networkLive[8 + i] = static_cast<std::uint8_t>(c.data >> (8 * i));
        const RegisterReplyText text = registerReplyText(status);
        EXPECT_EQ(text, (RegisterReplyText{"5", std::to_string(c.function), "4660", std::to_string(c.count), c.shown}));
    }
}

TEST(NetworkMonitorText, ValuesByUnitAndEachBlockItsOwnDriver) {
    SettingsImage img = makeDefaultSettingsImage();
    NetworkDriverRecord mm(img, 13);  // RIVO14, slot 1 of group 3
    mm.setUnit(0);
    mm.setRatio1(3);
    mm.setRatio2(2);
    ControllerStatus status;
    for (std::size_t i = 0; i < 4; ++i) {
        status.networkCommandPosition[i] = 100 * static_cast<std::int32_t>(i) + 1;
        status.networkDetectedPosition[i] = 100 * static_cast<std::int32_t>(i) + 2;
        status.networkCommandSpeed[i] = 100 * static_cast<std::int32_t>(i) + 3;
        status.networkDetectedSpeed[i] = 100 * static_cast<std::int32_t>(i) + 4;
        status.networkWord[i] = static_cast<std::uint16_t>(0x10 + i);
        status.networkWord2[i] = static_cast<std::uint16_t>(1u << i);
        status.networkStatus[i] = 0xFFFF0000u | (0x100u << i);
    }
    // Step drivers: every block shows its own four values (the fourth block its own detected speed).
    for (int slot = 0; slot < 4; ++slot) {
        const NetworkDriverView v = networkDriverView(img, status, 0, slot);
        const int base = 100 * slot;
        EXPECT_EQ(v.values, (std::array<std::string, 4>{std::to_string(base + 1), std::to_string(base + 2),
                                                        std::to_string(base + 3), std::to_string(base + 4)}));
        EXPECT_EQ(v.positionUnit, "step");
        EXPECT_EQ(v.speedUnit, "r/min");
        EXPECT_EQ(v.netIn, 1u << slot);
        EXPECT_EQ(v.netOut, 0x100u << slot);
    }
    const NetworkDriverView v = networkDriverView(img, status, 3, 1);
    // 101 x 3 / 2 = 151.5 hundredths; 103 x 3 / 60 = 5.15 hundredths
    EXPECT_EQ(v.values, (std::array<std::string, 4>{"1.52", "1.53", "0.05", "0.05"}));
    EXPECT_EQ(v.positionUnit, "mm");
    EXPECT_EQ(v.speedUnit, "mm/s");
    EXPECT_EQ(v.alarm, "0011h");

    struct Text {
        std::int32_t value;
        const char* position;
        const char* speed;
    };
    const Text texts[] = {{0, "0.00", "0.00"}, {-2, "-0.03", "0.00"}, {-200, "-3.00", "-0.10"}, {6000, "90.00", "3.00"}};
    for (const Text& t : texts) {
        EXPECT_EQ(networkPositionText(img, 13, t.value), t.position) << t.value;
        EXPECT_EQ(networkSpeedText(img, 13, t.value), t.speed) << t.value;
    }
    mm.setRatio2(0);  // a foreign image: no division by zero
    EXPECT_EQ(networkPositionText(img, 13, 100), "1.00");
    EXPECT_EQ(networkAlarmText(0xABC), "0ABCh");
    EXPECT_EQ(networkBlockTitle(15), "RIVO16");
}
