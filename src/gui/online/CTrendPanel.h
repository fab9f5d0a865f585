#pragma once

#include <array>

#include <QWidget>

#include "online/TrendBuffer.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vantrel {

class CTrendPlot;

// The trend panel of the status monitor: the choice of axes and values, the
// time shown, a pause switch and the plot. It keeps the last 60 s of samples that the
// monitor's refresh hands it, also while hidden, so opening it shows the
// recent past at once. A pause freezes the plot (no samples are taken) so the
// cursor can read it; going on starts a new stretch after a gap.
class CTrendPanel : public QWidget {
    Q_OBJECT
public:
    explicit CTrendPanel(QWidget* parent = nullptr);

    void addSample(const TrendSample& sample);
    void setUnits(int axis, const QString& positionUnit, const QString& speedUnit);
    void setPaused(bool paused);
    bool paused() const;
    // Seconds shown: 5, 10, 30 or 60.
    void setViewSeconds(int seconds);

    const TrendBuffer& buffer() const { return buffer_; }
    CTrendPlot& plot() { return *plot_; }
    QCheckBox* axisBox(int axis) const { return axisBoxes_[static_cast<std::size_t>(axis)]; }
    QCheckBox* channelBox(TrendChannel channel) const { return channelBoxes_[static_cast<std::size_t>(channel)]; }

private:
    TrendBuffer buffer_;
    CTrendPlot* plot_ = nullptr;
    QPushButton* pause_ = nullptr;
    QComboBox* span_ = nullptr;
    std::array<QCheckBox*, kTrendAxes> axisBoxes_{};
    std::array<QCheckBox*, kTrendChannels> channelBoxes_{};
};

}  // namespace vantrel
