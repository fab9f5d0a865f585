#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace vantrel {

class CMainFrame;

// The hidden --screenshot-dir run: with the built-in simulated controller it
// connects, reads the settings, shows a view and saves pictures of the main
// window, the progress window, the dialogs and the online windows into a folder, then quits.
// Questions are answered no and messages are only recorded.
class ScreenshotTour : public QObject {
    Q_OBJECT
public:
    ScreenshotTour(CMainFrame& frame, QString folder);
    ~ScreenshotTour() override;
    void start();

private:
    void save(QWidget& widget, const QString& name);
    void grabDialogs();
    // The 通信 menu with the trace item checked, and the message that says where the trace goes.
    void grabTraceItem();
    void finish();

    CMainFrame& frame_;
    QString folder_;
    bool progressSaved_ = false;
    bool readDone_ = false;
};

}  // namespace vantrel
