// The commands that talk to one controller, run on a line of them: "--port"
// given more than once, or "--ports-from FILE".
#include <algorithm>

#include "CliOutput.h"
#include "Commands.h"
#include "FleetRun.h"
#include "LinkSession.h"
#include "PortList.h"

namespace vantrel::cli {
namespace {

bool contains(const Words& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// The words for one port: its --port, and every output file named for it.
// A command on one port names a file for it only where "{port}" asks so.
Words wordsFor(const Words& rest, const std::string& port, const std::vector<std::string>& fileOptions, bool many) {
    Words words{"--port", port};
    for (std::size_t i = 0; i < rest.size(); ++i) {
        words.push_back(rest[i]);
        if (!contains(fileOptions, rest[i]) || i + 1 >= rest.size()) continue;
        const std::string& file = rest[++i];
        words.push_back(many || file.find("{port}") != std::string::npos ? PortList::fileFor(file, port) : file);
    }
    return words;
}

}  // namespace

const char* const kManyPortsHelp =
    "Several controllers at once: give --port once for each, or --ports-from FILE (one\n"
    "port name a line, '#' begins a comment). Every port runs on a link of its own,\n"
    "all at the same time; one that hangs up, stays silent or refuses holds no other\n"
    "back. On a terminal each port has a progress line. Output files and the --trace\n"
    "file are made for each port: \"{port}\" in the name is replaced by the port name,\n"
    "or the port name goes before the extension (-o line.bin writes line-pts_3.bin\n"
    "for pts/3); in it every character other than a letter, a digit, '.', '-' or '_'\n"
    "becomes '_'. Each line a port's run prints is tagged \"PORT: \"; at the end a\n"
    "table gives port, controller, time and result (\"ok\", or \"failed\" with the\n"
    "messages). Exit status 0 when every port succeeded, 1 when any failed (they are\n"
    "named on standard error). --watch takes one port.";

std::optional<int> runOnEachPort(const std::string& command, int (*run)(const Words&), const Words& words,
                                 const std::vector<std::string>& fileOptions) {
    if (contains(words, "--help") || contains(words, "-h")) {
        const int status = run(words);
        out() << "\n" << kManyPortsHelp << "\n";
        return status;
    }
    Words rest;
    std::string problem;
    const auto ports = PortList::take(words, rest, problem);
    if (!ports) return usageError(command, problem);
    if (!ports->severalAtOnce()) {
        // One port: the command as ever, with "{port}" in a file name filled in.
        if (ports->ports().empty()) return std::nullopt;
        return run(wordsFor(rest, ports->ports().front(), fileOptions, false));
    }
    if (contains(rest, "--watch")) return usageError(command, "--watch watches one port");
    const FleetRun fleet(ports->ports(), LinkSession::tracePath());
    const auto outcomes =
        fleet.run([&](const std::string& port) { return run(wordsFor(rest, port, fileOptions, true)); });
    return FleetRun::report(outcomes, contains(rest, "--json"));
}

}  // namespace vantrel::cli
