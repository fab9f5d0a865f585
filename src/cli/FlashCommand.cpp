#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/MainCommandChecks.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runFlash(const Words& words) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp("flash --port P", "Makes the controller write its current data to FLASH memory (edit-test mode only).");
    if (!args.ok()) return usageError("flash", args.error());
    const auto port = requirePort(args, "flash");
    if (!port) return kExitUsage;

    LinkSession session(true);
    const auto connection = connectController(session, *port);
    if (!connection) return kExitFailed;
    if (const auto refusal = checkFlashWrite(session.link.isOpen(), session.status.modeWord.load())) return fail(*refusal);
    const int result = session.runOperation([&] { session.thread.startOperation(LinkOp::FlashWrite); });
    if (session.verifyErrorKind() != 0) return fail(verifyErrorMessage(session.verifyErrorKind()));
    if (result == 0) return noVerdict(session, "flash");
    const auto message = flashWriteMessage(result);
    if (result != kDone) return transferFailed(session, message);
    say(message);
    return kExitOk;
}

}  // namespace vantrel::cli
