#include <iostream>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "SettingsFileArg.h"
#include "data/ImageFields.h"

namespace vantrel::cli {

int runDump(const Words& words) {
    const CliArgs args(words, {}, {"--json"});
    if (args.help())
        return printHelp("dump FILE.bin [--json]",
                         "Prints every named field of a settings file with its value in its unit: axes,\n"
                         "network line and drivers, the set points of the point tables (network points of\n"
                         "connected drivers), areas, timers, counters, sensor logic, Ethernet, speed level;\n"
                         "reserved bytes are summarised. --json prints a stable machine-readable form:\n"
                         "{\"fields\": [{\"name\", \"offset\", \"size\", \"raw\", \"text\"}...],\n"
                         " \"reserved\": {\"bytes\", \"nonZero\"}}.");
    if (!args.ok()) return usageError("dump", args.error());
    if (args.positionals().size() != 1) return usageError("dump", "one settings file is required");
    const auto image = readWholeSettingsFile(args.positionals()[0]);
    if (!image) return kExitFailed;

    const auto fields = describeImage(*image, PointSelection::SetOnly);
    const auto reserved = summarizeReserved(*image);
    if (args.flag("--json")) {
        nlohmann::ordered_json out;
        auto& list = out["fields"] = nlohmann::ordered_json::array();
        for (const auto& f : fields)
            list.push_back({{"name", f.name}, {"offset", f.offset}, {"size", f.size}, {"raw", f.raw}, {"text", f.text}});
        out["reserved"] = {{"bytes", reserved.bytes}, {"nonZero", reserved.nonZero}};
        std::cout << out.dump(1) << "\n";
        return kExitOk;
    }
    for (const auto& f : fields) std::cout << f.name << " = " << text(f.text) << "\n";
    std::cout << "reserved: " << reserved.bytes << " bytes, " << reserved.nonZero << " not zero\n";
    return kExitOk;
}

}  // namespace vantrel::cli
