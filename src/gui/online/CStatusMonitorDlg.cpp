#include "online/CStatusMonitorDlg.h"

#include <string>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/SpeedLevel.h"
#include "online/CLampGroup.h"
#include "online/CTrendPanel.h"
#include "online/MonitorFields.h"
#include "online/MonitorWindows.h"
#include "online/OnlineRequests.h"
#include "online/OutputRequests.h"
#include "online/StatusLamps.h"
#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"

namespace vantrel {
CStatusMonitorDlg::CStatusMonitorDlg(AppState& state, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::PulseStatusMonitor).title), parent) {
    std::vector<QWidget*> panels;
    for (int axis = 0; axis < 4; ++axis) panels.push_back(makeAxisGroup(axis));

    auto* reset = new QPushButton(QStringLiteral("RESET"), this);
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CStatusMonitorDlg::pressReset);
    auto* down = new QPushButton(QStringLiteral("↓"), this);
    auto* up = new QPushButton(QStringLiteral("↑"), this);
    for (QPushButton* b : {down, up}) {
        b->setAutoDefault(false);
        b->setFixedWidth(32);
    }
    connect(down, &QPushButton::clicked, this, &CStatusMonitorDlg::pressSpeedDown);
    connect(up, &QPushButton::clicked, this, &CStatusMonitorDlg::pressSpeedUp);
    speed_ = newValueField(this, 64);
    speed_->setAlignment(Qt::AlignCenter);
    trendButton_ = new QPushButton(tr("トレンド"), this);
    trendButton_->setCheckable(true);
    trendButton_->setAutoDefault(false);
    connect(trendButton_, &QPushButton::toggled, this, &CStatusMonitorDlg::setTrendShown);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addSpacing(24);
    buttons->addWidget(down);
    buttons->addWidget(speed_);
    buttons->addWidget(up);
    buttons->addSpacing(24);
    buttons->addWidget(trendButton_);
    buttons->addStretch(1);
    buttons->addWidget(makeCloseButton());

    trend_ = new CTrendPanel(this);
    trend_->hide();

    auto* layout = new QVBoxLayout(this);
    const PanelRows axes = newPanelRows(panels);
    placer().setShapes(2, axes.arrange);
    layout->addLayout(axes.grid);
    layout->addLayout(buttons);
    layout->addWidget(trend_, 1);

    imageLevel_ = speedOverrideLevel(state.image);
    showSpeedLevel(imageLevel_);
    clock_.start();
    startRefresh(kRefreshMs);
}

QWidget* CStatusMonitorDlg::makeAxisGroup(int axis) {
    AxisWidgets& w = axes_[static_cast<std::size_t>(axis)];
    auto* group = new QGroupBox(ui::coreText("軸" + std::to_string(axis + 1)), this);
    const ValueRows rows = newValueRows(group, 84, 34);
    w.values = rows.values;
    w.units = rows.units;
    w.alarm = rows.alarm;
    w.alarm->setText(QString());

    // Driver inputs, driver outputs and sensors side by side, one lamp a row.
    LampGroup inputs = driverInputLamps(axis);
    LampGroup outputs = driverOutputLamps(axis);
    LampGroup sensors = vantrel::sensorLamps(axis);
    inputs.title = outputs.title = sensors.title = {};
    w.inputs = new CLampGroup(inputs, false, 1, group);
    w.outputs = new CLampGroup(outputs, false, 1, group);
    w.sensors = new CLampGroup(sensors, false, 1, group);
    auto* lamps = new QHBoxLayout;
    for (CLampGroup* g : {w.inputs, w.outputs, w.sensors}) lamps->addWidget(g, 0, Qt::AlignTop);

    auto* alarmReset = new QPushButton(tr("アラームリセット"), group);
    alarmReset->setAutoDefault(false);
    connect(alarmReset, &QPushButton::clicked, this, [this, axis] { pressAlarmReset(axis); });

    auto* column = new QVBoxLayout(group);
    column->addLayout(rows.grid);
    column->addLayout(lamps);
    column->addWidget(alarmReset);
    column->addStretch(1);
    return group;
}

