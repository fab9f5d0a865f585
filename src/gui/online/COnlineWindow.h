#pragma once

#include <string_view>

#include <QDialog>
#include <QString>

#include "ui/Utf8Text.h"

class QBoxLayout;
class QPushButton;
class QTimer;

namespace vantrel {

struct AppState;

// Base of the online windows: a non-modal window that deletes itself when
// closed and refreshes itself from the shared status variables on a timer of
// the user-interface thread. It never talks to the controller: the link
// thread's status poll keeps the variables current and carries what the
// window sets. With the link closed the window stays usable and keeps showing
// the last values. Enter does nothing; Escape closes.
class COnlineWindow : public QDialog {
    Q_OBJECT
public:
    COnlineWindow(AppState& state, const QString& title, QWidget* parent);

    AppState& state() { return state_; }
    // One refresh, as the timer runs it.
    virtual void refresh() = 0;
    int refreshInterval() const;

protected:
    // Starts the refresh timer (after the window is built).
    void startRefresh(int intervalMs);
    // A "閉じる" button that closes the window.
    QPushButton* makeCloseButton();
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& state_;
    QTimer* timer_ = nullptr;
};

}  // namespace vantrel
