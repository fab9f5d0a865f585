// vantrel-sim: one simulated controller on a pseudo-terminal, served until
// SIGINT or SIGTERM. It prints the port name to choose ("pts/N") and the device
// path, so a person, a test or a second program can connect to it.

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <poll.h>

#include "data/ControllerMode.h"
#include "data/SettingsFile.h"
#include "data/SettingsImage.h"
#include "sim/ControllerSim.h"
#include "sim/PtyServer.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void onSignal(int) { stopSignal = 1; }

void printUsage(std::ostream& out) {
    out << "usage: vantrel-sim [--mode edit|step|auto] [--image FILE.bin] [--program FILE.ncp]\n"
           "Serves a simulated controller on a pseudo-terminal until interrupted.\n"
           "  --mode     controller mode at start: edit (edit-test, default), step (step run), auto (automatic run)\n"
           "  --image    settings file to start from instead of the default settings\n"
           "  --program  program file the controller holds at start\n"
           "  --help     this text\n";
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    auto mode = vantrel::ControllerMode::EditTest;
    std::string imagePath;
    std::string programPath;
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
        } else {
            std::cerr << "vantrel-sim: unknown option " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        }
    }

    vantrel::ControllerSim sim;
    if (!imagePath.empty()) {
        // As the desktop loads a settings file: as many leading bytes as the file holds.
        vantrel::SettingsImage image = sim.settingsImage();
        if (!vantrel::loadSettingsFile(image, imagePath)) {
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
        sim.setProgramFile(text);
    }
    sim.setModeWord(static_cast<std::uint16_t>(mode));

    vantrel::PtyServer server(sim);
    if (!server.start()) {
        std::cerr << "vantrel-sim: " << server.errorText() << "\n";
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::cout << "port: " << server.portName() << "\n"
              << "device: " << server.devicePath() << "\n"
              << std::flush;
    while (!stopSignal && server.isRunning()) poll(nullptr, 0, 100);
    if (server.hungUp()) std::cout << "hung up\n";
    server.stop();
    return 0;
}
