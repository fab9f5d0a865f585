#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

#include "link/JogRequestRecord.h"

class QTimer;
class QWidget;

namespace vantrel {

class CMonitorMenuDlg;

// Pictures of the online windows against the connected (simulated)
// controller, for the screenshot run: the monitor menu, the status monitor
// with its trend while a JOG runs, the I/O test and its two axis output
// tests with some outputs switched on, the I/O monitor, the alarm monitor
// with an alarm the controller raised, the test-operation window on a pulse
// axis and on a network driver while they move, the network monitor and the
// network register test with the answer of a read. Each step waits for the polls that
// bring its state back; `done` runs after the last picture.
class OnlineScreenshots : public QObject {
    Q_OBJECT
public:
    using Save = std::function<void(QWidget& widget, const QString& name)>;

    OnlineScreenshots(CMonitorMenuDlg& menu, Save save, std::function<void()> done, QObject* parent = nullptr);
    void start();

private:
    struct Step {
        int delayMs;
        std::function<void()> action;
    };
    void runStep(std::size_t index);
    // Holds a JOG as the test-operation window does, renewing it every tick;
    // release() lets the link poll again.
    void hold(const JogRequestRecord& record);
    void release();

    CMonitorMenuDlg& menu_;
    Save save_;
    std::function<void()> done_;
    std::vector<Step> steps_;
    QTimer* renewal_ = nullptr;
    JogRequestRecord held_;
};

}  // namespace vantrel
