#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "SettingsFileArg.h"
#include "app/MainCommandChecks.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runWriteSettings(const Words& words) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp("write-settings --port P FILE.bin",
                         "Sends a settings file to the controller (all three areas, then the single\n"
                         "values). Only in edit-test mode. The file must be a whole settings image\n"
                         "(172,828 bytes).");
    if (!args.ok()) return usageError("write-settings", args.error());
    const auto port = requirePort(args, "write-settings");
    if (!port) return kExitUsage;
    if (args.positionals().size() != 1) return usageError("write-settings", "one settings file is required");
    const std::string file = args.positionals()[0];

    // A script should never send half a data set: refuse what is not a whole image.
    const auto image = readWholeSettingsFile(file);
    if (!image) return kExitFailed;

    LinkSession session(true);
    session.image = *image;
    const auto connection = connectController(session, *port);
    if (!connection) return kExitFailed;
    if (const auto refusal = checkOpenSettingsFile(session.link.isOpen(), session.status.modeWord.load()))
        return fail(*refusal);

    const int result = session.runOperation([&] { session.thread.startOperation(LinkOp::SettingsWriteArea1); });
    if (session.verifyErrorKind() != 0) return fail(verifyErrorMessage(session.verifyErrorKind()));
    if (result == 0) return noVerdict(session, "write-settings");
    if (result != kDone) return transferFailed(session, settingsWriteMessage(result));
    // Timers, counters, the Ethernet address and the sensor logic follow as
    // single values once area 3 is in; wait until they are written back.
    if (!session.waitQueuesIdle())
        return transferFailed(session, settingsWriteMessage(kFailed), "the single values after the areas were not all written");
    say(settingsWriteMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
