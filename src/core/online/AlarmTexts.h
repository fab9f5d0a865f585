#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The messages of the controller's alarm codes 0..122, indexed by code;
// codes without a message have the empty text.
inline constexpr int kAlarmMessageCount = 123;
using AlarmMessageTable = std::array<std::string_view, kAlarmMessageCount>;
const AlarmMessageTable& alarmMessageTable();
// The message of a code; codes outside the table have the empty text.
std::string_view alarmMessage(int code);

// The alarm monitor's current alarm field: "アラームなし" for code 0, else
// "alarm %d  %s" (two blanks before the message, which may be empty).
std::string currentAlarmText(int code);

// One row of the alarm history list (row 1..10): "%03d" of the row, "alarm %d"
// of the code or "no alarm" for 0, and the code's message.
struct AlarmHistoryRow {
    std::string number;
    std::string code;
    std::string message;
};
AlarmHistoryRow alarmHistoryRow(int row, int code);

// Column titles and widths of the history list.
struct AlarmHistoryColumn {
    std::string_view title;
    int width;
};
inline constexpr std::array<AlarmHistoryColumn, 3> kAlarmHistoryColumns = {{
    {"No.", 40}, {"コード", 100}, {"アラームメッセージ", 180}}};

}  // namespace vantrel
