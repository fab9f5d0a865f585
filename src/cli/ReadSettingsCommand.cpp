#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "OutputFiles.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runReadSettings(const Words& words) {
    const CliArgs args(words, {"--port", "-o", "--programs"}, {});
    if (args.help())
        return printHelp("read-settings --port P -o FILE.bin [--programs FILE.ncp]",
                         "Reads the controller's settings into a settings file. The controller's program\n"
                         "file is read with them; --programs keeps it. Every output is checked before the\n"
                         "controller is asked, and the files are written only after a complete read, all\n"
                         "of them or none.");
    if (!args.ok()) return usageError("read-settings", args.error());
    const auto port = requirePort(args, "read-settings");
    if (!port) return kExitUsage;
    const auto out = args.value("-o");
    if (!out) return usageError("read-settings", "-o FILE.bin is required");
    const auto programs = args.value("--programs");

    OutputFiles outputs;
    std::string problem;
    if (!outputs.check(*out, problem) || (programs && !outputs.check(*programs, problem))) return fileFailed(problem);

    LinkSession session(true);
    if (!connectController(session, *port)) return kExitFailed;
    const int result = session.runOperation([&] { session.thread.startOperation(LinkOp::SettingsRead); });
    if (result == 0) return noVerdict(session, "read-settings");
    if (result != kDone || !session.thread.lastSettingsReadComplete())
        return transferFailed(session, settingsReadMessage(result == kDone ? kFailed : result));

    if (!outputs.stage(*out, session.image.data(), session.image.size(), problem)) return fileFailed(problem);
    if (programs && !outputs.stageCopy(*programs, session.thread.workingProgramFile(), problem))
        return fileFailed(problem);
    if (!outputs.commit(problem)) return fileFailed(problem);
    say(settingsReadMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
