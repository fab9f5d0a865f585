#include <iostream>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "online/StatusLamps.h"

namespace vantrel::cli {
namespace {

constexpr int kPulseAxes = 4;
// The lamp of a spare bit has this label and no name to show.
constexpr const char* kSpareLabel = "-";

// One group of bits under its text title and its key in --json.
struct BitGroup {
    std::string title;
    std::string key;
    LampGroup lamps;
};

std::vector<BitGroup> ioGroups() {
    const char* keys[] = {"generalInputs", "generalOutputs", "hostInputs", "hostOutputs"};
    std::vector<BitGroup> groups;
    const auto monitor = ioMonitorLamps();
    for (std::size_t i = 0; i < monitor.size() && i < std::size(keys); ++i) groups.push_back({text(monitor[i].title), keys[i], monitor[i]});
    return groups;
}

std::vector<BitGroup> axisGroups(int axis) {
    return {{text(driverInputLamps(axis).title) + " driver inputs", "driverInputs", driverInputLamps(axis)},
            {text(driverOutputLamps(axis).title) + " driver outputs", "driverOutputs", driverOutputLamps(axis)},
            {text(sensorLamps(axis).title) + " sensors", "sensors", sensorLamps(axis)}};
}

void printLine(const BitGroup& group, const StatusSnapshot& snapshot) {
    std::cout << group.title << ":";
    for (const Lamp& lamp : group.lamps.lamps)
        if (lamp.label != kSpareLabel) std::cout << "  " << lamp.label << "=" << (isLit(snapshot, lamp.ref) ? 1 : 0);
    std::cout << "\n";
}

nlohmann::ordered_json bitsJson(const BitGroup& group, const StatusSnapshot& snapshot) {
    nlohmann::ordered_json bits = nlohmann::ordered_json::object();
    for (const Lamp& lamp : group.lamps.lamps)
        if (lamp.label != kSpareLabel) bits[lamp.label] = isLit(snapshot, lamp.ref);
    return bits;
}

void printIo(const ControllerStatus& status, bool json) {
    const StatusSnapshot snapshot = takeSnapshot(status);
    if (!json) {
        for (const auto& group : ioGroups()) printLine(group, snapshot);
        for (int a = 0; a < kPulseAxes; ++a)
            for (const auto& group : axisGroups(a)) printLine(group, snapshot);
        return;
    }
    nlohmann::ordered_json out;
    for (const auto& group : ioGroups()) out[group.key] = bitsJson(group, snapshot);
    auto& axes = out["axes"] = nlohmann::ordered_json::array();
    for (int a = 0; a < kPulseAxes; ++a) {
        nlohmann::ordered_json axis = {{"axis", a + 1}};
        for (const auto& group : axisGroups(a)) axis[group.key] = bitsJson(group, snapshot);
        axes.push_back(axis);
    }
    std::cout << out.dump() << "\n";
}

}  // namespace

int runIo(const Words& words) {
    const CliArgs args(words, {"--port"}, {"--watch", "--json"});
    if (args.help())
        return printHelp("io --port P [--watch] [--json]",
                         "Prints the controller's bits by name as the I/O and status monitors show them:\n"
                         "general inputs IN1..IN16 and outputs OUT1..OUT16, host inputs and outputs, and per\n"
                         "pulse axis the driver inputs, driver outputs and sensors (1 = on). --watch\n"
                         "repeats once a second until interrupted. --json prints one object a line:\n"
                         "{\"generalInputs\": {\"IN1\": false, ...}, \"generalOutputs\", \"hostInputs\",\n"
                         " \"hostOutputs\", \"axes\": [{\"axis\", \"driverInputs\", \"driverOutputs\", \"sensors\"}...]}.");
    if (!args.ok()) return usageError("io", args.error());
    const auto port = requirePort(args, "io");
    if (!port) return kExitUsage;
    LinkSession session(false);
    if (!connectController(session, *port)) return kExitFailed;
    const bool json = args.flag("--json");
    return printFromPolls(session, "io", args.flag("--watch"), [&] { printIo(session.status, json); });
}

}  // namespace vantrel::cli
