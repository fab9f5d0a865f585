#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/MainCommandChecks.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runInit(const Words& words) {
    const CliArgs args(words, {"--port", "--scope"}, {});
    if (args.help())
        return printHelp("init --port P --scope all|axes|params",
                         "Initialises the controller's data (edit-test mode only): all data, the axis\n"
                         "settings only, or the parameters only.");
    if (!args.ok()) return usageError("init", args.error());
    const auto port = requirePort(args, "init");
    if (!port) return kExitUsage;
    const std::string scope = args.value("--scope").value_or("");
    InitialiseWhat what;
    if (scope == "all")
        what = InitialiseWhat::AllData;
    else if (scope == "axes")
        what = InitialiseWhat::AxisSettings;
    else if (scope == "params")
        what = InitialiseWhat::Parameters;
    else
        return usageError("init", "--scope must be all, axes or params");

    LinkSession session(true);
    const auto connection = connectController(session, *port);
    if (!connection) return kExitFailed;
    if (const auto refusal = checkInitialise(session.link.isOpen(), session.status.modeWord.load())) return fail(*refusal);
    const int result = session.runOperation([&] { session.thread.startInitialise(what); });
    if (result == 0) return noVerdict(session, "init");
    if (result != kDone) return transferFailed(session, initialiseCancelledMessage());
    say(initialiseReadMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
