#include "PortRun.h"

#include <utility>

namespace vantrel::cli {
namespace {
thread_local PortRun* currentRun = nullptr;
}

PortRun::PortRun(std::string port, std::size_t row, ProgressBoard& board, std::string tracePath)
    : port_(std::move(port)), row_(row), board_(board), tracePath_(std::move(tracePath)) {}

PortRun* PortRun::current() { return currentRun; }

PortRun::Entered::Entered(PortRun& run) { currentRun = &run; }

PortRun::Entered::~Entered() { currentRun = nullptr; }

void PortRun::connected(const std::string& controller) {
    controller_ = controller;
    board_.note(row_, "connected: " + controller);
}

void PortRun::setResult(std::string word, std::string detail) {
    resultWord_ = std::move(word);
    resultDetail_ = std::move(detail);
}

}  // namespace vantrel::cli
