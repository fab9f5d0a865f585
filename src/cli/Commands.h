#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel::cli {

using Words = std::vector<std::string>;

// One function per subcommand, each in its own source file. They take the
// words after the subcommand's name and return the exit status.
int runPorts(const Words& words);
int runIdentify(const Words& words);
int runReadSettings(const Words& words);
int runWriteSettings(const Words& words);
int runFlash(const Words& words);
int runInit(const Words& words);
int runMode(const Words& words);
int runStart(const Words& words);
int runStop(const Words& words);
int runReadPrograms(const Words& words);
int runCompile(const Words& words);
int runStatus(const Words& words);
int runDump(const Words& words);
int runCheck(const Words& words);
int runList(const Words& words);
int runAlarm(const Words& words);
int runIo(const Words& words);
int runRegister(const Words& words);
int runDiff(const Words& words);
int runDiffPrograms(const Words& words);
int runFleetCheck(const Words& words);

// A command that talks to one controller, on every port the words name
// ("--port" more than once, "--ports-from FILE") at the same time; the
// values of `fileOptions` are output files, made for each port. Nothing when
// the words name no port (the command itself says what is missing).
std::optional<int> runOnEachPort(const std::string& command, int (*run)(const Words&), const Words& words,
                                 const std::vector<std::string>& fileOptions);
// What a command's --help adds about running it on several ports.
extern const char* const kManyPortsHelp;

}  // namespace vantrel::cli
