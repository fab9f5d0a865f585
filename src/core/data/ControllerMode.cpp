#include "data/ControllerMode.h"

namespace vantrel {

std::string_view controllerModeName(int mode) {
    switch (mode) {
    case static_cast<int>(ControllerMode::EditTest): return "編集テストモード";
    case static_cast<int>(ControllerMode::StepRun): return "ステップ実行モード";
    case static_cast<int>(ControllerMode::AutoRun): return "自動実行モード";
    default: return {};
    }
}

}  // namespace vantrel
