#include "online/CTrendPlot.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace vantrel {
namespace {

constexpr int kLeftMargin = 78;
constexpr int kRightMargin = 12;
constexpr int kTopMargin = 24;     // the legend row
constexpr int kBottomMargin = 22;  // the time labels
constexpr int kPanelGap = 10;
// Samples further apart than this are not joined (a pause, a blocked window).
constexpr std::int64_t kGapMs = 500;

constexpr TrendChannel kPositionChannels[] = {TrendChannel::CommandPosition, TrendChannel::DetectedPosition};
constexpr TrendChannel kSpeedChannels[] = {TrendChannel::CommandSpeed, TrendChannel::DetectedSpeed};

const TrendChannel* channelsOf(bool speeds) { return speeds ? kSpeedChannels : kPositionChannels; }

QString channelName(TrendChannel channel) {
    switch (channel) {
    case TrendChannel::CommandPosition: return CTrendPlot::tr("指令位置");
    case TrendChannel::DetectedPosition: return CTrendPlot::tr("検出位置");
    case TrendChannel::CommandSpeed: return CTrendPlot::tr("指令速度");
    case TrendChannel::DetectedSpeed: return CTrendPlot::tr("検出速度");
    }
    return {};
}

bool isCommand(TrendChannel channel) {
    return channel == TrendChannel::CommandPosition || channel == TrendChannel::CommandSpeed;
}

// Decimals that tell ticks `step` apart.
int decimalsFor(double step) { return std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 4); }

// Whole units (steps, Hz) show no decimals; hundredths units show two.
int decimalsOfUnit(const QString& unit) {
    return unit == QLatin1String("step") || unit == QLatin1String("Hz") ? 0 : 2;
}

}  // namespace

CTrendPlot::CTrendPlot(const TrendBuffer& buffer, QWidget* parent)
    : QWidget(parent), buffer_(buffer), viewSpanMs_(buffer.spanMs()) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(220);
    for (int axis = 0; axis < kTrendAxes; ++axis) setUnits(axis, QStringLiteral("mm"), QStringLiteral("mm/s"));
}

QColor CTrendPlot::axisColour(int axis) {
    static const QColor colours[kTrendAxes] = {QColor(0x1F, 0x77, 0xB4), QColor(0xE0, 0x6C, 0x00),
                                               QColor(0x2C, 0xA0, 0x2C), QColor(0xD6, 0x27, 0x28)};
    return colours[std::clamp(axis, 0, kTrendAxes - 1)];
}

void CTrendPlot::setAxisShown(int axis, bool shown) {
    axisShown_[static_cast<std::size_t>(axis)] = shown;
    update();
}

void CTrendPlot::setChannelShown(TrendChannel channel, bool shown) {
    channelShown_[static_cast<std::size_t>(channel)] = shown;
    update();
}

void CTrendPlot::setUnits(int axis, const QString& positionUnit, const QString& speedUnit) {
    auto& position = positionUnits_[static_cast<std::size_t>(axis)];
    auto& speed = speedUnits_[static_cast<std::size_t>(axis)];
    if (position == positionUnit && speed == speedUnit) return;
    position = positionUnit;
    speed = speedUnit;
    update();
}

void CTrendPlot::setEndTime(std::int64_t ms) {
    if (ms == endTime_) return;
    endTime_ = ms;
    update();
}

void CTrendPlot::setViewSpan(std::int64_t ms) {
    ms = std::clamp<std::int64_t>(ms, 1000, buffer_.spanMs());
    if (ms == viewSpanMs_) return;
    viewSpanMs_ = ms;
    update();
}

std::int64_t CTrendPlot::timeTickMs() const {
    // About six labelled ticks: 1 s for 5 s, 2 s for 10 s, 5 s for 30 s, 10 s for 60 s.
    for (std::int64_t tick : {500, 1000, 2000, 5000, 10000, 20000, 30000, 60000})
        if (viewSpanMs_ / tick <= 6) return tick;
    return 60000;
}

void CTrendPlot::setCursorX(std::optional<int> x) {
    if (x == cursorX_) return;
    cursorX_ = x;
    update();
}

