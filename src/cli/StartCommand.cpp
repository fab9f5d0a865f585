#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "app/MainCommandChecks.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

int sendRunRequest(const Words& words, const std::string& command, RunRequest request) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp(command + " --port P", request == RunRequest::Start
                                                    ? "Starts the controller's programs (auto-run mode expected)."
                                                    : "Stops the controller's programs.");
    if (!args.ok()) return usageError(command, args.error());
    const auto port = requirePort(args, command);
    if (!port) return kExitUsage;
    LinkSession session(false);
    const auto connection = connectController(session, *port);
    if (!connection) return kExitFailed;
    if (request == RunRequest::Start)
        if (const auto notice = startNotice(session.status.modeWord.load()))
            err() << "vantrel-cli: " << notice->text << " (" << glossOf(notice->text)
                  << "; the start request is sent all the same)\n";
    session.status.runRequest.store(static_cast<std::uint8_t>(request));
    if (!session.waitRunRequestSent())
        return transferFailed(session, linkLostMessage(), "the request was not sent");
    // Sent is not yet received: wait until the controller answers a poll again.
    if (!session.waitStatusReplies([] { return true; }, 1))
        return transferFailed(session, linkLostMessage(), "the controller did not answer after the request");
    return kExitOk;
}

int runStart(const Words& words) { return sendRunRequest(words, "start", RunRequest::Start); }

}  // namespace vantrel::cli
