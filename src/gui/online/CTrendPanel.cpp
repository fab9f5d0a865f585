#include "online/CTrendPanel.h"

#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "online/CTrendPlot.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CTrendPanel::CTrendPanel(QWidget* parent) : QWidget(parent) {
    plot_ = new CTrendPlot(buffer_, this);
    auto* controls = new QHBoxLayout;
    for (int axis = 0; axis < kTrendAxes; ++axis) {
        auto* box = new QCheckBox(ui::coreText("軸" + std::to_string(axis + 1)), this);
        box->setChecked(plot_->axisShown(axis));
        connect(box, &QCheckBox::toggled, this, [this, axis](bool on) { plot_->setAxisShown(axis, on); });
        controls->addWidget(box);
        axisBoxes_[static_cast<std::size_t>(axis)] = box;
    }
    controls->addSpacing(16);
    const QString names[kTrendChannels] = {tr("指令位置"), tr("検出位置"), tr("指令速度"),
                                           tr("検出速度")};
    for (int c = 0; c < kTrendChannels; ++c) {
        const auto channel = static_cast<TrendChannel>(c);
        auto* box = new QCheckBox(names[c], this);
        box->setChecked(plot_->channelShown(channel));
        connect(box, &QCheckBox::toggled, this, [this, channel](bool on) { plot_->setChannelShown(channel, on); });
        controls->addWidget(box);
        channelBoxes_[static_cast<std::size_t>(c)] = box;
    }
    controls->addStretch(1);
    span_ = new QComboBox(this);
    for (int seconds : {5, 10, 30, 60}) span_->addItem(QStringLiteral("%1 s").arg(seconds), seconds * 1000);
    span_->setCurrentIndex(span_->count() - 1);
    connect(span_, &QComboBox::currentIndexChanged, this,
            [this](int index) { plot_->setViewSpan(span_->itemData(index).toLongLong()); });
    controls->addWidget(span_);
    pause_ = new QPushButton(tr("一時停止"), this);
    pause_->setCheckable(true);
    pause_->setAutoDefault(false);
    controls->addWidget(pause_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(plot_, 1);
}

void CTrendPanel::addSample(const TrendSample& sample) {
    if (paused()) return;
    buffer_.add(sample);
    plot_->setEndTime(buffer_.newest().timeMs);
}

void CTrendPanel::setUnits(int axis, const QString& positionUnit, const QString& speedUnit) {
    plot_->setUnits(axis, positionUnit, speedUnit);
}

void CTrendPanel::setPaused(bool paused) { pause_->setChecked(paused); }

void CTrendPanel::setViewSeconds(int seconds) {
    const int index = span_->findData(seconds * 1000);
    if (index >= 0) span_->setCurrentIndex(index);
}

bool CTrendPanel::paused() const { return pause_->isChecked(); }

}  // namespace vantrel