void CStatusMonitorDlg::refresh() {
    const StatusSnapshot s = takeSnapshot(state().status);
    const SettingsImage& image = state().image;
    TrendSample sample;
    sample.timeMs = clock_.elapsed();
    for (int axis = 0; axis < 4; ++axis) {
        const auto i = static_cast<std::size_t>(axis);
        const AxisValues& v = s.axes[i];
        const AxisStatusText t =
            axisStatusText(image, axis, v.commandPosition, v.detectedPosition, v.commandSpeed, v.detectedSpeed, zero_[i]);
        AxisWidgets& w = axes_[i];
        showText(w.values[0], t.commandPosition);
        showText(w.values[1], t.detectedPosition);
        // Speeds of a deg axis are not refreshed: their fields keep what they show.
        if (!t.commandSpeed.empty()) showText(w.values[2], t.commandSpeed);
        if (!t.detectedSpeed.empty()) showText(w.values[3], t.detectedSpeed);
        for (std::size_t row = 0; row < 4; ++row) showText(w.units[row], row < 2 ? t.positionUnit : t.speedUnit);
        showText(w.alarm, axisAlarmText(s.driverInputs[i]));

        const AxisUnitValues u =
            axisUnitValues(image, axis, v.commandPosition, v.detectedPosition, v.commandSpeed, v.detectedSpeed, zero_[i]);
        sample.setValue(axis, TrendChannel::CommandPosition, u.commandPosition);
        sample.setValue(axis, TrendChannel::DetectedPosition, u.detectedPosition);
        sample.setValue(axis, TrendChannel::CommandSpeed, u.commandSpeed);
        sample.setValue(axis, TrendChannel::DetectedSpeed, u.detectedSpeed);
        trend_->setUnits(axis, QString::fromStdString(t.positionUnit), QString::fromStdString(t.speedUnit));
    }
    trend_->addSample(sample);
    lastRepaints_ = refreshLamps(s);

    // The level in the image changes with the read-back of an accepted write
    // (or the main window's buttons): show it from then on.
    const std::uint8_t level = speedOverrideLevel(image);
    if (level != imageLevel_) {
        imageLevel_ = level;
        showSpeedLevel(level);
    }
}

int CStatusMonitorDlg::refreshLamps(const StatusSnapshot& snapshot) {
    int changed = 0;
    for (AxisWidgets& w : axes_)
        changed += w.inputs->refresh(snapshot) + w.outputs->refresh(snapshot) + w.sensors->refresh(snapshot);
    return changed;
}

void CStatusMonitorDlg::pressAlarmReset(int axis) {
    toggleOutput(state().link, state().status, BitRef{StatusWord::DriverOutputs, static_cast<std::uint8_t>(axis), kDriverAlarmResetBit});
    refreshLamps(takeSnapshot(state().status));
}

void CStatusMonitorDlg::pressReset() {
    const StatusSnapshot s = takeSnapshot(state().status);
    for (int axis = 0; axis < 4; ++axis) {
        const AxisValues& v = s.axes[static_cast<std::size_t>(axis)];
        zero_[static_cast<std::size_t>(axis)] = captureZeroReference(state().image, axis, v.commandPosition, v.detectedPosition);
    }
    refresh();
}

void CStatusMonitorDlg::stepSpeed(bool up) {
    if (const auto next = queueSpeedLevelStep(state().queues, shownLevel_, up)) showSpeedLevel(*next);
}

void CStatusMonitorDlg::showSpeedLevel(std::uint8_t level) {
    shownLevel_ = level;
    speed_->setText(ui::coreText(speedPercentText(level)));
}

void CStatusMonitorDlg::setTrendShown(bool shown) {
    if (trendButton_->isChecked() != shown) trendButton_->setChecked(shown);  // comes back here
    if (trend_->isVisible() == shown) return;
    trend_->setVisible(shown);
    adjustSize();
    if (isVisible()) CWindowPlacer::keepOnScreen(this);
}

void CStatusMonitorDlg::closeEvent(QCloseEvent* event) {
    setTrendShown(false);
    COnlineWindow::closeEvent(event);
}

QString CStatusMonitorDlg::valueText(int axis, int row) const {
    return axes_[static_cast<std::size_t>(axis)].values[static_cast<std::size_t>(row)]->text();
}

QString CStatusMonitorDlg::alarmText(int axis) const { return axes_[static_cast<std::size_t>(axis)].alarm->text(); }

QString CStatusMonitorDlg::speedText() const { return speed_->text(); }

}  // namespace vantrel
