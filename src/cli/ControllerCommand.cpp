#include "ControllerCommand.h"

#include <iostream>

#include "CliOutput.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {

std::optional<std::string> requirePort(const CliArgs& args, const std::string& command) {
    auto port = args.value("--port");
    if (!port || port->empty()) {
        usageError(command, "--port P is required (a name as com.ini holds it, e.g. ttyACM0 or pts/3)");
        return std::nullopt;
    }
    return port;
}

std::optional<int> connectController(LinkSession& session, const std::string& port) {
    const int result = session.connect(port);
    if (result == 0) {
        fail(portOpenFailedMessage(), "cannot open port " + port);
        return std::nullopt;
    }
    if (result == kNoController) {
        fail(noControllerMessage(), "no controller answered on " + port);
        return std::nullopt;
    }
    return result;
}

int transferFailed(const LinkSession& session, const Refusal& message, const std::string& detail) {
    if (session.linkLostWarning()) fail(linkLostMessage());
    return fail(message, detail);
}

int noVerdict(const LinkSession& session, const std::string& operation) {
    std::cerr << "vantrel-cli: " << operation << ": the controller link gave no result and stayed quiet for "
              << session.silenceSeconds() << " s; the outcome is unknown\n";
    return kExitFailed;
}

int printHelp(const std::string& usage, const std::string& description) {
    std::cout << "usage: vantrel-cli " << usage << "\n\n" << description << "\n";
    return kExitOk;
}

}  // namespace vantrel::cli
