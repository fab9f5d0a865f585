// vantrel-sim: one simulated controller on a pseudo-terminal, served until
// SIGINT, SIGTERM or the console's quit. It prints the port name to choose
// ("pts/N") and the device path, so a person, a test or a second program can
// connect to it, and then reads console commands from standard input.

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <poll.h>
#include <unistd.h>

#include "data/ControllerMode.h"
#include "data/SettingsFile.h"
#include "data/SettingsImage.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"
#include "sim/SimConsole.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void onSignal(int) { stopSignal = 1; }

void printUsage(std::ostream& out) {
    out << "usage: vantrel-sim [--mode edit|step|auto] [--image FILE.bin] [--program FILE.ncp] [--script FILE] [--usb-fs]\n"
           "Serves a simulated controller on a pseudo-terminal until interrupted, and reads\n"
           "console commands from standard input (\"help\" lists them).\n"
           "  --mode     controller mode at start: edit (edit-test, default), step (step run), auto (automatic run)\n"
           "  --image    settings file to start from instead of the default settings\n"
           "  --program  program file the controller compiles and holds at start (without it: the\n"
           "             default programs, Ncstepini.sys beside vantrel-sim, when they are there)\n"
           "  --script   console commands to run at start, one a line\n"
           "  --usb-fs   answer at the pace of a USB full-speed controller (about 1 MB/s, 1 ms per answer)\n"
           "  --version  print the version and end\n"
           "  --help     this text\n";
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Runs one console line and prints its answer; false when the program should end.
bool runLine(vantrel::SimConsole& console, const std::string& line, bool& ok) {
    const auto result = console.run(line);
    if (!result.text.empty()) (result.ok ? std::cout : std::cerr) << result.text << "\n" << std::flush;
    ok = result.ok;
    return !result.quit;
}

// Lines of standard input as they come; at its end the console stops reading.
class StdinLines {
public:
    // Waits up to `millis` for input; calls `line` for each whole line read.
    template <class F>
    void poll(int millis, F&& line) {
        if (closed_) {
            ::poll(nullptr, 0, millis);
            return;
        }
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (::poll(&p, 1, millis) <= 0) return;
        char buffer[4096];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n == 0) {
            closed_ = true;
            return;
        }
        if (n < 0) {
            // A background job of a terminal cannot read it (EIO with SIGTTIN ignored): try again later.
            ::poll(nullptr, 0, 1000);
            return;
        }
        pending_.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            std::string l = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            line(l);
        }
    }

private:
    bool closed_ = false;
    std::string pending_;
};

}  // namespace

int main(int argc, char** argv) {
    auto mode = vantrel::ControllerMode::EditTest;
    std::string imagePath;
    std::string programPath;
    std::string scriptPath;
    bool usbFullSpeed = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "vantrel-sim: " << arg << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        } else if (arg == "--version") {
            std::cout << "vantrel-sim " VANTREL_VERSION_TEXT "\n";
            return 0;
        } else if (arg == "--mode") {
            const std::string m = value();
            if (m == "edit") mode = vantrel::ControllerMode::EditTest;
            else if (m == "step") mode = vantrel::ControllerMode::StepRun;
            else if (m == "auto") mode = vantrel::ControllerMode::AutoRun;
            else {
                std::cerr << "vantrel-sim: unknown mode \"" << m << "\" (edit, step or auto)\n";
                return 2;
            }
        } else if (arg == "--image") {
            imagePath = value();
        } else if (arg == "--program") {
            programPath = value();
        } else if (arg == "--script") {
            scriptPath = value();
        } else if (arg == "--usb-fs") {
            usbFullSpeed = true;
        } else {
            std::cerr << "vantrel-sim: unknown option " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        }
    }

    vantrel::ControllerSim sim;
    if (!imagePath.empty()) {
        // As the desktop loads initial.bin: as many leading bytes as the file holds.
        vantrel::SettingsImage image = sim.settingsImage();
        if (!vantrel::loadSettingsFilePrefix(image, imagePath)) {
            std::cerr << "vantrel-sim: cannot read " << imagePath << "\n";
            return 1;
        }
        sim.loadSettingsImage(image);
    }
    if (!programPath.empty()) {
        std::string text;
        if (!readFile(programPath, text)) {
            std::cerr << "vantrel-sim: cannot read " << programPath << "\n";
            return 1;
        }
        const vantrel::CompileVerdict verdict = sim.loadPrograms(text);
        if (!verdict.accepted()) {
            std::cerr << "vantrel-sim: " << programPath << ": compile error " << verdict.error << " in program "
                      << verdict.values[2] << " at step " << verdict.values[1] - verdict.values[3] << "\n";
            return 1;
        }
    } else {
        sim.loadDefaultPrograms();  // as the PC starts: the default programs, when installed beside the program
    }
    std::string script;
    if (!scriptPath.empty() && !readFile(scriptPath, script)) {
        std::cerr << "vantrel-sim: cannot read " << scriptPath << "\n";
        return 1;
    }
    sim.setModeWord(static_cast<std::uint16_t>(mode));
    sim.useStandAloneMachine();

    vantrel::PtyServer server(sim);
    if (usbFullSpeed) server.setPacing(vantrel::UsbLine{});
    if (!server.start()) {
        std::cerr << "vantrel-sim: " << server.errorText() << "\n";
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGTTIN, SIG_IGN);

    std::cout << "port: " << server.portName() << "\n"
              << "device: " << server.devicePath() << "\n"
              << std::flush;

    vantrel::SimConsole console(sim);
    bool running = true;
    int lineNumber = 0;
    std::size_t at = 0;
    while (running && at < script.size()) {
        std::size_t end = script.find('\n', at);
        if (end == std::string::npos) end = script.size();
        std::string line = script.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool ok = true;
        running = runLine(console, line, ok);
        if (!ok) {
            std::cerr << "vantrel-sim: " << scriptPath << ":" << lineNumber << ": the script stops here\n";
            server.stop();
            return 2;
        }
    }

    StdinLines input;
    while (running && !stopSignal && server.isRunning()) {
        input.poll(100, [&](const std::string& line) {
            bool ok = true;
            if (running) running = runLine(console, line, ok);
        });
    }
    if (server.hungUp()) std::cout << "hung up\n";
    server.stop();
    return 0;
}
