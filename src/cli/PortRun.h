#pragma once

#include <cstddef>
#include <sstream>
#include <string>

#include "ProgressBoard.h"

namespace vantrel::cli {

// The run of one command for one port among several, on a thread of its own.
// While that thread has entered the run, what the command prints (out() and
// err() of CliOutput) is kept for the port, and the link session the command
// makes draws its progress on the port's line of the board, names its
// controller there and writes its trace to the port's own file. The session
// is made on the port's thread and keeps the run for its link thread.
class PortRun {
public:
    PortRun(std::string port, std::size_t row, ProgressBoard& board, std::string tracePath);

    // The run the calling thread works for; null for a command on one port.
    static PortRun* current();
    // While it lives, the calling thread works for the run.
    class Entered {
    public:
        explicit Entered(PortRun& run);
        ~Entered();
        Entered(const Entered&) = delete;
        Entered& operator=(const Entered&) = delete;
    };

    const std::string& port() const { return port_; }
    // The trace file of this port; empty when no trace is asked for.
    const std::string& tracePath() const { return tracePath_; }
    std::ostringstream& out() { return out_; }
    std::ostringstream& err() { return err_; }

    // From the port's session (any thread).
    void progress(int percent) { board_.progress(row_, percent); }
    void connected(const std::string& controller);
    const std::string& controller() const { return controller_; }

    // The word the summary gives the run instead of "ok" or "failed"
    // ("same", "different"), and what follows it there.
    void setResult(std::string word, std::string detail);
    const std::string& resultWord() const { return resultWord_; }
    const std::string& resultDetail() const { return resultDetail_; }

private:
    std::string port_;
    std::size_t row_;
    ProgressBoard& board_;
    std::string tracePath_;
    std::ostringstream out_;
    std::ostringstream err_;
    std::string controller_;
    std::string resultWord_;
    std::string resultDetail_;
};

}  // namespace vantrel::cli
