#pragma once

#include <string>

#include "data/Refusal.h"

namespace vantrel {

// Messages about the program's own process rather than a command.

// An error nothing else caught reached the event loop; `workKept` says that
// the unsaved work was just written to the recovery copy. Titled "異常発生".
Refusal internalErrorMessage(const std::string& what, bool workKept);

// A second start found the first instance, and the first did not answer.
Refusal firstInstanceHangsMessage();

}  // namespace vantrel
