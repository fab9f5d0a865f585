#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

namespace vantrel::ui {

// A window's picture with a plain title bar holding its title: pictures are
// taken without a window manager, which would draw the frame, and the title
// must still be seen to be checked.
QPixmap titledPicture(QWidget& widget);

// Saves titledPicture(widget) as `path`; false when the file could not be written.
bool saveTitledPicture(QWidget& widget, const QString& path);

}  // namespace vantrel::ui
