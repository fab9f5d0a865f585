#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runReadPrograms(const Words& words) {
    const CliArgs args(words, {"--port", "-o"}, {});
    if (args.help())
        return printHelp("read-programs --port P -o FILE.ncp",
                         "Reads the controller's program file into FILE.ncp (written only after a complete read).");
    if (!args.ok()) return usageError("read-programs", args.error());
    const auto port = requirePort(args, "read-programs");
    if (!port) return kExitUsage;
    const auto out = args.value("-o");
    if (!out) return usageError("read-programs", "-o FILE.ncp is required");

    LinkSession session(true);
    if (!connectController(session, *port)) return kExitFailed;
    if (session.runOperation([&] { session.thread.startProgramRead(); }, LinkSession::Seconds(60)) != kDone)
        return transferFailed(session, settingsReadMessage(kFailed), "reading the programs was interrupted");
    if (!moveFileAtomically(session.thread.workingProgramFile(), *out))
        return fileFailed("cannot write " + *out);
    say(settingsReadMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
