#pragma once

#include <functional>
#include <optional>
#include <string>

#include "CliArgs.h"
#include "Commands.h"
#include "LinkSession.h"
#include "app/OperatingMode.h"
#include "data/Refusal.h"

namespace vantrel::cli {

// Shared steps of the subcommands that talk to a controller.

// The port of "--port P", or a usage error printed.
std::optional<std::string> requirePort(const CliArgs& args, const std::string& command);

// Whether the session has its folder for working files; says why not.
bool workFolderReady(const LinkSession& session);

// Connects the session (after workFolderReady) and prints the system's
// message when no controller answers. Returns the connection result (kEditTestMode or kOtherMode) or
// nothing after printing the failure.
std::optional<int> connectController(LinkSession& session, const std::string& port);

// The failure of a transfer that ended without result 1: the USB warning when
// the link was lost with it, else the given message.
int transferFailed(const LinkSession& session, const Refusal& message, const std::string& detail = {});

// An operation that ended without the link's verdict (runOperation gave 0):
// says so, and makes no verdict up.
int noVerdict(const LinkSession& session, const std::string& operation);

// The start and stop subcommands: the one-shot run request goes out with the
// next status poll.
int sendRunRequest(const Words& words, const std::string& command, RunRequest request);

// A wait on the controller that ended without what it waited for: the USB
// warning when the link was lost, else `what`, said as `command`'s failure.
int waitFailed(const LinkSession& session, const std::string& command, const std::string& what);

// Prints after an answered status poll: once, or with `watch` once a second
// (each after a fresh answered poll) until SIGINT or SIGTERM. A poll that goes
// unanswered ends it with waitFailed.
int printFromPolls(LinkSession& session, const std::string& command, bool watch, const std::function<void()>& print);

// Prints help for a subcommand: usage line and description.
int printHelp(const std::string& usage, const std::string& description);

}  // namespace vantrel::cli
