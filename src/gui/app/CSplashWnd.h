#pragma once

#include <QPixmap>
#include <QString>

namespace vantrel {

// The splash window: a small top-most window centred on the screen showing
// VANTREL.bmp (beside the program, else in the working folder; none shows an
// empty window). It closes after 2 s or at the first key press or mouse
// button press; `showAndWait` returns 3 s after it appeared, when the main
// window is due.
class CSplashWnd {
public:
    static constexpr int kShowMilliseconds = 2000;
    static constexpr int kMainWindowDelayMilliseconds = 3000;
    static QString picturePath();
    // What the splash shows: the picture, or an empty white area without one.
    static QPixmap picture();
    static void showAndWait();
};

}  // namespace vantrel
