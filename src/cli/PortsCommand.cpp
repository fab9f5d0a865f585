#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"

namespace vantrel::cli {

int runPorts(const Words& words) {
    const CliArgs args(words, {}, {});
    if (args.help())
        return printHelp("ports", "Lists the serial devices that can be opened, one name a line, as com.ini and\n"
                                  "--port take them (the device is /dev/ + the name, or \\\\.\\ + the name on\n"
                                  "Windows).");
    if (!args.ok()) return usageError("ports", args.error());
    ControllerStatus status;
    ControllerLink link(status);
    for (const auto& name : link.listPorts()) std::cout << name << "\n";
    return kExitOk;
}

}  // namespace vantrel::cli
