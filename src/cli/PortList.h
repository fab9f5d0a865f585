#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Commands.h"

namespace vantrel::cli {

// The controllers one command works on: "--port P" as often as it is given,
// then the ports of "--ports-from FILE" (one port name a line, '#' begins a
// comment, blanks around a name do not count), and the names of the files
// made for each of them.
class PortList {
public:
    // Takes the port options out of `words`; what is left goes to `rest`.
    // Nothing, with `problem`, when an option lacks its value, the file
    // cannot be read, a port is named twice, or two ports come to the same
    // file name.
    static std::optional<PortList> take(const Words& words, Words& rest, std::string& problem);

    const std::vector<std::string>& ports() const { return ports_; }
    // A line of controllers rather than one: more than one port, or ports
    // from a file (a list of one is still a list).
    bool severalAtOnce() const { return ports_.size() > 1 || fromFile_; }

    // The port name as a part of a file name: letters, digits, '.', '-' and
    // '_' stay, every other byte becomes '_' ("pts/3" -> "pts_3").
    static std::string fileSafe(const std::string& port);
    // The file for `port` of a file name given once for all ports: "{port}"
    // in it replaced by the port's file-safe name, or, without "{port}",
    // that name inserted before the extension ("line.bin" -> "line-pts_3.bin").
    static std::string fileFor(const std::string& pattern, const std::string& port);

private:
    std::vector<std::string> ports_;
    bool fromFile_ = false;
};

}  // namespace vantrel::cli
