#include "platform/CommandLine.h"

namespace vantrel {

std::vector<std::string> commandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void useUtf8Output() {}

}  // namespace vantrel
