#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"

namespace vantrel::cli {

int runIdentify(const Words& words) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp("identify --port P", "Connects to the controller on port P and prints its name and mode.");
    if (!args.ok()) return usageError("identify", args.error());
    const auto port = requirePort(args, "identify");
    if (!port) return kExitUsage;
    LinkSession session(false);
    if (!connectController(session, *port)) return kExitFailed;
    out() << "name: " << session.status.controllerName() << "\n"
          << "mode: " << text(modeText(session.status.modeWord.load())) << " (" << session.status.modeWord.load() << ")\n";
    return kExitOk;
}

}  // namespace vantrel::cli
