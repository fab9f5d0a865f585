#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace vantrel {

// A rectangle of the desktop in pixels: x grows to the right, y downwards;
// right() and bottom() are one past the last pixel.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool intersects(const ScreenRect& other) const;
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// What decides where one of our windows opens. Every rectangle is a window
// frame (title bar and borders included) or an area of the desktop.
struct WindowPlacementInput {
    ScreenRect screen;                // available area of the main window's screen
    std::vector<ScreenRect> screens;  // available areas of every screen now
    ScreenRect mainFrame;
    // Areas the window should not cover, the widest first (the main window,
    // the step table, its command and operand columns): the first one that
    // some place on the screen keeps clear of decides the place.
    std::vector<ScreenRect> keepClear;
    std::vector<ScreenRect> placed;  // our windows already open
    int width = 0;                   // frame size of the new window
    int height = 0;
    // The window's own place (the palette has one); without it the window
    // opens cascaded from the main window.
    std::optional<ScreenPoint> preferred;
    // Where it was when it last closed: used again while its title bar can
    // still be reached on one of the screens, moved onto that screen as far
    // as it must.
    std::optional<ScreenPoint> remembered;
};

struct WindowPlacement {
    ScreenRect frame;            // the size is cut to the screen when larger
    std::size_t firstClear = 0;  // the widest area it covers nothing of (keepClear.size(): none)
    bool fitsScreen = true;      // the whole window, at its size, lies on one screen
};

// The preferred place (or the cascade from the main window) when it lies on
// the screen and covers nothing of the areas to keep clear; otherwise the
// nearest place that does; when no place keeps even the last area clear, the
// place that covers least of it.
WindowPlacement placeWindow(const WindowPlacementInput& input);

}  // namespace vantrel
