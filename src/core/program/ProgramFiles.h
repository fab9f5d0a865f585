#pragma once

// The files that carry the program text: program files (*.ncp) the user saves
// and opens, the working file "Ncstep.sys" in the per-user data folder (sent
// for compiling, written by a program read from the controller) and the
// default programs "Ncstepini.sys" beside the executable. All hold the store
// text as it is; there is no header.
//
// The file dialogs, the questions and the controller transfer belong to the
// caller; this class does what follows from their answers.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "data/Refusal.h"
#include "platform/AtomicFile.h"
#include "program/EditOutcome.h"
#include "program/IoNames.h"
#include "program/ProgramStore.h"

namespace vantrel {

class ProgramFiles {
public:
    struct Paths {
        std::string workingFile;      // Ncstep.sys
        std::string defaultPrograms;  // Ncstepini.sys
        std::string ioNames;          // IoName.txt
    };
    enum class Which { WorkingFile, DefaultPrograms };

    static constexpr const char* kFileFilter = "DODファイル(*.ncp)|*.ncp|";
    static constexpr const char* kDefaultExtension = "ncp";
    // A program file is opened only when it is smaller than this.
    static constexpr std::uintmax_t kProgramFileSizeLimit = 16777216;

    ProgramFiles(ProgramStore& store, IoNames& ioNames, Paths paths);
    // Ncstep.sys in the per-user data folder, the other two beside the executable.
    static Paths defaultPaths();
    const Paths& paths() const { return paths_; }

    // Replaces the store by the lines of the working file or the default
    // programs and sets storeClean. A file that cannot be read (or does not fit
    // into the store) leaves the store empty. Returns whether it was read.
    bool loadStoreFromFile(Which which);
    // Turns every CR not followed by LF into a blank (in the store), then writes
    // the store text to the working file. Files are replaced atomically: a
    // write that fails leaves the old file whole and the result says why.
    FileWriteResult writeWorkingFile();
    // Writes the store text to a program file.
    FileWriteResult saveProgramFile(const std::string& path) const;

    // Called with the store text whenever the store has just been read from a
    // file (or the controller's program read) or saved to a program file: the
    // text a crash could not lose, and the file it is in (`which` tells which
    // kind of file: the working file is only ever read after the controller's
    // program read). The working file written before a compile does not
    // count, as it is replaced by the next program read.
    enum class Kind { ProgramFile, DefaultPrograms, WorkingFile };
    using SavedOrReadListener = std::function<void(std::string_view text, Kind which, const std::string& path)>;
    void setSavedOrReadListener(SavedOrReadListener listener) { savedOrReadListener_ = std::move(listener); }

    // The extension must be exactly "ncp" or "NCP", and the file smaller than 16 MiB.
    static MaybeRefusal checkProgramFile(const std::string& path);
    static bool hasProgramExtension(const std::string& path);
    // "プログラムを開く" after the dialog: checks the file, replaces the store
    // by it, writes the working file, rescans, selects and loads the first
    // program, reloads the I/O names and clears storeClean. A file that cannot
    // be read, or holds no program, is refused with its message and leaves
    // the store as it was. The caller selects row 0 and refreshes its views.
    EditOutcome openProgramFile(const std::string& path);
    // Work recovered after a crash replaces the store as an opened program file
    // does (working file written, editor initialised, storeClean cleared), but
    // is not counted as read from a file. False when it does not fit.
    bool restoreStore(std::string_view text);

    // The program editor's start: scan, first program selected and loaded, I/O
    // names read.
    void initialiseEditor();
    // The link has written the programs read from the controller into the
    // working file: the store is reloaded from it.
    void programFileRead() { loadStoreFromFile(Which::WorkingFile); }
    // After "プログラム読出し" (whether or not the read succeeded): as
    // initialiseEditor, and clear storeClean. The caller selects row 0.
    void afterProgramRead();
    // "プログラム\n初期化" after its question was answered Yes: the default
    // programs replace the store and the editor initialises itself again.
    void resetPrograms();

    // Messages of these commands.
    static Refusal notConnectedRefusal();     // "USBが未接続です。"
    static Refusal readProgramsQuestion();    // save the PC's programs before reading?
    static Refusal readFailedRefusal();       // "ファイル読込に失敗しました。", "読込失敗"
    static Refusal resetProgramsQuestion();   // "現在のプログラムを削除します。よろしいですか？"

private:
    bool replaceStore(std::string_view bytes);
    void savedOrRead(Kind which, const std::string& path) const;

    ProgramStore& store_;
    IoNames& ioNames_;
    Paths paths_;
    SavedOrReadListener savedOrReadListener_;
};

}  // namespace vantrel
