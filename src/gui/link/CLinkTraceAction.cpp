#include "link/CLinkTraceAction.h"

#include <QAction>
#include <QSignalBlocker>
#include <QWidget>

#include <ctime>

#include "data/FileSaveMessages.h"
#include "link/ControllerLink.h"
#include "link/TraceRecording.h"
#include "platform/AppFolders.h"
#include "ui/MessageBox.h"

namespace vantrel {

CLinkTraceAction::CLinkTraceAction(ControllerLink& link, QWidget* window)
    : QObject(window), link_(link), window_(window), action_(new QAction(tr("通信トレース(&T)"), this)) {
    action_->setCheckable(true);
    connect(action_, &QAction::toggled, this, &CLinkTraceAction::setRecording);
}

CLinkTraceAction::~CLinkTraceAction() {
    link_.setTraceSink(nullptr);
    trace_.close();
}

void CLinkTraceAction::setRecording(bool on) {
    const QSignalBlocker quiet(action_);
    if (on == trace_.isOpen()) {
        action_->setChecked(on);
        return;
    }
    if (!on) {
        link_.setTraceSink(nullptr);
        // A frame under way may still be written; the file stays open for it
        // until close() takes the sink's own lock.
        trace_.close();
        action_->setChecked(false);
        action_->setStatusTip({});
        if (trace_.error() != 0)
            ui::showMessage(window_, fileWriteFailedMessage(trace_.path(), FileWriteResult{trace_.error()}));
        else
            ui::showMessage(window_, traceEndedMessage(trace_.path(), trace_.lines()));
        return;
    }
    ensureDataFolder();
    const std::string path = dataFolderPath(traceFileName(std::time(nullptr)));
    if (!trace_.open(path)) {
        action_->setChecked(false);
        ui::showMessage(window_, fileWriteFailedMessage(path, FileWriteResult{trace_.error()}));
        return;
    }
    link_.setTraceSink(&trace_);
    action_->setChecked(true);
    action_->setStatusTip(QString::fromStdString(path));
    ui::showMessage(window_, traceStartedMessage(path));
}

}  // namespace vantrel
