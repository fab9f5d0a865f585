#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/StatusPaneTexts.h"
#include "app/TransactionMessages.h"
#include "SettingsFileArg.h"
#include "online/AxisStatusText.h"

namespace vantrel::cli {
namespace {

std::string bits16(std::uint16_t v) {
    std::string s;
    for (int i = 0; i < 16; ++i) s += (v >> i) & 1 ? '1' : '0';
    return s;  // first character is bit 0 (IN1 / OUT1)
}

void printStatus(const LinkSession& session, const SettingsImage& units) {
    const auto& st = session.status;
    const auto relaxed = std::memory_order_relaxed;
    StatusPaneInput pane;
    pane.portOpen = session.link.isOpen();
    pane.currentMode = st.modeWord.load(relaxed);
    pane.controllerName = st.controllerName();
    for (std::size_t i = 0; i < pane.runStates.size(); ++i) pane.runStates[i] = st.runFlags[i].load(relaxed);
    pane.alarmCode = st.alarmCode.load(relaxed);
    pane.speedLevel = speedOverrideLevel(units);
    const auto texts = statusPaneTexts(pane);
    out() << text(texts.link) << "  " << text(texts.controller) << "  " << text(texts.mode) << "  "
          << text(texts.runState) << "  " << text(texts.alarm) << "\n";
    for (int a = 0; a < 4; ++a) {
        const auto t = axisStatusText(units, a, st.axisCommandPosition[a].load(relaxed), st.axisDetectedPosition[a].load(relaxed),
                                      st.axisCommandSpeed[a].load(relaxed), st.axisDetectedSpeed[a].load(relaxed));
        std::string line = "軸" + std::to_string(a + 1) + ": 指令位置 " + t.commandPosition + " " + t.positionUnit +
                           ", 検出位置 " + t.detectedPosition + " " + t.positionUnit;
        if (!t.commandSpeed.empty())
            line += ", 指令速度 " + t.commandSpeed + " " + t.speedUnit + ", 検出速度 " + t.detectedSpeed + " " + t.speedUnit;
        out() << text(line) << "\n";
    }
    out() << "IN1..IN16:   " << bits16(st.generalInputs.load(relaxed)) << "\n"
          << "OUT1..OUT16: " << bits16(st.generalOutputs.load(relaxed)) << "\n";
}

}  // namespace

int runStatus(const Words& words) {
    const CliArgs args(words, {"--port", "--settings"}, {"--watch"});
    if (args.help())
        return printHelp("status --port P [--settings FILE.bin] [--watch]",
                         "Prints the controller's mode, run state, alarm, the positions and speeds of the\n"
                         "pulse axes in their units, and the general inputs and outputs. The units come\n"
                         "from --settings, else from a settings read of the controller first. --watch\n"
                         "repeats once a second until interrupted.");
    if (!args.ok()) return usageError("status", args.error());
    const auto port = requirePort(args, "status");
    if (!port) return kExitUsage;

    LinkSession session(false);
    std::optional<SettingsImage> units;
    if (const auto file = args.value("--settings")) {
        units = readWholeSettingsFile(*file);
        if (!units) return kExitFailed;
    }
    if (!connectController(session, *port)) return kExitFailed;
    if (!units) {
        const int result = session.runOperation([&] { session.thread.startOperation(LinkOp::SettingsRead); });
        if (result == 0) return noVerdict(session, "status");
        if (result != kDone || !session.thread.lastSettingsReadComplete())
            return transferFailed(session, settingsReadMessage(kFailed), "reading the settings for their units was interrupted");
        units = session.image;
    }
    const bool watch = args.flag("--watch");
    return printFromPolls(session, "status", watch, [&] {
        printStatus(session, *units);
        if (watch) out() << "\n";  // a blank line between two prints
    });
}

}  // namespace vantrel::cli
