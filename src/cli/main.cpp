// vantrel-cli: the controller operations and settings files from a script, on
// the same core (link thread, transactions, settings image) as the desktop
// program.
#include <cstring>
#include <iostream>
#include <string>

#include "CliOutput.h"
#include "Commands.h"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(const vantrel::cli::Words&);
    const char* summary;
};

const Subcommand kSubcommands[] = {
    {"ports", vantrel::cli::runPorts, "list the serial devices that open"},
    {"identify", vantrel::cli::runIdentify, "controller name and mode"},
    {"read-settings", vantrel::cli::runReadSettings, "controller settings -> FILE.bin (and programs)"},
    {"write-settings", vantrel::cli::runWriteSettings, "FILE.bin -> controller (edit-test mode)"},
    {"flash", vantrel::cli::runFlash, "write the controller's data to FLASH"},
    {"init", vantrel::cli::runInit, "initialise the controller's data"},
    {"mode", vantrel::cli::runMode, "switch to edit-test, step-run or auto-run mode"},
    {"start", vantrel::cli::runStart, "start the programs"},
    {"stop", vantrel::cli::runStop, "stop the programs"},
    {"read-programs", vantrel::cli::runReadPrograms, "controller program file -> FILE.ncp"},
    {"compile", vantrel::cli::runCompile, "send FILE.ncp to the controller and print the verdict"},
    {"status", vantrel::cli::runStatus, "positions, speeds, I/O and alarm"},
    {"dump", vantrel::cli::runDump, "a settings file as named fields in their units"},
    {"check", vantrel::cli::runCheck, "what the program editor would drop or change in FILE.ncp"},
    {"diff", vantrel::cli::runDiff, "the fields in which two settings files differ"},
};

int usage(std::ostream& out) {
    out << "usage: vantrel-cli <command> [options]   (vantrel-cli <command> --help for its options)\n\ncommands:\n";
    for (const auto& s : kSubcommands) out << "  " << s.name << std::string(16 - std::strlen(s.name), ' ') << s.summary << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(std::cerr);
        return vantrel::cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return usage(std::cout);
    vantrel::cli::Words words(argv + 2, argv + argc);
    for (const auto& s : kSubcommands)
        if (name == s.name) return s.run(words);
    std::cerr << "vantrel-cli: unknown command " << name << "\n";
    usage(std::cerr);
    return vantrel::cli::kExitUsage;
}
