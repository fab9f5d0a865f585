#pragma once

// The console of the stand-alone simulated controller: one command a line,
// from standard input or a script, to set inputs, raise and clear alarms,
// switch the mode, move and show the axes and I/O, place sensors and arm the
// fault switches. `help` lists the commands.

#include <string>

namespace vantrel {

class ControllerSim;

class SimConsole {
public:
    struct Result {
        bool ok = true;     // false: the line was not understood; text says why
        bool quit = false;  // the line asked to end the program
        std::string text;   // what to print (may be empty)
    };

    explicit SimConsole(ControllerSim& sim) : sim_(sim) {}

    // Runs one line; blank lines and lines starting with '#' do nothing.
    Result run(const std::string& line);
    static std::string help();

private:
    ControllerSim& sim_;
};

}  // namespace vantrel
