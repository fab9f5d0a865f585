#include "app/OperatingMode.h"

namespace vantrel {

std::string modeText(std::uint16_t modeWord) {
    switch (modeWord) {
    case mode::kEditTest: return "編集テストモード";
    case mode::kStepRun: return "ステップ実行モード";
    case mode::kAutoRun: return "自動実行モード";
    default: return "エラー";
    }
}

}  // namespace vantrel
