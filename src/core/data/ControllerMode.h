#pragma once

#include <cstdint>
#include <string_view>

namespace vantrel {

// The controller's operating mode word, as the PC requests it and as the
// controller reports it.
enum class ControllerMode : std::uint16_t { EditTest = 0, StepRun = 1, AutoRun = 2 };

// "編集テストモード", "ステップ実行モード", "自動実行モード" for modes 0, 1, 2; empty
// for any other value (each caller decides what an unknown mode shows).
std::string_view controllerModeName(int mode);

}  // namespace vantrel
