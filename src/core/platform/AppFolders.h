#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Where the program keeps its files.
//
// The per-user data folder (com.ini, Ncstep.sys) is the user's local
// application-data folder joined with "KESSLAND\VANTREL" on Windows, the XDG
// data home ($XDG_DATA_HOME, else ~/.local/share) joined with
// "KESSLAND/VANTREL" elsewhere. The per-user profile (last folder, visual
// theme) is KESSLAND\VANTREL.ini in the roaming application-data folder on
// Windows, in the XDG config home ($XDG_CONFIG_HOME, else ~/.config) under
// "KESSLAND" elsewhere. The data files installed with the program
// (initial.bin, Ncstepini.sys, IoName.txt, the splash) lie beside the
// executable in a build, and in ../share/vantrel from it in an installed
// package. Relative XDG values are ignored, as the XDG rules ask. Paths are
// UTF-8.

// The per-user data folder, without a trailing slash.
std::string dataFolder();

// The per-user data folder joined with fileName. Built afresh on every call,
// so a changed environment (tests) takes effect at once.
std::string dataFolderPath(std::string_view fileName);

// Creates the per-user data folder with any missing parents. Returns false
// when it does not exist afterwards; callers carry on (their file calls fail
// and fall back as their own rules say).
bool ensureDataFolder();

// The folder of the running executable, without a trailing separator; the
// current folder when it cannot be found.
std::string exeFolder();

// A data file installed with the program: beside the executable when it is
// there (a build), else in ../share/vantrel from the executable's folder when
// it is there (a package, wherever it was unpacked), else the path beside the
// executable (so a message names where a build would have it).
std::string exeFolderPath(std::string_view fileName);

// The same choice for an executable in exeDir.
std::string installedFilePath(const std::string& exeDir, std::string_view fileName);

// The per-user profile file (KESSLAND/VANTREL.ini, see above).
std::string profileFilePath();

}  // namespace vantrel
