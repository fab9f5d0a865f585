#pragma once

namespace vantrel {

// The title of message boxes that have no title of their own: the program's name.
inline constexpr const char* kProgramTitle = "VANTREL";

}  // namespace vantrel
