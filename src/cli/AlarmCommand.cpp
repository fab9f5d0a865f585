#include <iostream>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "online/AlarmTexts.h"

namespace vantrel::cli {
namespace {

constexpr std::size_t kHistoryRows = 10;

void printAlarms(int current, const std::array<int, kHistoryRows>* history) {
    out() << text(currentAlarmText(current)) << "\n";
    if (!history) return;
    out() << "\n";
    for (std::size_t c = 0; c < kAlarmHistoryColumns.size(); ++c) out() << (c ? "\t" : "") << text(kAlarmHistoryColumns[c].title);
    out() << "\n";
    for (std::size_t r = 0; r < kHistoryRows; ++r) {
        const AlarmHistoryRow row = alarmHistoryRow(static_cast<int>(r) + 1, (*history)[r]);
        out() << row.number << "\t" << row.code << "\t" << text(row.message) << "\n";
    }
}

void printAlarmsJson(int current, const std::array<int, kHistoryRows>* history) {
    nlohmann::ordered_json json;
    json["current"] = {{"code", current}, {"text", currentAlarmText(current)}, {"message", std::string(alarmMessage(current))}};
    if (history) {
        auto& list = json["history"] = nlohmann::ordered_json::array();
        for (std::size_t r = 0; r < kHistoryRows; ++r) {
            const int code = (*history)[r];
            list.push_back({{"no", r + 1}, {"code", code}, {"message", std::string(alarmMessage(code))}});
        }
    }
    out() << json.dump(1) << "\n";
}

}  // namespace

int runAlarm(const Words& words) {
    const CliArgs args(words, {"--port"}, {"--reset", "--history", "--json"});
    if (args.help())
        return printHelp("alarm --port P [--reset] [--history] [--json]",
                         "Prints the controller's current alarm as the alarm monitor shows it (\"アラームなし\",\n"
                         "or \"alarm N  message\"). --reset sends the alarm reset first and shows the alarm\n"
                         "the controller reports after it. --history also reads the ten-entry alarm record\n"
                         "(No., code, message, in the record's order). --json prints\n"
                         "{\"current\": {\"code\", \"text\", \"message\"}, \"history\": [{\"no\", \"code\", \"message\"}...]}.\n"
                         "Exit status 0 also while an alarm stands; 1 when the controller does not answer.");
    if (!args.ok()) return usageError("alarm", args.error());
    const auto port = requirePort(args, "alarm");
    if (!port) return kExitUsage;

    LinkSession session(false);
    if (!connectController(session, *port)) return kExitFailed;
    if (args.flag("--reset")) {
        session.status.alarmResetRequest.store(kAlarmResetRequest, std::memory_order_relaxed);
        if (!session.waitTakenByPoll([&] { return session.status.alarmResetRequest.load(std::memory_order_relaxed) == 0; }))
            return waitFailed(session, "alarm", "the alarm reset was not sent");
    }
    // The current alarm comes with every answered status poll (after the one
    // that carried a reset).
    if (!session.waitStatusReplies([] { return true; }, 1))
        return waitFailed(session, "alarm", "the controller answered no status poll; nothing is shown");
    const int current = session.status.alarmCode.load(std::memory_order_relaxed);

    std::array<int, kHistoryRows> history{};
    const bool withHistory = args.flag("--history");
    if (withHistory) {
        if (!session.readAlarmRecord()) return waitFailed(session, "alarm", "the controller did not answer the alarm record request");
        for (std::size_t i = 0; i < kHistoryRows; ++i) history[i] = session.status.alarmRecord[i].load(std::memory_order_relaxed);
    }
    if (args.flag("--json"))
        printAlarmsJson(current, withHistory ? &history : nullptr);
    else
        printAlarms(current, withHistory ? &history : nullptr);
    return kExitOk;
}

}  // namespace vantrel::cli
