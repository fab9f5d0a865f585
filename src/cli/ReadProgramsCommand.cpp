#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "OutputFiles.h"
#include "app/TransactionMessages.h"
#include "program/ProgramFiles.h"

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
    OutputFiles outputs;
    std::string problem;
    if (!outputs.check(*out, problem)) return fileFailed(problem);

    LinkSession session(true);
    if (!connectController(session, *port)) return kExitFailed;
    const int result = session.runOperation([&] { session.thread.startProgramRead(); });
    if (result == 0) return noVerdict(session, "read-programs");
    if (result != kDone) return transferFailed(session, ProgramFiles::readFailedRefusal());
    if (!outputs.stageCopy(*out, session.thread.workingProgramFile(), problem) || !outputs.commit(problem))
        return fileFailed(problem);
    say(settingsReadMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
