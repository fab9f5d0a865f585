#include "ControllerCommand.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "CliOutput.h"
#include "app/TransactionMessages.h"

namespace vantrel::cli {
namespace {
volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }
}  // namespace

std::optional<std::string> requirePort(const CliArgs& args, const std::string& command) {
    auto port = args.value("--port");
    if (!port || port->empty()) {
        usageError(command, "--port P is required (a name as com.ini holds it, e.g. ttyACM0 or pts/3)");
        return std::nullopt;
    }
    return port;
}

bool workFolderReady(const LinkSession& session) {
    if (session.workProblem().empty()) return true;
    err() << "vantrel-cli: " << session.workProblem() << " (set TMPDIR to a folder that takes files)\n";
    return false;
}

std::optional<int> connectController(LinkSession& session, const std::string& port) {
    if (!workFolderReady(session)) return std::nullopt;
    if (std::string problem; !session.startTrace(problem)) {
        fileFailed(problem);
        return std::nullopt;
    }
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
    err() << "vantrel-cli: " << operation << ": the controller link gave no result and stayed quiet for "
          << session.silenceSeconds() << " s; the outcome is unknown\n";
    return kExitFailed;
}

int waitFailed(const LinkSession& session, const std::string& command, const std::string& what) {
    if (session.linkLostWarning()) return fail(linkLostMessage(), glossOf(linkLostMessage().text) + "; " + command + ": " + what);
    err() << "vantrel-cli: " << command << ": " << what << "\n";
    return kExitFailed;
}

int printFromPolls(LinkSession& session, const std::string& command, bool watch, const std::function<void()>& print) {
    // Only what an answered poll brought is shown; without one nothing is.
    const auto answered = [&] { return session.waitStatusReplies([] { return true; }, 1); };
    const auto unanswered = [&] {
        return waitFailed(session, command,
                          "the controller answered none of " + std::to_string(LinkSession::kStatusPollTries) +
                              " status polls (no reply, or a reply to another request); nothing is shown");
    };
    if (!answered()) return unanswered();
    if (!watch) {
        print();
        return kExitOk;
    }
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    while (!interrupted) {
        print();
        out().flush();
        for (int i = 0; i < 20 && !interrupted; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!interrupted && !answered()) return unanswered();
    }
    return kExitOk;
}

int printHelp(const std::string& usage, const std::string& description) {
    out() << "usage: vantrel-cli " << usage << "\n\n" << text(description) << "\n";
    return kExitOk;
}

}  // namespace vantrel::cli
