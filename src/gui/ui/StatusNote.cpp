#include "ui/StatusNote.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

namespace vantrel::ui {
namespace {

struct Note {
    QPointer<QLabel> label;
    QPointer<QTimer> timer;
    QString last;
};

Note& note() {
    static Note n;
    return n;
}

}  // namespace

void installStatusNote(QStatusBar* bar) {
    Note& n = note();
    delete n.label;
    n.label = nullptr;
    n.timer = nullptr;
    if (!bar) return;
    n.label = new QLabel(bar);
    n.label->hide();
    bar->addPermanentWidget(n.label);
    n.timer = new QTimer(n.label);
    n.timer->setSingleShot(true);
    QObject::connect(n.timer, &QTimer::timeout, n.label, [label = n.label] { label->hide(); });
}

void showStatusNote(const QString& text, int milliseconds) {
    Note& n = note();
    n.last = text;
    if (!n.label) return;
    n.label->setText(text);
    n.label->show();
    if (milliseconds > 0)
        n.timer->start(milliseconds);
    else
        n.timer->stop();
}

QString lastStatusNote() { return note().last; }

}  // namespace vantrel::ui