QRect CTrendPlot::plotArea() const {
    return rect().adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

std::vector<CTrendPlot::Panel> CTrendPlot::panels() const {
    const bool positions = channelShown(TrendChannel::CommandPosition) || channelShown(TrendChannel::DetectedPosition);
    const bool speeds = channelShown(TrendChannel::CommandSpeed) || channelShown(TrendChannel::DetectedSpeed);
    const QRect area = plotArea();
    std::vector<Panel> out;
    if (positions && speeds) {
        const int half = (area.height() - kPanelGap) / 2;
        out.push_back({false, QRect(area.left(), area.top(), area.width(), half)});
        out.push_back({true, QRect(area.left(), area.bottom() - half + 1, area.width(), half)});
    } else if (positions || speeds) {
        out.push_back({speeds, area});
    }
    for (Panel& p : out) scalePanel(p);
    return out;
}

void CTrendPlot::scalePanel(Panel& panel) const {
    std::optional<TrendBuffer::Range> all;
    for (int axis = 0; axis < kTrendAxes; ++axis) {
        if (!axisShown(axis)) continue;
        for (int c = 0; c < 2; ++c) {
            const TrendChannel channel = channelsOf(panel.speeds)[c];
            if (!channelShown(channel)) continue;
            const auto r = buffer_.range(axis, channel, viewStart(), endTime_);
            if (!r) continue;
            all = all ? TrendBuffer::Range{std::min(all->min, r->min), std::max(all->max, r->max)} : *r;
        }
    }
    panel.ticks = niceTicks(all ? all->min : 0, all ? all->max : 0, std::max(3, panel.area.height() / 28));
}

double CTrendPlot::xOf(std::int64_t t, const QRect& area) const {
    return area.left() + static_cast<double>(t - viewStart()) * (area.width() - 1) / static_cast<double>(viewSpanMs_);
}

std::optional<std::int64_t> CTrendPlot::timeAt(int x) const {
    const QRect area = plotArea();
    if (x < area.left() || x > area.right() || area.width() < 2) return std::nullopt;
    return viewStart() + static_cast<std::int64_t>(std::llround(static_cast<double>(x - area.left()) *
                                                                static_cast<double>(viewSpanMs_) / (area.width() - 1)));
}

void CTrendPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect area = plotArea();
    if (area.width() < 10 || area.height() < 10) return;
    painter.setFont(font());
    const auto shown = panels();
    for (const Panel& panel : shown) drawPanel(painter, panel);
    // Time labels under the lowest panel, counted back from the right edge.
    painter.setPen(palette().color(QPalette::WindowText));
    const std::int64_t tick = timeTickMs();
    for (std::int64_t back = 0; back <= viewSpanMs_; back += tick) {
        const double x = xOf(endTime_ - back, area);
        const QString label = back == 0 ? QStringLiteral("0 s")
                                         : QStringLiteral("-%1 s").arg(static_cast<double>(back) / 1000.0, 0, 'g', 3);
        painter.drawText(QRectF(x - 30, area.bottom() + 4, 60, kBottomMargin - 4), Qt::AlignHCenter | Qt::AlignTop, label);
    }
    drawLegend(painter);
    drawCursor(painter);
}

