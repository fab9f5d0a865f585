#pragma once

#include <QString>

namespace vantrel {

// The splash window: a small top-most window centred on the screen showing
// VANTREL.bmp (beside the program, else in the working folder; none shows an
// empty window). `showAndWait` returns after 2 s or at the first key press or
// mouse button press.
class CSplashWnd {
public:
    static constexpr int kShowMilliseconds = 2000;
    static QString picturePath();
    static void showAndWait();
};

}  // namespace vantrel
