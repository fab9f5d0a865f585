#include "online/MonitorWindows.h"

#include <string>

#include "data/ControllerMode.h"

namespace vantrel {
namespace {

constexpr std::array<MonitorWindowEntry, kMonitorWindowCount> kWindows = {{
    {MonitorWindow::PulseStatusMonitor, "パルス列\nステータスモニタ", "パルス列ステータスモニタ", false, ""},
    {MonitorWindow::NetworkStatusMonitor, "RIVO\nステータスモニタ", "RIVOステータスモニタ", false, ""},
    {MonitorWindow::IoMonitor, "IOモニタ", "IOモニタ", false, ""},
    {MonitorWindow::AlarmMonitor, "アラームモニタ", "アラームモニタ", false, ""},
    {MonitorWindow::TestRun, "テスト運転", "テスト運転", true, "テスト運転を行うときは\n編集テストモードに切り替えてください。"},
    {MonitorWindow::IoTest, "IOテスト", "IOテスト", true, "IOテストを行うときは\n編集テストモードに切り替えてください。"},
    {MonitorWindow::RegisterTest, "485通信テスト", "485通信テスト", true, "485通信テストを行うときは\n編集テストモードに切り替えてください。"},
}};

}  // namespace

const std::array<MonitorWindowEntry, kMonitorWindowCount>& monitorWindows() { return kWindows; }

const MonitorWindowEntry& monitorWindow(MonitorWindow window) { return kWindows[static_cast<std::size_t>(window)]; }

MaybeRefusal checkMonitorWindowOpen(MonitorWindow window, std::uint16_t currentMode) {
    const MonitorWindowEntry& entry = monitorWindow(window);
    if (!entry.needsEditTest || currentMode == static_cast<std::uint16_t>(ControllerMode::EditTest)) return std::nullopt;
    return Refusal{std::string(entry.refusal), "インフォメーション", MessageIcon::Information};
}

}  // namespace vantrel
