#include <iostream>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "platform/AnsiText.h"
#include "platform/AppFolders.h"
#include "platform/PathText.h"
#include "program/IoNames.h"
#include "program/ProgramCompile.h"
#include "program/ProgramFiles.h"
#include "program/ProgramListing.h"
#include "program/ProgramStore.h"

namespace vantrel::cli {

int runCompile(const Words& words) {
    const CliArgs args(words, {"--port"}, {});
    if (args.help())
        return printHelp("compile --port P FILE.ncp",
                         "Opens a program file as the program editor does, sends it to the controller\n"
                         "(edit-test mode) and prints the controller's verdict: \"コンパイル完了\", or the\n"
                         "compile error with its program and step. Exit status 0 only when it compiled.");
    if (!args.ok()) return usageError("compile", args.error());
    const auto port = requirePort(args, "compile");
    if (!port) return kExitUsage;
    if (args.positionals().size() != 1) return usageError("compile", "one program file is required");
    const std::string file = args.positionals()[0];

    LinkSession session(true);
    if (!workFolderReady(session)) return kExitFailed;  // the working file is written before connecting
    ProgramStore store;
    IoNames ioNames;
    ProgramFiles files(store, ioNames,
                       {utf8FromPath(session.workDir() / "Ncstep.sys"), exeFolderPath("Ncstepini.sys"),
                        exeFolderPath("IoName.txt")});
    // Opening writes the working file that the compile sends.
    const EditOutcome opened = files.openProgramFile(file);
    // A file that could not be read is named in the message already.
    if (opened.refusal) return fail(*opened.refusal, opened.refusal->text.find(file) == std::string::npos ? file : "");
    if (!opened) return fileFailed("cannot open " + file);

    const auto connection = connectController(session, *port);
    if (!connection) return kExitFailed;
    const auto preparation = ProgramCompile::prepareCompile(
        files, [&] { return session.link.isOpen(); }, session.status.modeWord.load());
    if (preparation.message) return fail(*preparation.message);
    if (!preparation.send)
        return fail(modeText(session.status.modeWord.load()), "programs are compiled only in edit-test mode");

    // The link waits for the controller's verdict itself (and gives its own
    // time-out as a verdict): wait for it, never take "no result" for one.
    const int result = session.runOperation([&] { session.thread.startProgramSend(files.paths().workingFile); });
    if (result == 0) return noVerdict(session, "compile");
    const TransferResult record = session.thread.lastTransferResult();
    CompileResult compileResult;
    compileResult.status = record.status;
    for (int i = 0; i < 4; ++i) compileResult.values[i] = record.values[i];
    CompileState state;
    const Refusal verdict = ProgramCompile::finishCompile(result, compileResult, store, state);
    if (result == kDone && state.lastStatus == CompileResult::kAccepted) {
        say(verdict);
        return kExitOk;
    }
    if (state.errorNumber != 0) {
        const std::string name(compileErrorText(state.errorNumber));
        out() << text(verdict.text) << ": " << text(name) << " (error " << state.errorNumber << ") program "
              << state.errorProgram << " step " << state.errorStep + 1 << " (index " << state.errorStep << ")\n";
        return fail(verdict, "compile error " + std::to_string(state.errorNumber) + " in program " +
                                  std::to_string(state.errorProgram) + ", step " + std::to_string(state.errorStep + 1));
    }
    return transferFailed(session, verdict);
}

}  // namespace vantrel::cli
