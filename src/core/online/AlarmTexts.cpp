#include "online/AlarmTexts.h"

#include <cstdio>
#include <utility>

namespace vantrel {
namespace {

// Codes that have a message; every other code of the table has none.
constexpr std::pair<int, std::string_view> kAlarmMessages[] = {
    {1, "FROMエラー"},
    {2, "内臓RAMエラー"},
    {3, "プログラムエラー"},
    {4, "シーケンスエラー"},
    {5, "非常停止"},
    {21, "NCPコンパイルエラー"},
    {22, "FPGA通信異常"},
    {23, "リミットセンサ検出"},
    {24, "エリア設定オーバー"},
    {25, "動作禁止領域"},
    {26, "±リミットスイッチ逆接続"},
    {27, "HOME信号未検出"},
    {28, "オフセット異常"},
    {29, "原点復帰運転異常"},
    {33, "ポイント設定異常"},
    {34, "最大速度オーバー"},
    {96, "RIVO通信異常"},
    {97, "RIVO通信タイムアウト"},
};

}  // namespace

const AlarmMessageTable& alarmMessageTable() {
    static const AlarmMessageTable table = [] {
        AlarmMessageTable t{};
        for (const auto& [code, text] : kAlarmMessages) t[static_cast<std::size_t>(code)] = text;
        return t;
    }();
    return table;
}

std::string_view alarmMessage(int code) {
    if (code < 0 || code >= kAlarmMessageCount) return {};
    return alarmMessageTable()[static_cast<std::size_t>(code)];
}

std::string currentAlarmText(int code) {
    if (code == 0) return "アラームなし";
    return "alarm " + std::to_string(code) + "  " + std::string(alarmMessage(code));
}

AlarmHistoryRow alarmHistoryRow(int row, int code) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", row);
    return {number, code == 0 ? std::string("no alarm") : "alarm " + std::to_string(code), std::string(alarmMessage(code))};
}

}  // namespace vantrel
