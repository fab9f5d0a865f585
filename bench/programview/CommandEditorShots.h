#pragma once

// Pictures of the flow-control, I/O, timer, counter and calculation command
// editors, opened through the palette of a program view and filled as a user
// fills them.

#include <functional>

#include <QString>

class QWidget;

namespace vantrel {
class CProgramView;
}

namespace vantrel::bench {

using SaveShot = std::function<void(QWidget& widget, const QString& name)>;

// Opens each editor on the view's current program (program 1 of
// demoPrograms()), saves it and cancels it; nothing is stored.
void saveCommandEditorShots(CProgramView& view, const SaveShot& save);

}  // namespace vantrel::bench
