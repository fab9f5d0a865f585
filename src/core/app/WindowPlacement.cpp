#include "app/WindowPlacement.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace vantrel {

namespace {

// Each window opened from the main window sits this far right of and below
// the one before, so every title bar stays in sight.
constexpr int kCascadeStep = 24;
// The strip at the top of a frame that the user takes to move the window,
// and how much of it must lie on a screen for a remembered place to count.
constexpr int kTitleStripHeight = 24;
constexpr int kGripWidth = 48;
constexpr int kGripHeight = 12;

struct Size {
    int width;
    int height;
};

ScreenRect at(ScreenPoint p, Size size) { return {p.x, p.y, size.width, size.height}; }

ScreenRect intersection(const ScreenRect& a, const ScreenRect& b) {
    const int x = std::max(a.x, b.x);
    const int y = std::max(a.y, b.y);
    return {x, y, std::min(a.right(), b.right()) - x, std::min(a.bottom(), b.bottom()) - y};
}

long long area(const ScreenRect& r) { return r.empty() ? 0 : static_cast<long long>(r.width) * r.height; }

long long distance(ScreenPoint a, ScreenPoint b) {
    const long long dx = a.x - b.x;
    const long long dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Moves p as little as possible so that the window lies on the screen (its
// top-left corner on the screen when it is larger).
ScreenPoint clampInto(ScreenPoint p, Size size, const ScreenRect& screen) {
    return {std::max(screen.x, std::min(p.x, screen.right() - size.width)),
            std::max(screen.y, std::min(p.y, screen.bottom() - size.height))};
}

// The start itself, and the start pushed just past each side of the area,
// all on the screen. The nearest place that covers nothing of the area is
// always one of them: either the start on the screen is already clear, or
// the window has to leave the area over one of its four sides.
std::array<ScreenPoint, 5> candidates(ScreenPoint start, Size size, const ScreenRect& screen, const ScreenRect& keep) {
    return {clampInto(start, size, screen), clampInto({keep.x - size.width, start.y}, size, screen),
            clampInto({keep.right(), start.y}, size, screen), clampInto({start.x, keep.y - size.height}, size, screen),
            clampInto({start.x, keep.bottom()}, size, screen)};
}

std::optional<ScreenPoint> nearestClearOf(ScreenPoint start, Size size, const ScreenRect& screen,
                                          const ScreenRect& keep) {
    if (size.width > screen.width || size.height > screen.height) return std::nullopt;
    std::optional<ScreenPoint> best;
    for (const ScreenPoint p : candidates(start, size, screen, keep)) {
        if (at(p, size).intersects(keep)) continue;
        if (!best || distance(p, start) < distance(*best, start)) best = p;
    }
    return best;
}

// Where the window goes from its start when there is nothing to keep clear
// or no place keeps even the last area clear: on the screen, covering as
// little of that area as it can, as near the start as that allows.
ScreenPoint leastCovering(ScreenPoint start, Size size, const WindowPlacementInput& input) {
    if (input.keepClear.empty()) return clampInto(start, size, input.screen);
    const ScreenRect& keep = input.keepClear.back();
    ScreenPoint best = clampInto(start, size, input.screen);
    long long bestCover = std::numeric_limits<long long>::max();
    for (const ScreenPoint p : candidates(start, size, input.screen, keep)) {
        const long long cover = area(intersection(at(p, size), keep));
        if (cover < bestCover || (cover == bestCover && distance(p, start) < distance(best, start))) {
            best = p;
            bestCover = cover;
        }
    }
    return best;
}

ScreenPoint placeFrom(ScreenPoint start, Size size, const WindowPlacementInput& input) {
    for (const ScreenRect& keep : input.keepClear)
        if (const auto p = nearestClearOf(start, size, input.screen, keep)) return *p;
    return leastCovering(start, size, input);
}

// The screen on which the user can still take the frame's title bar, if any.
const ScreenRect* screenWithTitleBar(const ScreenRect& frame, const std::vector<ScreenRect>& screens) {
    const ScreenRect strip{frame.x, frame.y, frame.width, kTitleStripHeight};
    const int gripWidth = std::min(kGripWidth, frame.width);
    const auto found = std::find_if(screens.begin(), screens.end(), [&](const ScreenRect& screen) {
        const ScreenRect on = intersection(strip, screen);
        return on.width >= gripWidth && on.height >= kGripHeight;
    });
    return found == screens.end() ? nullptr : &*found;
}

// The cascade from the main window: the first step whose place no open
// window already has.
ScreenPoint cascade(Size size, const WindowPlacementInput& input) {
    ScreenPoint p{};
    for (std::size_t k = 0; k <= input.placed.size(); ++k) {
        const int offset = static_cast<int>(k + 1) * kCascadeStep;
        p = placeFrom({input.mainFrame.x + offset, input.mainFrame.y + offset}, size, input);
        const bool taken = std::any_of(input.placed.begin(), input.placed.end(), [p](const ScreenRect& other) {
            return std::abs(other.x - p.x) < kCascadeStep / 2 && std::abs(other.y - p.y) < kCascadeStep / 2;
        });
        if (!taken) break;
    }
    return p;
}

}  // namespace

bool ScreenRect::intersects(const ScreenRect& other) const {
    return !empty() && !other.empty() && x < other.right() && other.x < right() && y < other.bottom() &&
           other.y < bottom();
}

WindowPlacement placeWindow(const WindowPlacementInput& input) {
    const Size size{std::min(input.width, input.screen.width), std::min(input.height, input.screen.height)};
    ScreenPoint p{};
    const ScreenRect* rememberedScreen =
        input.remembered ? screenWithTitleBar(at(*input.remembered, size), input.screens) : nullptr;
    if (rememberedScreen)
        p = clampInto(*input.remembered, size, *rememberedScreen);  // all of it on that screen again
    else if (input.preferred)
        p = placeFrom(*input.preferred, size, input);
    else
        p = cascade(size, input);
    WindowPlacement placement;
    placement.frame = at(p, size);
    while (placement.firstClear < input.keepClear.size() &&
           placement.frame.intersects(input.keepClear[placement.firstClear]))
        ++placement.firstClear;
    const ScreenRect whole{p.x, p.y, input.width, input.height};
    const auto holds = [&whole](const ScreenRect& screen) { return intersection(whole, screen) == whole; };
    placement.fitsScreen = holds(input.screen) || std::any_of(input.screens.begin(), input.screens.end(), holds);
    return placement;
}

}  // namespace vantrel
