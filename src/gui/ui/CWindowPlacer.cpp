#include "ui/CWindowPlacer.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vantrel {

namespace {

struct KeepClear {
    QPointer<QWidget> owner;
    CWindowPlacer::Areas areas;
};

std::vector<KeepClear>& keepClearAreas() {
    static std::vector<KeepClear> areas;
    return areas;
}

std::vector<CWindowPlacer*>& placers() {
    static std::vector<CWindowPlacer*> all;
    return all;
}

ScreenRect toScreenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// The window everything else belongs to: the main window.
QWidget* mainWindowOf(QWidget* widget) {
    while (widget->parentWidget()) widget = widget->parentWidget();
    return widget;
}

QScreen* screenOf(QWidget* window) {
    if (QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center())) return screen;
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// What the window manager adds around a window: known once a window is on
// the screen, so a window about to open is taken to get what the main window got.
QMargins frameMargins(QWidget* window) {
    QWidget* shown = mainWindowOf(window);
    const QRect frame = shown->frameGeometry();
    const QRect inside = shown->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

// The name a window is kept under: its class name without the namespace.
std::string className(const QWidget& window) {
    const std::string name = window.metaObject()->className();
    const auto colon = name.rfind(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

QSize grown(const QSize& size, const QMargins& margins) {
    return {size.width() + margins.left() + margins.right(), size.height() + margins.top() + margins.bottom()};
}

}  // namespace

CWindowPlacer::CWindowPlacer(QWidget* window, PreferredPlace preferred)
    : QObject(window), window_(window), preferred_(std::move(preferred)) {
    placers().push_back(this);
    window_->installEventFilter(this);
}

CWindowPlacer::~CWindowPlacer() {
    auto& all = placers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CWindowPlacer::setDefaultSize(const QSize& size) { defaultSize_ = size; }

void CWindowPlacer::setShapes(int count, Arrange arrange) {
    shapeCount_ = std::max(1, count);
    arrange_ = std::move(arrange);
}

void CWindowPlacer::keepWindowsClearOf(QWidget* owner, Areas areas) {
    auto& all = keepClearAreas();
    all.erase(std::remove_if(all.begin(), all.end(), [](const KeepClear& k) { return k.owner.isNull(); }), all.end());
    all.push_back({owner, std::move(areas)});
}

Qt::WindowFlags CWindowPlacer::frameFlags(Qt::WindowType type) {
    return type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

void CWindowPlacer::showInFront(QWidget* window) {
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
}

void CWindowPlacer::keepOnScreen(QWidget* window) {
    const QRect area = screenOf(window)->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.left() + area.width() - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.top() + area.height() - frame.height()));
    if (x != frame.left() || y != frame.top()) window->move(x, y);
}

bool CWindowPlacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::Show && key_.empty() && !event->spontaneous()) {
            key_ = className(*window_);
            // A size the code gave the window before showing it is kept.
            keepSize_ = window_->testAttribute(Qt::WA_Resized);
            QWindow* handle = window_->windowHandle();
            if (window_->parentWidget() && handle) {
                handle->setTransientParent(nullptr);
                // It still closes with the main window, and keeps nothing running without it.
                window_->setAttribute(Qt::WA_QuitOnClose, false);
            }
            place();
        } else if (event->type() == QEvent::Hide) {
            remember();
        }
    }
    return QObject::eventFilter(watched, event);
}

void CWindowPlacer::remember() const {
    // Nothing before the window was placed; a maximised or full-screen window
    // keeps the place it had before.
    if (key_.empty() || window_->isMaximized() || window_->isFullScreen() || window_->isMinimized()) return;
    const QPoint at = window_->pos();
    UserProfile().setWindowFrame(key_, {at.x(), at.y(), window_->width(), window_->height()});
}

WindowPlacementInput CWindowPlacer::input(const QSize& frame) const {
    QWidget* main = mainWindowOf(window_);
    QScreen* screen = screenOf(main);
    WindowPlacementInput in;
    in.screen = toScreenRect(screen->availableGeometry());
    for (const QScreen* each : QGuiApplication::screens())
        in.screens.push_back(toScreenRect(each->availableGeometry()));
    in.mainFrame = toScreenRect(main->frameGeometry());
    if (main != window_) in.keepClear.push_back(in.mainFrame);
    for (const KeepClear& keep : keepClearAreas())
        if (keep.owner && keep.owner->isVisible() && mainWindowOf(keep.owner) == main)
            for (const QRect& area : keep.areas()) in.keepClear.push_back(toScreenRect(area));
    for (const CWindowPlacer* other : placers())
        if (other != this && other->window_ != main && other->window_->isVisible() && !other->window_->isMinimized())
            in.placed.push_back(toScreenRect(other->window_->frameGeometry()));
    in.width = frame.width();
    in.height = frame.height();
    if (preferred_) {
        const QPoint p = preferred_(screen->geometry(), frame);
        in.preferred = ScreenPoint{p.x(), p.y()};
    }
    if (const auto remembered = UserProfile().windowFrame(key_))
        in.remembered = ScreenPoint{remembered->x, remembered->y};
    return in;
}

WindowPlacement CWindowPlacer::placementFor(const QSize& size) const {
    return placeWindow(input(grown(size, frameMargins(window_))));
}

QSize CWindowPlacer::shapeSize(const std::optional<UserProfile::WindowFrame>& remembered) const {
    // The window's smallest and largest sizes follow its shape now.
    if (QLayout* layout = window_->layout()) {
        layout->invalidate();
        layout->activate();
    }
    QSize size = window_->sizeHint();
    if (keepSize_)
        size = window_->size();
    else if (remembered && shapeCount_ == 1)  // a window of several shapes takes the size of its shape
        size = QSize(remembered->width, remembered->height).expandedTo(window_->minimumSizeHint());
    else if (defaultSize_.isValid())
        size = defaultSize_;
    return size.boundedTo(window_->maximumSize()).expandedTo(window_->minimumSize());
}

void CWindowPlacer::place() {
    const auto remembered = UserProfile().windowFrame(key_);
    // The shape that fits the screen and keeps the most clear; the wider one
    // of two that do as well.
    int chosen = 0;
    std::pair<bool, std::size_t> best{true, 0};
    for (int shape = 0; shape < shapeCount_; ++shape) {
        if (arrange_) arrange_(shape);
        const WindowPlacement placement = placementFor(shapeSize(remembered));
        const std::pair<bool, std::size_t> score{!placement.fitsScreen, placement.firstClear};
        if (shape == 0 || score < best) {
            best = score;
            chosen = shape;
        }
    }
    if (arrange_) arrange_(chosen);

    const QSize size = shapeSize(remembered);
    const QMargins margins = frameMargins(window_);
    const ScreenRect frame = placementFor(size).frame;
    window_->resize(frame.width - margins.left() - margins.right(), frame.height - margins.top() - margins.bottom());
    window_->move(frame.x, frame.y);
    // The window manager is asked for the frame's place, also where Qt sees no
    // move (a new window already stands at 0, 0 for Qt) and would let the
    // window manager choose; the window's size goes with it, or Qt would send
    // its own geometry afterwards.
    if (QWindow* handle = window_->windowHandle()) {
        handle->resize(window_->size());
        handle->setFramePosition(QPoint(frame.x, frame.y));
    }
}

}  // namespace vantrel
