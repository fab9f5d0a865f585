#pragma once

#include <string_view>

#include <QDialog>
#include <QString>

#include "online/MonitorWindows.h"
#include "ui/Utf8Text.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QTimer;

namespace vantrel {

struct AppState;
class CWindowPlacer;

// Base of the online windows: a non-modal window that deletes itself when
// closed and refreshes itself from the shared status variables on a timer of
// the user-interface thread. It never talks to the controller: the link
// thread's status poll keeps the variables current and carries what the
// window sets. With the link closed the window stays usable and keeps showing
// the last values. Enter does nothing; Escape closes. It opens beside or
// cascaded from the main window, where it was left when it was closed before.
class COnlineWindow : public QDialog {
    Q_OBJECT
public:
    COnlineWindow(AppState& state, const QString& title, QWidget* parent);

    AppState& state() { return state_; }
    // One refresh, as the timer runs it.
    virtual void refresh() = 0;
    int refreshInterval() const;
    // The reason line of a test window (null in the other windows).
    QLabel* modeReason() const { return modeReason_; }

protected:
    // Starts the refresh timer (after the window is built).
    void startRefresh(int intervalMs);
    CWindowPlacer& placer() { return *placer_; }
    // A "閉じる" button that closes the window.
    QPushButton* makeCloseButton();
    // The line that tells why a test window does not act (hidden while it
    // does); the window places it. followMode shows it for the controller's
    // current mode and returns whether the window `which` may act now: the
    // test windows act only in edit-test mode.
    QLabel* makeModeReason();
    bool followMode(MonitorWindow which);
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& state_;
    QTimer* timer_ = nullptr;
    QLabel* modeReason_ = nullptr;
    CWindowPlacer* placer_ = nullptr;
};

}  // namespace vantrel
