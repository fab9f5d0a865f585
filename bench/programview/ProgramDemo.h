#pragma once

// Demo data of the program editor's benchmark and pictures: a settings image
// with axis 1 in mm, axis 2 in steps, axis 3 in degrees and points that the
// programs use, and program texts (CP932) that show every kind of listing.

#include <string>

#include "data/SettingsImage.h"

namespace vantrel::bench {

SettingsImage programDemoImage();
// Programs 1 (a short pick-and-place program), 2, 7 and 100.
std::string demoPrograms();
// Program 1 with 255 steps that cycle through every kind of listing.
std::string fullProgram();

}  // namespace vantrel::bench
