#include "online/CLamp.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vantrel {

CLamp::CLamp(const QString& label, Kind kind, QWidget* parent) : QAbstractButton(parent), kind_(kind) {
    setText(label);
    label_.setText(label);
    label_.setTextFormat(Qt::PlainText);
    label_.setPerformanceHint(QStaticText::AggressiveCaching);
    // Neither Space nor Enter reach a lamp: only a click flips a toggle.
    setFocusPolicy(Qt::NoFocus);
    if (kind_ == Kind::Indicator) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // It fills every pixel: a repaint need not paint what lies beneath.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

bool CLamp::setLit(bool on) {
    if (on == lit_) return false;
    lit_ = on;
    update();
    return true;
}

QSize CLamp::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    const int textWidth = fm.horizontalAdvance(text());
    if (kind_ == Kind::Indicator) return {textWidth + 12, fm.height() + 6};
    return {textWidth + fm.height() + 22, fm.height() + 12};
}

void CLamp::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QColor fill = lit_ ? litColour() : QColor(Qt::white);
    if (kind_ == Kind::Indicator) {
        const QRect box = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(box, fill);
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        const QSizeF size = label_.size();
        painter.drawStaticText(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), label_);
        return;
    }
    // A push button with the lamp at its left end.
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const int side = fontMetrics().height() - 2;
    const QRect lamp(6, (height() - side) / 2, side, side);
    painter.fillRect(lamp, fill);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(lamp);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawStaticText(QPointF(lamp.right() + 6, (height() - label_.size().height()) / 2), label_);
}

}  // namespace vantrel
