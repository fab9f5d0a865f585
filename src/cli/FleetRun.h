#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel::cli {

// What the run of a command on one port of several came to.
struct PortOutcome {
    std::string port;
    std::string controller;  // the name the controller gave; empty when none answered
    int status = 0;          // the command's exit status on this port
    std::string result;      // "ok", "failed", or the word the run gave itself ("same", "different")
    std::string detail;      // what the summary says after the word
    double seconds = 0;
    std::string out;  // what the run printed
    std::string err;
};

// A command on a line of controllers: every port at the same time, each on a
// thread and a link of its own, so a port that hangs up, stays silent or
// refuses holds no other back. Progress goes to a board on standard error.
class FleetRun {
public:
    // The job is the command for one port; it runs on the port's thread,
    // which has entered the port's PortRun. `tracePattern` is the trace file
    // given for all ports (empty: none).
    using Job = std::function<int(const std::string& port)>;
    FleetRun(std::vector<std::string> ports, std::string tracePattern);

    // Runs the job on every port and waits for all of them; the outcomes are
    // in the order of the ports.
    std::vector<PortOutcome> run(const Job& job) const;

    // Prints what each port's run printed, every line tagged with its port,
    // then the summary: a table of port, controller, time and result (with
    // `json`, one array with an object per port instead, the run's own JSON
    // object merged into it), and on standard error the ports that did not
    // succeed. Returns the exit status: 0 when every port's run succeeded,
    // else the largest status of a port.
    static int report(const std::vector<PortOutcome>& outcomes, bool json);

private:
    std::vector<std::string> ports_;
    std::string tracePattern_;
};

}  // namespace vantrel::cli
