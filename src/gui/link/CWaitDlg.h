#pragma once

#include <atomic>
#include <functional>

#include <QDialog>

#include "app/ProgressWindowKind.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrel {

// The modal progress window of a long controller operation. The link thread
// drives it with (percent, result) messages, which reach it on the UI thread
// through GuiLinkEvents. The first non-zero result closes it and is what
// `run` returns; the cancel button (FLASH write only) sets the interrupt flag
// of the link it waits for (ControllerLink::interruptFlag) and closes it with 255.
class CWaitDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWaitDlg(std::atomic<bool>& interruptFlag, QWidget* parent = nullptr);

    // Opens the window for an operation already started and returns its result.
    // Progress messages of earlier operations are ignored: only those of
    // `operation` (the number GuiLinkEvents::beginOperation gave) count.
    int run(ProgressKind kind, unsigned operation);
    bool isRunning() const { return running_; }
    int percent() const;

    // A progress message from the link thread, already on the UI thread.
    void onProgress(unsigned operation, int percent, int result);

    // Called after the window was shown and after each change of its bar
    // (the screenshot tour grabs it there).
    static void setUpdateHook(std::function<void(CWaitDlg&)> hook);

protected:
    void reject() override;  // Esc and the close button do nothing but cancel where cancel exists
    void showEvent(QShowEvent* event) override;

private:
    void cancel();
    void setPercent(int percent);

    std::atomic<bool>& interruptFlag_;
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* percentText_ = nullptr;
    QPushButton* cancel_ = nullptr;
    ProgressKind kind_ = ProgressKind::SettingsRead;
    unsigned operation_ = 0;
    bool running_ = false;
};

}  // namespace vantrel
