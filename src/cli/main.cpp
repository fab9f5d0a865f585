// vantrel-cli: the controller operations and settings files from a script, on
// the same core (link thread, transactions, settings image) as the desktop
// program.
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CliOutput.h"
#include "Commands.h"
#include "LinkSession.h"
#include "platform/CommandLine.h"

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
    {"alarm", vantrel::cli::runAlarm, "current alarm and alarm history; alarm reset"},
    {"io", vantrel::cli::runIo, "general, host, driver and sensor bits by name"},
    {"register", vantrel::cli::runRegister, "one register request to a network driver"},
    {"dump", vantrel::cli::runDump, "a settings file as named fields in their units"},
    {"list", vantrel::cli::runList, "the program listing of FILE.ncp as the step table shows it"},
    {"check", vantrel::cli::runCheck, "what the program editor would drop or change in FILE.ncp"},
    {"diff", vantrel::cli::runDiff, "the fields in which two settings files differ"},
    {"diff-programs", vantrel::cli::runDiffPrograms, "programs and steps added, removed or changed, A.ncp -> B.ncp"},
    {"fleet-check", vantrel::cli::runFleetCheck, "which controllers of a line differ from a reference file"},
};

// The commands that also run on a line of controllers at once, with their
// options that name output files (made for each port).
struct ManyPorts {
    const char* name;
    std::vector<std::string> fileOptions;
};

const ManyPorts kManyPorts[] = {
    {"identify", {}},
    {"status", {}},
    {"alarm", {}},
    {"read-settings", {"-o", "--programs"}},
    {"write-settings", {}},
    {"compile", {}},
    {"flash", {}},
    {"mode", {}},
    {"start", {}},
    {"stop", {}},
    {"read-programs", {"-o"}},
};

int usage(std::ostream& out) {
    out << "usage: vantrel-cli [--lang ja|en] [--trace FILE] <command> [options]   (vantrel-cli <command> --help for its\n"
           "options)\n\n"
           "--lang ja|en prints the controller's and the program's messages in Japanese (with an English gloss)\n"
           "or in English; without it, Japanese when LC_ALL, LC_MESSAGES or LANG starts with \"ja\", else English.\n"
           "JSON output is the same in both.\n\n"
           "--trace FILE writes every frame the command exchanges with the controller, every\n"
           "time-out and hang-up to FILE, one line each (the format is in the README).\n"
           "--version prints the version.\n\n"
           "identify, status, alarm, read-settings, write-settings, compile, flash, mode, start,\n"
           "stop and read-programs take --port more than once, or --ports-from FILE, and then\n"
           "work on all those controllers at the same time (see their --help).\n\ncommands:\n";
    for (const auto& s : kSubcommands) out << "  " << s.name << std::string(16 - std::strlen(s.name), ' ') << s.summary << "\n";
    return 0;
}

int run(int argc, char** argv) {
    int first = 1;
    std::string trace;
    vantrel::cli::setLanguage(vantrel::languageOfEnvironment());
    while (argc > first && (std::strcmp(argv[first], "--trace") == 0 || std::strcmp(argv[first], "--lang") == 0)) {
        const bool isTrace = argv[first][2] == 't';
        if (argc <= first + 1 || argv[first + 1][0] == '\0') {
            std::cerr << "vantrel-cli: " << argv[first] << (isTrace ? " needs a file name\n" : " needs ja or en\n");
            return vantrel::cli::kExitUsage;
        }
        if (isTrace) {
            trace = argv[first + 1];
        } else if (const auto language = vantrel::languageNamed(argv[first + 1])) {
            vantrel::cli::setLanguage(*language);
        } else {
            std::cerr << "vantrel-cli: --lang takes ja or en, not " << argv[first + 1] << "\n";
            return vantrel::cli::kExitUsage;
        }
        first += 2;
    }
    if (argc <= first) {
        usage(std::cerr);
        return vantrel::cli::kExitUsage;
    }
    const std::string name = argv[first];
    if (name == "--help" || name == "-h" || name == "help") return usage(std::cout);
    if (name == "--version") {
        std::cout << "vantrel-cli " VANTREL_VERSION_TEXT "\n";
        return vantrel::cli::kExitOk;
    }
    vantrel::cli::Words words(argv + first + 1, argv + argc);
    vantrel::cli::LinkSession::setTracePath(trace);
    for (const auto& s : kSubcommands) {
        if (name != s.name) continue;
        std::optional<int> onPorts;
        for (const auto& m : kManyPorts)
            if (name == m.name) onPorts = vantrel::cli::runOnEachPort(name, s.run, words, m.fileOptions);
        const int status = onPorts ? *onPorts : s.run(words);
        if (!trace.empty() && status == vantrel::cli::kExitOk && !vantrel::cli::LinkSession::traceWasStarted())
            std::cerr << "vantrel-cli: no trace written to " << trace << ": " << name
                      << " did not talk to a controller\n";
        return status;
    }
    std::cerr << "vantrel-cli: unknown command " << name << "\n";
    usage(std::cerr);
    return vantrel::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    // Whatever a command did not catch ends it with a message, not an abort.
    try {
        // File names in Japanese too: the arguments and the output are UTF-8
        // on every system.
        vantrel::useUtf8Output();
        std::vector<std::string> arguments = vantrel::commandLineArguments(argc, argv);
        std::vector<char*> utf8Argv;
        for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
        utf8Argv.push_back(nullptr);
        return run(argc, utf8Argv.data());
    } catch (const std::exception& e) {
        std::cerr << "vantrel-cli: internal error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "vantrel-cli: internal error\n";
    }
    return vantrel::cli::kExitFailed;
}
