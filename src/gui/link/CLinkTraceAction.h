#pragma once

#include <QObject>

#include "link/LinkTraceFile.h"

class QAction;
class QWidget;

namespace vantrel {

class ControllerLink;

// The check item "通信トレース" of the 通信 menu: while it is checked, the
// link's protocol trace of this run goes to a new file in the per-user data
// folder (trace-<date>-<time>.txt), and a message says where. Unchecking ends
// the recording and says so again. The file sink lives as long as this
// object, which ends the trace when it goes; the link thread must be stopped
// by then (the main window stops it first).
class CLinkTraceAction : public QObject {
    Q_OBJECT
public:
    CLinkTraceAction(ControllerLink& link, QWidget* window);
    ~CLinkTraceAction() override;

    QAction* action() const { return action_; }
    // What checking and unchecking the item do.
    void setRecording(bool on);
    bool isRecording() const { return trace_.isOpen(); }
    std::string path() const { return trace_.path(); }

private:
    ControllerLink& link_;
    QWidget* window_;
    QAction* action_;
    LinkTraceFile trace_;
};

}  // namespace vantrel
