#pragma once

#include <string>

#include "program/ProgramStore.h"

namespace vantrel::cli {

// Reads a program file given on the command line into `store` and scans its
// programs, after the program editor's check of the file (a *.ncp file under
// 16 MiB). False after saying why not.
bool readProgramFile(const std::string& path, ProgramStore& store);
// The same without the check of the name, for the tool's own working files.
bool loadProgramText(const std::string& path, ProgramStore& store);

}  // namespace vantrel::cli
