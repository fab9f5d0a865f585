#include <filesystem>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int runReadSettings(const Words& words) {
    const CliArgs args(words, {"--port", "-o", "--programs"}, {});
    if (args.help())
        return printHelp("read-settings --port P -o FILE.bin [--programs FILE.ncp]",
                         "Reads the controller's settings into a settings file. The controller's program\n"
                         "file is read with them; --programs keeps it. Files are written only after a\n"
                         "complete read.");
    if (!args.ok()) return usageError("read-settings", args.error());
    const auto port = requirePort(args, "read-settings");
    if (!port) return kExitUsage;
    const auto out = args.value("-o");
    if (!out) return usageError("read-settings", "-o FILE.bin is required");

    LinkSession session(true);
    if (!connectController(session, *port)) return kExitFailed;
    const int result =
        session.runOperation([&] { session.thread.startOperation(LinkOp::SettingsRead); }, LinkSession::Seconds(120));
    if (result != kDone || !session.thread.lastSettingsReadComplete())
        return transferFailed(session, settingsReadMessage(result == kDone ? kFailed : result));

    if (!writeFileAtomically(*out, session.image.data(), session.image.size()))
        return fileFailed("cannot write " + *out);
    if (const auto programs = args.value("--programs")) {
        if (!moveFileAtomically(session.thread.workingProgramFile(), *programs))
            return fileFailed("cannot write " + *programs);
    }
    say(settingsReadMessage(kDone));
    return kExitOk;
}

}  // namespace vantrel::cli
