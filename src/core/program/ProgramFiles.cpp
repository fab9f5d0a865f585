#include "program/ProgramFiles.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "data/FileReadMessages.h"
#include "data/ProgramTitle.h"
#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"
#include "platform/FileRead.h"
#include "platform/PathText.h"

namespace vantrel {

namespace {

// Program text files are read only when smaller than a program file may be.
FileContent readProgramText(const std::string& path) {
    return readFile(path, ProgramFiles::kProgramFileSizeLimit - 1);
}

Refusal tooLargeRefusal() { return {"ファイルサイズが大きすぎです。", kProgramTitle, MessageIcon::Error}; }

// Whether the text holds at least one program section, read as the store reads it.
bool holdsAProgram(std::string_view bytes) {
    ProgramStore probe;
    return probe.loadText(bytes) && probe.scanDirectory() > 0;
}

std::string extensionOf(const std::string& path) {
    const std::string name = utf8FromPath(pathFromUtf8(path).filename());
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace

ProgramFiles::ProgramFiles(ProgramStore& store, IoNames& ioNames, Paths paths)
    : store_(store), ioNames_(ioNames), paths_(std::move(paths)) {}

ProgramFiles::Paths ProgramFiles::defaultPaths() {
    return {dataFolderPath("Ncstep.sys"), exeFolderPath("Ncstepini.sys"), exeFolderPath("IoName.txt")};
}

bool ProgramFiles::loadStoreFromFile(Which which) {
    const std::string& path = which == Which::WorkingFile ? paths_.workingFile : paths_.defaultPrograms;
    const FileContent file = readProgramText(path);
    if (file && store_.loadText(file.bytes)) {
        savedOrRead(which == Which::WorkingFile ? Kind::WorkingFile : Kind::DefaultPrograms, path);
        return true;
    }
    store_.clear();
    store_.setStoreClean(true);
    return false;
}

FileWriteResult ProgramFiles::writeWorkingFile() {
    store_.blankLoneCarriageReturns();
    return writeFileAtomically(paths_.workingFile, store_.text());
}

FileWriteResult ProgramFiles::saveProgramFile(const std::string& path) const {
    const FileWriteResult result = writeFileAtomically(path, store_.text());
    if (result) savedOrRead(Kind::ProgramFile, path);
    return result;
}

void ProgramFiles::savedOrRead(Kind which, const std::string& path) const {
    if (savedOrReadListener_) savedOrReadListener_(store_.text(), which, path);
}

bool ProgramFiles::hasProgramExtension(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == "ncp" || extension == "NCP";
}

MaybeRefusal ProgramFiles::checkProgramFile(const std::string& path) {
    if (!hasProgramExtension(path))
        return Refusal{"ファイルフォーマットが違います。", kProgramTitle, MessageIcon::Warning};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(pathFromUtf8(path), error);
    if (!error && size >= kProgramFileSizeLimit) return tooLargeRefusal();
    return std::nullopt;
}

EditOutcome ProgramFiles::openProgramFile(const std::string& path) {
    if (auto refusal = checkProgramFile(path)) return EditOutcome::refused(*refusal);
    // The limit holds while reading too: the file may have grown since.
    const FileContent file = readProgramText(path);
    if (file.result.error == EFBIG) return EditOutcome::refused(tooLargeRefusal());
    if (!file) return EditOutcome::refused(fileReadFailedMessage(path, file.result));
    // An empty, cut or foreign file would leave an empty store in place of the programs.
    if (!holdsAProgram(file.bytes))
        return EditOutcome::refused({"ファイルフォーマットが違います。", kProgramTitle, MessageIcon::Warning});
    if (!replaceStore(file.bytes)) return EditOutcome::refused(tooLargeRefusal());
    savedOrRead(Kind::ProgramFile, path);
    return EditOutcome::success();
}

bool ProgramFiles::replaceStore(std::string_view bytes) {
    if (!store_.loadText(bytes)) return false;
    writeWorkingFile();
    initialiseEditor();
    store_.setStoreClean(false);
    return true;
}

bool ProgramFiles::restoreStore(std::string_view text) { return replaceStore(text); }

void ProgramFiles::initialiseEditor() {
    store_.scanDirectory();
    ioNames_.loadIoNames(paths_.ioNames);
    store_.selectProgram(store_.firstProgramNumber());
}

void ProgramFiles::afterProgramRead() {
    initialiseEditor();
    store_.setStoreClean(false);
}

void ProgramFiles::resetPrograms() {
    loadStoreFromFile(Which::DefaultPrograms);
    initialiseEditor();
}

Refusal ProgramFiles::notConnectedRefusal() { return {"USBが未接続です。", kProgramTitle, MessageIcon::Warning}; }

Refusal ProgramFiles::readProgramsQuestion() {
    return {"コントローラのNCプログラムを読み込みます。\n現在のPC上のNCプログラムを保存しますか？", "確認",
            MessageIcon::Question};
}

Refusal ProgramFiles::readFailedRefusal() { return {"ファイル読込に失敗しました。", "読込失敗", MessageIcon::Error}; }

Refusal ProgramFiles::resetProgramsQuestion() {
    return {"現在のプログラムを削除します。よろしいですか？", "確認", MessageIcon::Question};
}

}  // namespace vantrel
