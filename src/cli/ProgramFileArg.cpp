#include "ProgramFileArg.h"

#include "CliOutput.h"
#include "platform/FileRead.h"
#include "program/ProgramFiles.h"

namespace vantrel::cli {

bool readProgramFile(const std::string& path, ProgramStore& store) {
    // The program store's own files (Ncstep.sys, Ncstepini.sys) hold the same text as a program file.
    const bool storeFile = path.ends_with(".sys") || path.ends_with(".SYS");
    if (const auto refusal = ProgramFiles::checkProgramFile(path); refusal && !storeFile) {
        fail(*refusal, path);
        return false;
    }
    return loadProgramText(path, store);
}

bool loadProgramText(const std::string& path, ProgramStore& store) {
    const FileContent content = readFile(path, ProgramFiles::kProgramFileSizeLimit - 1);
    if (!content) {
        readFailed(path, content.result);
        return false;
    }
    if (!store.loadText(content.bytes)) {
        fileFailed(path + " does not fit into the program store (16 MiB)");
        return false;
    }
    store.scanDirectory();
    return true;
}

}  // namespace vantrel::cli
