#pragma once

namespace vantrel {

// Title of the message boxes of the program editor that have no title of
// their own: the application's title (as app/MainCommandChecks.h has it; the
// program module does not depend on the app module).
inline constexpr const char* kProgramMessageTitle = "VANTREL";

}  // namespace vantrel
