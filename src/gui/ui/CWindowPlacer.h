#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "app/WindowPlacement.h"
#include "platform/UserProfile.h"

class QWidget;

namespace vantrel {

// Opens one of the program's own windows where the user can see it and keeps
// where the user leaves it (in the user profile, under the window's class name).
//
// On the window's first show it takes its remembered place and size while its
// title bar is still on a screen; otherwise the place the placement rule
// gives: the window's own place, or the cascade from the main window, beside
// the main window when the screen has room, else never over an area that a
// shown view keeps clear (the step table) when it has room for that. A window
// that can take several shapes (axis panels in one row or in two) takes the
// shape that fits the screen and keeps the most clear, at that shape's size.
//
// A window with a parent is made a window of the application rather than of
// its parent's window: window managers that minimise a window together with
// the window it belongs to (openbox) would otherwise hide the main window and
// every other window with it, and nothing would be left to bring them back.
class CWindowPlacer : public QObject {
    Q_OBJECT
public:
    // The window's own place on a screen (`screen` is its whole area) for a
    // frame of that size.
    using PreferredPlace = std::function<QPoint(const QRect& screen, const QSize& frame)>;
    // Gives the window shape `index`; shape 0 is the widest.
    using Arrange = std::function<void(int index)>;
    // Rectangles in desktop coordinates, the widest first.
    using Areas = std::function<std::vector<QRect>()>;

    explicit CWindowPlacer(QWidget* window, PreferredPlace preferred = {});
    ~CWindowPlacer() override;

    // The size it first opens with (else the size its layout asks for).
    void setDefaultSize(const QSize& size);
    void setShapes(int count, Arrange arrange);

    // While `owner` is shown, windows that open do not cover its areas.
    static void keepWindowsClearOf(QWidget* owner, Areas areas);
    // Shows the window in front of the others, also when it was minimised.
    static void showInFront(QWidget* window);
    // Moves a window that has grown past the edge of its screen back onto it.
    static void keepOnScreen(QWidget* window);
    // The frame of a dialog or tool window that opens beside the main window:
    // a title and a close button, nothing to minimise or maximise it with.
    static Qt::WindowFlags frameFlags(Qt::WindowType type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    // Keeps the window's place and size (whenever it is hidden, also as it
    // closes with the application).
    void remember() const;
    WindowPlacementInput input(const QSize& frame) const;
    // Where the window would open now with that size inside its frame.
    WindowPlacement placementFor(const QSize& size) const;
    QSize shapeSize(const std::optional<UserProfile::WindowFrame>& remembered) const;

    QWidget* window_;
    PreferredPlace preferred_;
    QSize defaultSize_;
    int shapeCount_ = 1;
    Arrange arrange_;
    std::string key_;  // set when the window is first shown
    bool keepSize_ = false;
};

}  // namespace vantrel
