#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "ProgramCheck.h"
#include "platform/FileRead.h"
#include "program/ProgramFiles.h"

namespace vantrel::cli {

int runCheck(const Words& words) {
    const CliArgs args(words, {}, {});
    if (args.help())
        return printHelp("check FILE.ncp",
                         "Reads a program file exactly as the program editor does and reports what the\n"
                         "editor would drop or change: undefined commands, blank and comment lines, steps\n"
                         "beyond 255, lines that come back cut or changed, text after the end mark,\n"
                         "program numbers outside 001..255 or used twice, and a missing program 100.\n"
                         "Exit status 1 when it found anything.");
    if (!args.ok()) return usageError("check", args.error());
    if (args.positionals().size() != 1) return usageError("check", "one program file is required");
    const std::string& path = args.positionals()[0];
    const FileContent content = readFile(path, ProgramFiles::kProgramFileSizeLimit - 1);
    if (!content) return readFailed(path, content.result);

    const auto findings = checkProgramText(content.bytes);
    for (const auto& f : findings) {
        if (f.program > 0) std::cout << "program " << f.program;
        if (f.step > 0) std::cout << ", step " << f.step;
        std::cout << (f.program > 0 ? ": " : "") << f.what << "\n";
    }
    return findings.empty() ? kExitOk : kExitFailed;
}

}  // namespace vantrel::cli
