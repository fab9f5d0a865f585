#include "online/AlarmTexts.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(AlarmTexts, CurrentAlarmField) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {0, "アラームなし"},
        {27, "alarm 27  HOME信号未検出"},
        {6, "alarm 6  "},      // a code without a message ends in the two blanks
        {200, "alarm 200  "},  // beyond the table
        {1, "alarm 1  FROMエラー"},
        {97, "alarm 97  RIVO通信タイムアウト"},
        {122, "alarm 122  "},
    };
    for (const Case& c : cases) EXPECT_EQ(currentAlarmText(c.code), c.text) << c.code;
}

TEST(AlarmTexts, TableHoldsEighteenMessagesAmong123Codes) {
    const AlarmMessageTable& table = alarmMessageTable();
    int withText = 0;
    for (const auto& text : table) withText += !text.empty();
    EXPECT_EQ(table.size(), 123u);
    EXPECT_EQ(withText, 18);
    EXPECT_EQ(alarmMessage(26), "±リミットスイッチ逆接続");
    EXPECT_EQ(alarmMessage(-1), "");
    EXPECT_EQ(alarmMessage(123), "");
}

TEST(AlarmTexts, HistoryRows) {
    // Ten zero bytes show ten rows of "no alarm" with empty messages.
    for (int row = 1; row <= 10; ++row) {
        const AlarmHistoryRow r = alarmHistoryRow(row, 0);
        EXPECT_EQ(r.number, row < 10 ? "00" + std::to_string(row) : "010");
        EXPECT_EQ(r.code, "no alarm");
        EXPECT_EQ(r.message, "");
    }
    const AlarmHistoryRow r = alarmHistoryRow(3, 33);
    EXPECT_EQ(r.code, "alarm 33");
    EXPECT_EQ(r.message, "ポイント設定異常");
}
