#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {
namespace {
// Answered polls a controller gets to report the new mode (about 3 s of polling).
constexpr int kModeSwitchPolls = 100;
}  // namespace

int runMode(const Words& words) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp("mode --port P edit|step|auto",
                         "Switches the controller to edit-test, step-run or auto-run mode and waits until\n"
                         "it reports the new mode.");
    if (!args.ok()) return usageError("mode", args.error());
    const auto port = requirePort(args, "mode");
    if (!port) return kExitUsage;
    if (args.positionals().size() != 1) return usageError("mode", "one of edit, step, auto is required");
    const std::string& word = args.positionals()[0];
    ControllerMode mode;
    if (word == "edit")
        mode = ControllerMode::EditTest;
    else if (word == "step")
        mode = ControllerMode::StepRun;
    else if (word == "auto")
        mode = ControllerMode::AutoRun;
    else
        return usageError("mode", "the mode must be edit, step or auto");

    LinkSession session(false);
    if (!connectController(session, *port)) return kExitFailed;
    const auto wanted = static_cast<std::uint16_t>(mode);
    session.status.requestedMode.store(wanted);
    // Every status poll carries the requested mode; the mode shown is always
    // the one the controller reports back in an answered poll.
    if (session.waitStatusReplies([&] { return session.status.modeWord.load() == wanted; }, kModeSwitchPolls)) {
        out() << text(modeText(wanted)) << "\n";
        return kExitOk;
    }
    if (session.linkLostWarning()) return fail(linkLostMessage());
    return fail(modeText(session.status.modeWord.load()), "the controller did not switch to " + text(modeText(wanted)));
}

}  // namespace vantrel::cli
