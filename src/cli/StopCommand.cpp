#include "Commands.h"
#include "ControllerCommand.h"

namespace vantrel::cli {

int runStop(const Words& words) { return sendRunRequest(words, "stop", RunRequest::Stop); }

}  // namespace vantrel::cli
