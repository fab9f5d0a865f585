#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace vantrel::cli {

// The progress of several controllers at once, on standard error. On a
// terminal every port has a line of its own with the bar a single command
// draws, redrawn in place; otherwise plain lines say when a port has found its
// controller and when it has ended. Any thread may call it.
class ProgressBoard {
public:
    ProgressBoard(const std::vector<std::string>& ports, bool terminal);

    // "[####....]  45%": the bar of a transfer.
    static std::string bar(int percent);

    // Draws the lines (on a terminal); call once before the ports start.
    void begin();
    void progress(std::size_t row, int percent);
    // What the port is at ("connecting", the controller's name).
    void note(std::size_t row, const std::string& text);
    // The port has ended: its result word ("ok", "failed", ...) and time.
    void finish(std::size_t row, const std::string& result, double seconds);

private:
    struct Row {
        std::string port;
        int percent = 0;
        std::string note;
    };
    std::string line(const Row& row) const;
    void redraw(std::size_t row);  // with lock_ held

    std::mutex lock_;
    std::vector<Row> rows_;
    bool terminal_;
    std::size_t portWidth_ = 0;
};

}  // namespace vantrel::cli
