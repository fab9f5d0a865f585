#include "Commands.h"
#include "link/Protocol.h"

namespace vantrel::cli {

int sendRunRequest(const Words& words, const std::string& command, RunRequest request);

int runStop(const Words& words) { return sendRunRequest(words, "stop", RunRequest::Stop); }

}  // namespace vantrel::cli
