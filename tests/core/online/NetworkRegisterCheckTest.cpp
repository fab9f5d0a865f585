#include <gtest/gtest.h>

#include "data/DefaultImage.h"
#include "online/NetworkRegisterCheck.h"

namespace vantrel {
namespace {

constexpr std::uint16_t kEditTest = 0;
constexpr std::uint16_t kAutoRun = 2;

NetworkRegisterForm form(const char* slave, int function, const char* address, const char* count, const char* data) {
    return {slave, function, address, count, data};
}

NetworkRegisterRequest request(int slave, int function, int address, int count, std::int32_t data) {
    return {static_cast<std::uint8_t>(slave), static_cast<std::uint8_t>(function), static_cast<std::uint16_t>(address),
            static_cast<std::uint16_t>(count), data};
}

// The checks of a send, in their order, and the request each accepted form makes.
TEST(NetworkRegisterCheck, ChecksInOrderAndTheRequestMade) {
    SettingsImage image = makeDefaultSettingsImage();
    NetworkDriverRecord(image, 4).setModel(2);   // slave 5 has a driver
    NetworkDriverRecord(image, 15).setModel(1);  // slave 16 too; slave 3 has none
    struct Case {
        const char* what;
        std::uint16_t mode;
        NetworkRegisterForm form;
        const char* message;  // nullptr: accepted
        NetworkRegisterRequest made;
    };
    const Case cases[] = {
        {"auto-run mode refuses before anything else", kAutoRun, form("17", 16, "x", "9", "x"), kManualModeMessage, {}},
        {"slave 17", kEditTest, form("17", 16, "0", "2", "0"), kSlaveRangeMessage, {}},
        {"slave 0", kEditTest, form("0", 3, "0", "2", "0"), kSlaveRangeMessage, {}},
        {"a slave that is no number", kEditTest, form("RIVO1", 3, "0", "2", "0"), kSlaveRangeMessage, {}},
        {"a slave that is no whole number", kEditTest, form("5.5", 3, "0", "2", "0"), kSlaveRangeMessage, {}},
        {"slave 3 without a driver", kEditTest, form("3", 3, "0", "2", "0"), kSlaveNotConnectedMessage, {}},
        {"read: address 65536", kEditTest, form("5", 3, "65536", "2", "0"), kRegisterAddressRangeMessage, {}},
        {"read: address -1", kEditTest, form("5", 3, "-1", "2", "0"), kRegisterAddressRangeMessage, {}},
        {"read: count 3", kEditTest, form("5", 3, "0", "3", "0"), kRegisterCountRangeMessage, {}},
        {"read: count 0", kEditTest, form("5", 3, "0", "0", "0"), kRegisterCountRangeMessage, {}},
        {"read: the data field is not looked at", kEditTest, form("5", 3, "65535", "2", "junk"), nullptr,
         request(5, 3, 65535, 2, 0)},
        {"diagnostics: data 65536", kEditTest, form("5", 8, "0", "2", "65536"), kDiagnosticsDataRangeMessage, {}},
        {"diagnostics: data -1", kEditTest, form("5", 8, "0", "2", "-1"), kDiagnosticsDataRangeMessage, {}},
        {"diagnostics: a sign alone is no number", kEditTest, form("5", 8, "0", "2", "+"), kDiagnosticsDataRangeMessage, {}},
        {"diagnostics: address 0 and count 1 whatever the fields say", kEditTest, form("16", 8, "99999", "7", "1234"),
         nullptr, request(16, 8, 0, 1, 1234)},
        {"diagnostics: the integer part of the data", kEditTest, form("5", 8, "0", "2", "65535.9"), nullptr,
         request(5, 8, 0, 1, 65535)},
        {"write one register: data 65536", kEditTest, form("5", 16, "10", "1", "65536"), kSingleRegisterDataRangeMessage, {}},
        {"write one register", kEditTest, form("5", 16, "10", "1", "65535"), nullptr, request(5, 16, 10, 1, 65535)},
        {"write two registers: 1.5", kEditTest, form("5", 16, "10", "2", "1.5"), kWholeDataMessage, {}},
        {"write two registers: 8000001", kEditTest, form("5", 16, "10", "2", "8000001"), kDoubleRegisterDataRangeMessage, {}},
        {"write two registers: no number", kEditTest, form("5", 16, "10", "2", "1e3"), kDoubleRegisterDataRangeMessage, {}},
        {"write two registers: the lowest", kEditTest, form("5", 16, "10", "2", "-8000000"), nullptr,
         request(5, 16, 10, 2, -8000000)},
        {"write: address checked before data", kEditTest, form("5", 16, "70000", "2", "1.5"), kRegisterAddressRangeMessage, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const NetworkRegisterCheck check = checkNetworkRegisterRequest(c.form, c.mode, image);
        if (c.message) {
            ASSERT_TRUE(check.refusal);
            EXPECT_EQ(check.refusal->text, c.message);
            EXPECT_EQ(check.refusal->title, "");  // a plain box
            EXPECT_FALSE(check.request);
        } else {
            EXPECT_FALSE(check.refusal) << check.refusal->text;
            ASSERT_TRUE(check.request);
            EXPECT_EQ(*check.request, c.made);
        }
    }
}

// What the answer shows of the data read back.
TEST(NetworkRegisterCheck, TheDataTheAnswerShows) {
    struct Case {
        std::uint8_t function;
        std::uint16_t count;
        std::int32_t data;
        std::int32_t shown;
    };
    const Case cases[] = {
        {3, 2, 0x12345678, 0x12345678},  // two registers: the whole value
        {3, 1, 0x12345678, 0x5678},      // one register: its 16 bits
        {8, 1, -1, 0xFFFF},
        {16, 2, 0x12345678, 0},  // a write shows 0
        {16, 1, 7, 0},
        {0x83, 1, 0x12345678, 0x12345678},  // an exception answer: as read
    };
    for (const Case& c : cases) EXPECT_EQ(shownRegisterData(c.function, c.count, c.data), c.shown) << int(c.function);
}

}  // namespace
}  // namespace vantrel
