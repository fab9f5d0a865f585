#include "program/ProgramCompile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "data/FileSaveMessages.h"
#include "data/ProgramTitle.h"
#include "platform/PathText.h"

namespace vantrel {

ProgramCompile::Preparation ProgramCompile::prepareCompile(ProgramFiles& files, const std::function<bool()>& portOpen,
                                                           int controllerMode) {
    if (!portOpen || !portOpen()) return {false, ProgramFiles::notConnectedRefusal()};
    // A working file that could not be written would send the previous
    // programs to the controller: stop and say so.
    if (const FileWriteResult written = files.writeWorkingFile(); !written)
        return {false, fileWriteFailedMessage(files.paths().workingFile, written)};
    if (!portOpen() || controllerMode != 0) return {};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(pathFromUtf8(files.paths().workingFile), error);
    if (error) return {true, std::nullopt};  // the send reports a file it cannot open
    if (auto refusal = checkCompileSize(size)) return {false, refusal};
    return {true, std::nullopt};
}

MaybeRefusal ProgramCompile::checkCompileSize(std::uintmax_t size) {
    if (size < kCompileFileSizeLimit) return std::nullopt;
    return Refusal{"ファイルサイズが大きすぎです。\nプログラムを減らして再度コンパイルしてください。", kProgramTitle, MessageIcon::Error};
}

Refusal ProgramCompile::finishCompile(int progressResult, const CompileResult& result, ProgramStore& store,
                                      CompileState& state) {
    switch (progressResult) {
    case 2: return {"ファイルサイズが0バイトです", "ファイル異常", MessageIcon::Warning};
    case 3: return {"プログラムリストは空です", "ファイル異常", MessageIcon::Warning};
    case 4: return {"ファイルが開けません", "ファイル異常", MessageIcon::Warning};
    default: break;
    }
    Refusal message;
    state.errorNumber = state.errorProgram = state.errorStep = 0;
    if (result.status == CompileResult::kControllerError) {
        message = {"コンパイルエラー", kProgramTitle, MessageIcon::Warning};
        state.errorNumber = result.values[0];
        state.errorProgram = result.values[2];
        state.errorStep = static_cast<int>(result.values[1]) - static_cast<int>(result.values[3]) - 1;
    } else if (result.status == CompileResult::kAccepted) {
        message = {"コンパイル完了", kProgramTitle, MessageIcon::Information};
    } else {
        message = {"コンパイルタイムアウト", kProgramTitle, MessageIcon::Warning};
    }
    state.lastStatus = result.status;
    state.finished = true;
    store.setStoreClean(result.status == CompileResult::kAccepted);
    return message;
}

bool ProgramCompile::showErrorProgram(ProgramStore& store, const CompileState& state) {
    if (state.lastStatus != CompileResult::kControllerError) return false;
    if (state.errorProgram < 1 || state.errorProgram > ProgramStore::kMaxProgramNumber) return false;
    store.selectProgram(state.errorProgram);
    return true;
}

void ProgramCompile::followDeletedSteps(CompileState& state, int program, const std::vector<int>& rows,
                                        int stepCount) {
    if (state.lastStatus != CompileResult::kControllerError || state.errorProgram != program || state.errorStep < 0)
        return;
    std::vector<int> deleted;
    for (const int row : rows)
        if (row >= 0 && row < stepCount) deleted.push_back(row);
    std::sort(deleted.begin(), deleted.end());
    deleted.erase(std::unique(deleted.begin(), deleted.end()), deleted.end());
    if (std::binary_search(deleted.begin(), deleted.end(), state.errorStep)) {
        state.errorStep = -1;
        return;
    }
    state.errorStep -= static_cast<int>(std::lower_bound(deleted.begin(), deleted.end(), state.errorStep) - deleted.begin());
}

}  // namespace vantrel
