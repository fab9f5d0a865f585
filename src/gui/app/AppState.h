#pragma once

#include <string>

#include "app/UnsavedWork.h"
#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/LinkThread.h"
#include "link/RequestQueues.h"
#include "program/IoNames.h"
#include "program/ProgramFiles.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"
#include "undo/EditHistory.h"

namespace vantrel {

// The long-lived state of one run, owned by the application object and
// shared by reference with the main window, the views and the dialogs. None
// of them copies it.
//
// The settings image exists twice. `image` is the UI's: views show and edit
// it, on the UI thread only. `linkImage` is the link thread's: only the link
// thread touches it while it runs; an operation that sends the image carries a
// copy of `image` that the link thread puts into `linkImage` when it takes
// the request (CMainFrame::startWithImage). What the link stores into `linkImage`
// (settings read, value read-backs, accepted pulse-axis writes) reaches
// `image` through LinkEvents::imageBytesStored, posted to the UI thread.
struct AppState {
    AppState()
        : link(status),
          linkThread(link, queues, status, linkImage),
          programFiles(programs, ioNames, ProgramFiles::defaultPaths()),
          history(image, programs, &queues),
          steps(programs, image, &history) {
        programFiles.setSavedOrReadListener(
            [this](std::string_view text, ProgramFiles::Kind which, const std::string& path) {
                unsaved.programsSavedOrRead(text, {originKind(which), path});
            });
    }
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    SettingsImage image;
    SettingsImage linkImage;
    RequestQueues queues;
    ControllerStatus status;
    ControllerLink link;
    LinkThread linkThread;
    // The program store (its storeClean flag is the main window's
    // program-compiled flag: set by loading and compiling, cleared by edits).
    ProgramStore programs;
    IoNames ioNames;
    ProgramFiles programFiles;
    // The undo history of the settings image and the program store. Editors
    // write through it (it is their ControllerWriteSink and passes every
    // write on to `queues`), so that each edit can be undone.
    EditHistory history;
    // Step editing of the program view; lives for the run so that its step
    // clipboard outlasts the view.
    StepEditor steps;

    // The unsaved-FLASH flag: set by program edits (the program view sets
    // it), cleared by a successful FLASH write.
    bool unsavedFlash = false;
    // Whether the settings and the programs hold changes that are in no file.
    // Saving, opening and reading the programs reach it through programFiles;
    // the main window tells it about the settings.
    UnsavedWork unsaved;
    // The port this run connects to instead of com.ini's (the built-in
    // simulated controller); empty for com.ini.
    std::string portOverride;

private:
    // The working file is read only after the controller's program read.
    static UnsavedWork::Origin::Kind originKind(ProgramFiles::Kind which) {
        switch (which) {
        case ProgramFiles::Kind::ProgramFile: return UnsavedWork::Origin::Kind::File;
        case ProgramFiles::Kind::DefaultPrograms: return UnsavedWork::Origin::Kind::Defaults;
        case ProgramFiles::Kind::WorkingFile: return UnsavedWork::Origin::Kind::Controller;
        }
        return UnsavedWork::Origin::Kind::None;
    }
};

}  // namespace vantrel
