#pragma once

#include <QWidget>

#include "app/StatusPaneTexts.h"

class QLabel;
class QToolButton;

namespace vantrel {

// The one-line status pane: link, mode, speed with its step buttons,
// controller name, run state and alarm. It shows texts the core formats.
class CStatusPane : public QWidget {
    Q_OBJECT
public:
    explicit CStatusPane(QWidget* parent = nullptr);
    void showTexts(const StatusPaneTexts& texts);
    const StatusPaneTexts& texts() const { return texts_; }

signals:
    void speedDownClicked();
    void speedUpClicked();

private:
    QLabel* field(int minimumWidth);

    StatusPaneTexts texts_;
    QLabel* link_ = nullptr;
    QLabel* mode_ = nullptr;
    QToolButton* down_ = nullptr;
    QLabel* speed_ = nullptr;
    QToolButton* up_ = nullptr;
    QLabel* controller_ = nullptr;
    QLabel* runState_ = nullptr;
    QLabel* alarm_ = nullptr;
};

}  // namespace vantrel
