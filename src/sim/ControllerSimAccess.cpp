#include "sim/ControllerSim.h"

#include <algorithm>

namespace vantrel {

// --- State for tests and hosts ------------------------------------------------

ControllerSim::Bytes ControllerSim::readMemory(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    Bytes out(size, 0);
    memory_.read(address, out.data(), size);
    return out;
}

std::optional<std::uint32_t> ControllerSim::readValue(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    return memory_.readValue(address, size);
}

void ControllerSim::writeValue(std::uint32_t address, std::size_t size, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    memory_.writeValue(address, size, value);
}

ControllerSim::Bytes ControllerSim::readParameters(std::uint32_t address, std::size_t size) const {
    std::lock_guard lock(mutex_);
    Bytes out(size, 0);
    memory_.readParameters(address, out.data(), size);
    return out;
}

SettingsImage ControllerSim::settingsImage() const {
    std::lock_guard lock(mutex_);
    return memory_.toImage();
}

void ControllerSim::loadSettingsImage(const SettingsImage& image) {
    std::lock_guard lock(mutex_);
    memory_.loadImage(image);
}

std::string ControllerSim::programFile() const {
    std::lock_guard lock(mutex_);
    return programFile_;
}

void ControllerSim::setProgramFile(const std::string& text) {
    std::lock_guard lock(mutex_);
    programFile_ = text;
    machine_.setFirstProgram(firstProgramNumber());
}

void ControllerSim::setCompileError(std::optional<CompileError> error) {
    std::lock_guard lock(mutex_);
    compileError_ = error;
}

int ControllerSim::compileCount() const {
    std::lock_guard lock(mutex_);
    return compileCount_;
}

std::uint16_t ControllerSim::modeWord() const {
    std::lock_guard lock(mutex_);
    return machine_.mode();
}

void ControllerSim::setModeWord(std::uint16_t mode) {
    std::lock_guard lock(mutex_);
    machine_.setMode(mode);
}

std::uint8_t ControllerSim::alarmCode() const {
    std::lock_guard lock(mutex_);
    return machine_.alarmCode();
}

void ControllerSim::raiseAlarm(std::uint8_t code) {
    std::lock_guard lock(mutex_);
    machine_.raiseAlarm(code);
}

std::array<std::uint8_t, 10> ControllerSim::alarmHistory() const {
    std::lock_guard lock(mutex_);
    return machine_.alarmHistory();
}

void ControllerSim::setAlarmHistory(const std::array<std::uint8_t, 10>& history) {
    std::lock_guard lock(mutex_);
    machine_.setAlarmHistory(history);
}

SimStatus ControllerSim::status() const {
    std::lock_guard lock(mutex_);
    return machine_.status();
}

void ControllerSim::setStatus(const SimStatus& status) {
    std::lock_guard lock(mutex_);
    machine_.setStatus(status);
}

void ControllerSim::clearAlarm() {
    std::lock_guard lock(mutex_);
    machine_.clearAlarm();
}

void ControllerSim::setGeneralInput(int input, bool on) {
    std::lock_guard lock(mutex_);
    machine_.setGeneralInput(input, on);
}

std::uint16_t ControllerSim::generalOutputs() const {
    std::lock_guard lock(mutex_);
    return machine_.generalOutputs();
}

void ControllerSim::setMotionModel(MotionModel model) {
    std::lock_guard lock(mutex_);
    machine_.setMotionModel(model);
}

void ControllerSim::useStandAloneMachine() {
    std::lock_guard lock(mutex_);
    machine_.setMotionModel(MotionModel::Timed);
    machine_.wireOutputsToInputs();
    compiling_ = true;
}

SimOutputs ControllerSim::outputs() const {
    std::lock_guard lock(mutex_);
    return outputs_;
}

bool ControllerSim::running() const {
    std::lock_guard lock(mutex_);
    return machine_.running();
}

std::vector<int> ControllerSim::flashStepsDone() const {
    std::lock_guard lock(mutex_);
    return flashSteps_;
}

int ControllerSim::flashWriteCount() const {
    std::lock_guard lock(mutex_);
    return flashWrites_;
}

int ControllerSim::lastInitialiseScope() const {
    std::lock_guard lock(mutex_);
    return lastInitialise_;
}

std::vector<int> ControllerSim::settingsAreasAccepted() const {
    std::lock_guard lock(mutex_);
    return areasAccepted_;
}

int ControllerSim::requestCount(std::uint8_t code) const {
    std::lock_guard lock(mutex_);
    return requestCounts_[code];
}

ControllerSim::Bytes ControllerSim::lastRequest(std::uint8_t code) const {
    std::lock_guard lock(mutex_);
    auto it = lastRequests_.find(code);
    return it == lastRequests_.end() ? Bytes{} : it->second;
}

int ControllerSim::badFrameCount() const {
    std::lock_guard lock(mutex_);
    return badFrames_;
}


}  // namespace vantrel
