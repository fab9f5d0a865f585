#pragma once

namespace vantrel {

// Whether the standard error stream is a terminal (a person watches it), so
// that a progress bar may be redrawn there with carriage returns.
bool standardErrorIsTerminal();
// Whether it is a terminal that also takes the escape sequences that move the
// cursor up and down and clear a line (switched on where that is needed), so
// that several progress lines may be redrawn in place.
bool standardErrorMovesCursor();

}  // namespace vantrel