void CTrendPlot::drawPanel(QPainter& painter, const Panel& panel) const {
    const QRect& a = panel.area;
    painter.fillRect(a, Qt::white);
    const AxisTicks& ticks = panel.ticks;
    // A few pixels inside the frame, so a line on the extreme stays visible.
    constexpr int kInset = 4;
    const auto yOf = [&](double v) {
        return a.bottom() - kInset - (v - ticks.first) * (a.height() - 1 - 2 * kInset) / (ticks.last - ticks.first);
    };
    // Grid and value labels.
    const int decimals = decimalsFor(ticks.step);
    for (double v = ticks.first; v <= ticks.last + ticks.step * 0.5; v += ticks.step) {
        const double y = yOf(v);
        painter.setPen(QColor(0xE4, 0xE4, 0xE4));
        painter.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(0, y - 9, kLeftMargin - 6, 18), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(std::abs(v) < ticks.step * 1e-6 ? 0.0 : v, 'f', decimals));
    }
    painter.setPen(QColor(0xE4, 0xE4, 0xE4));
    for (std::int64_t back = timeTickMs(); back < viewSpanMs_; back += timeTickMs()) {
        const double x = xOf(endTime_ - back, a);
        painter.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
    }
    // Series.
    painter.save();
    painter.setClipRect(a);
    const std::size_t first = buffer_.lowerBound(viewStart());
    QPolygonF line;
    line.reserve(static_cast<int>(buffer_.size() - first));
    for (int axis = 0; axis < kTrendAxes; ++axis) {
        if (!axisShown(axis)) continue;
        for (int c = 0; c < 2; ++c) {
            const TrendChannel channel = channelsOf(panel.speeds)[c];
            if (!channelShown(channel)) continue;
            // Cosmetic one-pixel lines: a wider pen goes through the stroker and costs
            // four times as much per frame (bench/online).
            QPen pen(axisColour(axis), 1, isCommand(channel) ? Qt::SolidLine : Qt::DashLine);
            painter.setPen(pen);
            line.clear();
            std::int64_t previous = 0;
            for (std::size_t i = first; i < buffer_.size(); ++i) {
                const TrendSample& s = buffer_[i];
                if (s.timeMs > endTime_) break;
                if (!line.isEmpty() && s.timeMs - previous > kGapMs) {
                    painter.drawPolyline(line);
                    line.clear();
                }
                line.append(QPointF(xOf(s.timeMs, a), yOf(s.value(axis, channel))));
                previous = s.timeMs;
            }
            if (line.size() == 1) line.append(line.front() + QPointF(1, 0));
            painter.drawPolyline(line);
        }
    }
    painter.restore();
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.drawRect(a.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(a.adjusted(6, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     panel.speeds ? tr("速度") : tr("位置"));
}

void CTrendPlot::drawLegend(QPainter& painter) const {
    int x = kLeftMargin;
    const int y = kTopMargin / 2;
    const QFontMetrics fm = fontMetrics();
    painter.setPen(palette().color(QPalette::WindowText));
    for (int axis = 0; axis < kTrendAxes; ++axis) {
        if (!axisShown(axis)) continue;
        const auto i = static_cast<std::size_t>(axis);
        painter.fillRect(QRect(x, y - 4, 14, 8), axisColour(axis));
        x += 18;
        const QString text = tr("軸%1 [%2, %3]").arg(axis + 1).arg(positionUnits_[i], speedUnits_[i]);
        painter.drawText(QPoint(x, y + fm.ascent() / 2 - 1), text);
        x += fm.horizontalAdvance(text) + 16;
    }
    for (bool command : {true, false}) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), command ? 2 : 1, command ? Qt::SolidLine : Qt::DashLine));
        painter.drawLine(x, y, x + 22, y);
        x += 26;
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = command ? tr("指令") : tr("検出");
        painter.drawText(QPoint(x, y + fm.ascent() / 2 - 1), text);
        x += fm.horizontalAdvance(text) + 14;
    }
}

QStringList CTrendPlot::cursorTexts() const {
    if (!cursorX_) return {};
    const auto t = timeAt(*cursorX_);
    if (!t) return {};
    const auto index = buffer_.nearest(*t, 250);
    if (!index || buffer_[*index].timeMs < viewStart() || buffer_[*index].timeMs > endTime_) return {};
    const TrendSample& s = buffer_[*index];
    QStringList lines{QStringLiteral("%1 s").arg(static_cast<double>(s.timeMs - endTime_) / 1000.0, 0, 'f', 2)};
    for (int axis = 0; axis < kTrendAxes; ++axis) {
        if (!axisShown(axis)) continue;
        for (int c = 0; c < kTrendChannels; ++c) {
            const auto channel = static_cast<TrendChannel>(c);
            if (!channelShown(channel)) continue;
            const bool speed = channel == TrendChannel::CommandSpeed || channel == TrendChannel::DetectedSpeed;
            const QString& unit = speed ? speedUnits_[static_cast<std::size_t>(axis)] : positionUnits_[static_cast<std::size_t>(axis)];
            lines << tr("軸%1 %2 %3 %4")
                         .arg(axis + 1)
                         .arg(channelName(channel))
                         .arg(s.value(axis, channel), 0, 'f', decimalsOfUnit(unit))
                         .arg(unit);
        }
    }
    return lines;
}

void CTrendPlot::drawCursor(QPainter& painter) const {
    const QStringList lines = cursorTexts();
    if (lines.isEmpty()) return;
    const QRect area = plotArea();
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1, Qt::DotLine));
    painter.drawLine(*cursorX_, area.top(), *cursorX_, area.bottom());
    const QFontMetrics fm = fontMetrics();
    int width = 0;
    for (const QString& l : lines) width = std::max(width, fm.horizontalAdvance(l));
    QRect box(0, area.top() + 6, width + 12, static_cast<int>(lines.size()) * fm.height() + 8);
    box.moveLeft(*cursorX_ + 10 + box.width() <= area.right() ? *cursorX_ + 10 : *cursorX_ - 10 - box.width());
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.setBrush(QColor(255, 255, 240, 235));
    painter.drawRect(box);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPoint(box.left() + 6, box.top() + 4 + fm.ascent() + i * fm.height()), lines[i]);
}

void CTrendPlot::mouseMoveEvent(QMouseEvent* event) { setCursorX(static_cast<int>(event->position().x())); }

void CTrendPlot::leaveEvent(QEvent*) { setCursorX(std::nullopt); }

}  // namespace vantrel
