#pragma once

#include "data/SettingsImage.h"

namespace vantrel {

// The factory settings data set: what initial.bin holds and what a reset to
// defaults restores. Reserved bytes are zero.
SettingsImage makeDefaultSettingsImage();

}  // namespace vantrel
