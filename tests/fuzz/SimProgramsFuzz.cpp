// Fuzz target of the simulated controller's compile and program runner: any
// bytes as a program file. A refusal must name an error 1..10 whose step the
// PC can compute (second result value above the fourth); an accepted file is
// run for four seconds of machine time in automatic run, then a step at a
// time in step run, on a machine with a few points set.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "data/DefaultImage.h"
#include "sim/ControllerMemory.h"
#include "sim/Machine.h"
#include "sim/ProgramCompiler.h"
#include "sim/TaskRunner.h"

namespace {

vantrel::SettingsImage fuzzImage() {
    vantrel::SettingsImage image = vantrel::makeDefaultSettingsImage();
    for (int axis = 0; axis < 4; ++axis)
        for (const int point : {1, 81, 301, 302, 1001, 1002}) image.writePosition(axis, point - 1, 100 * point - 50000);
    for (int d = 0; d < 16; ++d) vantrel::NetworkDriverRecord(image, d).setModel(1);
    vantrel::TimerTable timers(image);
    for (int t = 0; t < 100; ++t) timers.setTimer(t, static_cast<std::uint16_t>(t));
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CompileVerdict verdict = compileProgramFile(text);
    if (!verdict.accepted()) {
        if (verdict.error < 1 || verdict.error > 10 || verdict.values[0] != verdict.error ||
            verdict.values[1] <= verdict.values[3])
            std::abort();
        return 0;
    }
    static const SettingsImage image = fuzzImage();
    ControllerMemory memory;
    memory.loadImage(image);
    Machine machine(memory);
    machine.setMotionModel(MotionModel::Timed);
    machine.wireOutputsToInputs();
    machine.setProgramRunner(std::make_unique<TaskRunner>(memory, verdict.programs));
    std::int64_t now = 0;
    machine.advanceTo(now);
    machine.setMode(2);
    machine.startRun();
    for (int i = 0; i < 40; ++i) machine.advanceTo(now += 100);
    machine.clearAlarm();
    machine.setMode(1);
    for (int i = 0; i < 10; ++i) {
        machine.startRun();
        machine.advanceTo(now += 50);
    }
    return 0;
}
