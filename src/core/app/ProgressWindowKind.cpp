#include "app/ProgressWindowKind.h"

#include <algorithm>

namespace vantrel {

std::string progressTitle(ProgressKind kind) {
    switch (kind) {
    case ProgressKind::Initialise: return "初期化";
    case ProgressKind::FlashWrite: return "FLASH書込み";
    case ProgressKind::SettingsWrite: return "設定ファイル書込み";
    case ProgressKind::SettingsRead: return "設定ファイル読込み";
    case ProgressKind::Compile: return "コンパイル";
    case ProgressKind::ProgramRead: return "プログラムファイル読込み";
    }
    return {};
}

std::string progressText(ProgressKind kind) {
    switch (kind) {
    case ProgressKind::Initialise: return "初期化中";
    case ProgressKind::FlashWrite: return "FLASH書込み中";
    case ProgressKind::SettingsWrite: return "設定ファイル書込み中";
    case ProgressKind::SettingsRead: return "設定ファイル読込み中";
    case ProgressKind::Compile: return "コンパイル中";
    case ProgressKind::ProgramRead: return "プログラムファイル読込み中";
    }
    return {};
}

std::string progressPercentText(int percent) {
    return std::to_string(std::clamp(percent, 0, 100)) + "％";
}

}  // namespace vantrel
