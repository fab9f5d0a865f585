#pragma once

#include <cstdint>

#include "data/ProgramTitle.h"
#include "data/Refusal.h"

namespace vantrel {

// Preconditions of the main window's controller commands. Each returns the
// message to show instead of running the command, or nothing when it may run.
// `portOpen` is the link's port state, `currentMode` the mode the controller
// last reported.
MaybeRefusal checkFlashWrite(bool portOpen, std::uint16_t currentMode);
MaybeRefusal checkInitialise(bool portOpen, std::uint16_t currentMode);
// Opening a settings file while connected needs edit-test mode, because the
// file is sent on to the controller at once.
MaybeRefusal checkOpenSettingsFile(bool portOpen, std::uint16_t currentMode);

// Start is sent in every mode; outside auto-run mode the user is told to
// switch (the controller will not start a program there).
MaybeRefusal startNotice(std::uint16_t currentMode);

}  // namespace vantrel
