#pragma once

#include <string>

#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/LinkThread.h"
#include "link/RequestQueues.h"
#include "program/ProgramStore.h"

namespace vantrel {

// The long-lived state of one run, owned by the application object and
// shared by reference with the main window, the views and the dialogs. None
// of them copies it.
struct AppState {
    AppState() : link(status), linkThread(link, queues, status, image) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    SettingsImage image;
    RequestQueues queues;
    ControllerStatus status;
    ControllerLink link;
    LinkThread linkThread;
    ProgramStore programs;

    // Set by program edits, cleared by a successful FLASH write.
    bool unsavedFlash = false;
    // True after the program store was loaded or compiled; false while a
    // program is being edited.
    bool programCompiled = true;
    // The port this run connects to instead of com.ini's (the built-in
    // simulated controller); empty for com.ini.
    std::string portOverride;
};

}  // namespace vantrel
