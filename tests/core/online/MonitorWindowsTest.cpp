#include "online/MonitorWindows.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(MonitorWindows, TestWindowsOpenOnlyInEditTestMode) {
    struct Case {
        MonitorWindow window;
        std::uint16_t mode;
        const char* refusal;  // nullptr: opens
    };
    const Case cases[] = {
        {MonitorWindow::PulseStatusMonitor, 2, nullptr},
        {MonitorWindow::NetworkStatusMonitor, 1, nullptr},
        {MonitorWindow::IoMonitor, 2, nullptr},
        {MonitorWindow::AlarmMonitor, 1, nullptr},
        {MonitorWindow::TestRun, 0, nullptr},
        {MonitorWindow::IoTest, 0, nullptr},
        {MonitorWindow::RegisterTest, 0, nullptr},
        {MonitorWindow::TestRun, 2, "テスト運転を行うときは\n編集テストモードに切り替えてください。"},
        {MonitorWindow::IoTest, 1, "IOテストを行うときは\n編集テストモードに切り替えてください。"},
        {MonitorWindow::RegisterTest, 2, "485通信テストを行うときは\n編集テストモードに切り替えてください。"},
        {MonitorWindow::IoTest, 7, "IOテストを行うときは\n編集テストモードに切り替えてください。"},  // an unknown mode too
    };
    for (const Case& c : cases) {
        const auto refusal = checkMonitorWindowOpen(c.window, c.mode);
        if (!c.refusal) {
            EXPECT_FALSE(refusal) << monitorWindow(c.window).title;
            continue;
        }
        ASSERT_TRUE(refusal) << monitorWindow(c.window).title;
        EXPECT_EQ(refusal->text, c.refusal);
        EXPECT_EQ(refusal->title, "インフォメーション");
        EXPECT_EQ(refusal->icon, MessageIcon::Information);
    }
}
