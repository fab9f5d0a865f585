#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QStringList>
#include <QWidget>

#include "online/TrendBuffer.h"

namespace vantrel {

// The trend plot of the status monitor: positions (upper panel) and speeds
// (lower panel) of the chosen axes over the last seconds of a TrendBuffer, each
// panel scaled to what it shows. Command values are drawn solid, detected
// values dashed, one colour per axis. Under the mouse a cursor line shows the
// time and every drawn value at that moment.
//
// Drawn with QPainter straight from the buffer: one polyline per series and
// nothing kept between frames, so a 25 Hz refresh costs one paint of the
// samples in view (see bench/online).
class CTrendPlot : public QWidget {
    Q_OBJECT
public:
    explicit CTrendPlot(const TrendBuffer& buffer, QWidget* parent = nullptr);

    void setAxisShown(int axis, bool shown);
    void setChannelShown(TrendChannel channel, bool shown);
    bool axisShown(int axis) const { return axisShown_[static_cast<std::size_t>(axis)]; }
    bool channelShown(TrendChannel channel) const { return channelShown_[static_cast<std::size_t>(channel)]; }
    void setUnits(int axis, const QString& positionUnit, const QString& speedUnit);
    // The right edge of the view: the newest sample, or the moment of a pause.
    void setEndTime(std::int64_t ms);
    std::int64_t endTime() const { return endTime_; }
    // How much of the kept span the plot shows (at most the buffer's span):
    // a short view shows an acceleration ramp of a fraction of a second.
    void setViewSpan(std::int64_t ms);
    std::int64_t viewSpan() const { return viewSpanMs_; }

    // The cursor at x (widget coordinates), as the mouse sets it; nothing hides it.
    void setCursorX(std::optional<int> x);
    // Texts of the cursor box: the time, then one line per drawn value.
    QStringList cursorTexts() const;

    static QColor axisColour(int axis);
    QSize sizeHint() const override { return {900, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Panel {
        bool speeds;
        QRect area;
        AxisTicks ticks{0, 1, 1};  // the value scale: ticks.first at the bottom, ticks.last at the top
    };
    std::vector<Panel> panels() const;
    void scalePanel(Panel& panel) const;
    void drawPanel(QPainter& painter, const Panel& panel) const;
    void drawLegend(QPainter& painter) const;
    void drawCursor(QPainter& painter) const;
    std::int64_t viewStart() const { return endTime_ - viewSpanMs_; }
    std::int64_t timeTickMs() const;
    double xOf(std::int64_t t, const QRect& area) const;
    std::optional<std::int64_t> timeAt(int x) const;
    QRect plotArea() const;

    const TrendBuffer& buffer_;
    std::array<bool, kTrendAxes> axisShown_{true, false, false, false};
    std::array<bool, kTrendChannels> channelShown_{true, true, true, true};
    std::array<QString, kTrendAxes> positionUnits_;
    std::array<QString, kTrendAxes> speedUnits_;
    std::int64_t endTime_ = 0;
    std::int64_t viewSpanMs_;
    std::optional<int> cursorX_;
};

}  // namespace vantrel
