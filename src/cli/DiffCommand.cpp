#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "ImageDiffOutput.h"
#include "SettingsFileArg.h"

namespace vantrel::cli {

int runDiff(const Words& words) {
    const CliArgs args(words, {}, {});
    if (args.help())
        return printHelp("diff A.bin B.bin",
                         "Prints the fields in which two settings files differ, named and in their units,\n"
                         "and the number of reserved bytes that differ. Exit status 1 when they differ.");
    if (!args.ok()) return usageError("diff", args.error());
    if (args.positionals().size() != 2) return usageError("diff", "two settings files are required");
    const auto a = readWholeSettingsFile(args.positionals()[0]);
    if (!a) return kExitUsage;
    const auto b = readWholeSettingsFile(args.positionals()[1]);
    if (!b) return kExitUsage;

    const auto diff = diffImages(*a, *b);
    printImageDifference(diff);
    return diff.empty() ? kExitOk : kExitFailed;
}

}  // namespace vantrel::cli
