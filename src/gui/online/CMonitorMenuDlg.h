#pragma once

#include <array>
#include <functional>

#include <QDialog>
#include <QPointer>

#include "online/MonitorWindows.h"

class QPushButton;

namespace vantrel {

struct AppState;
class CMonitorMenuDlg;

// Builds one online window (parented to the menu) when its button is pressed.
using MonitorWindowFactory = std::function<QWidget*(CMonitorMenuDlg& menu)>;

// The monitor menu: a small panel with one button per online window. Each
// window exists at most once; its button brings an open one to the front,
// also a minimised one. The menu opens beside the main window like the
// windows it opens. The test windows open only while the controller is in
// edit-test mode, otherwise the button shows the information box and opens
// nothing. A window kind plugs in with registerWindow(); until then its button
// is disabled.
//
// The menu also relays the choice of a network driver: a window that selects
// one (the I/O test's network output test, the test-operation window) calls
// relayNetworkDriver(), and whatever shows a driver group (the network
// monitor) follows networkDriverSelected().
class CMonitorMenuDlg : public QDialog {
    Q_OBJECT
public:
    CMonitorMenuDlg(AppState& state, QWidget* parent = nullptr);

    AppState& state() { return state_; }

    void registerWindow(MonitorWindow which, MonitorWindowFactory factory);
    // As a press of the window's button: the mode rule, then open or raise.
    // Returns the window, or nullptr when it was refused or has no factory.
    QWidget* openWindow(MonitorWindow which);
    // The open window of that kind, or nullptr.
    QWidget* window(MonitorWindow which) const;
    QPushButton* button(MonitorWindow which) const;

    // Network driver 0..15 chosen in one of the windows.
    void relayNetworkDriver(int driver);

signals:
    void networkDriverSelected(int driver);

private:
    static std::size_t slot(MonitorWindow which) { return static_cast<std::size_t>(which); }

    AppState& state_;
    std::array<QPushButton*, kMonitorWindowCount> buttons_{};
    std::array<MonitorWindowFactory, kMonitorWindowCount> factories_{};
    std::array<QPointer<QWidget>, kMonitorWindowCount> windows_{};
};

}  // namespace vantrel
