#include "ui/TitledPicture.h"

#include <QPainter>
#include <QWidget>

namespace vantrel::ui {

QPixmap titledPicture(QWidget& widget) {
    const QPixmap content = widget.grab();
    const int titleHeight = widget.fontMetrics().height() + 10;
    QPixmap picture(content.width(), content.height() + titleHeight);
    picture.fill(QColor(0x3C, 0x3C, 0x46));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(widget.font());
    painter.drawText(QRect(8, 0, content.width() - 16, titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     widget.window()->windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    painter.end();
    return picture;
}

bool saveTitledPicture(QWidget& widget, const QString& path) { return titledPicture(widget).save(path); }

}  // namespace vantrel::ui
