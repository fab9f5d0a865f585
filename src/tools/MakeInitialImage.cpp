// Writes the default settings image to the file named on the command line.
// The build runs it to produce initial.bin beside the programs, so no binary
// image is ever kept in the source tree.
#include <cstdio>

#include "data/DefaultImage.h"
#include "data/SettingsFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.bin\n", argv[0]);
        return 2;
    }
    if (!vantrel::saveSettingsFile(vantrel::makeDefaultSettingsImage(), argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
