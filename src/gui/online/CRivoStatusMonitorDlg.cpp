#include "online/CRivoStatusMonitorDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "online/CLamp.h"
#include "online/MonitorFields.h"
#include "online/MonitorWindows.h"
#include "online/NetworkMonitorText.h"
#include "online/OutputRequests.h"
#include "online/StatusLamps.h"
#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"

namespace vantrel {
namespace {

// Sixteen lamps "0".."15" in two rows of eight, under a title.
QWidget* makeLamps(const QString& title, std::array<CLamp*, 16>& lamps, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(new QLabel(title, box), 0, 0, 1, 8);
    for (int bit = 0; bit < 16; ++bit) {
        lamps[static_cast<std::size_t>(bit)] = new CLamp(QString::number(bit), CLamp::Kind::Indicator, box);
        grid->addWidget(lamps[static_cast<std::size_t>(bit)], 1 + bit / 8, bit % 8);
    }
    equaliseWidths(std::vector<CLamp*>(lamps.begin(), lamps.end()));
    return box;
}

}  // namespace

CRivoStatusMonitorDlg::CRivoStatusMonitorDlg(AppState& state, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::NetworkStatusMonitor).title), parent) {
    group_ = clampNetworkGroup(state.status.selectedNetworkGroup.load(std::memory_order_relaxed));
    auto* choiceRow = new QHBoxLayout;
    auto* exclusive = new QButtonGroup(this);
    for (int g = 0; g < kNetworkGroupCount; ++g) {
        auto* choice = new QRadioButton(ui::coreText(networkGroupText(g)), this);
        exclusive->addButton(choice, g);
        choiceRow->addWidget(choice);
        choices_[static_cast<std::size_t>(g)] = choice;
    }
    choiceRow->addStretch(1);
    connect(exclusive, &QButtonGroup::idClicked, this, &CRivoStatusMonitorDlg::chooseGroup);

    std::vector<QWidget*> panels;
    for (int slot = 0; slot < 4; ++slot) panels.push_back(makeBlock(slot));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(makeCloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choiceRow);
    const PanelRows drivers = newPanelRows(panels);
    placer().setShapes(2, drivers.arrange);
    layout->addLayout(drivers.grid);
    layout->addLayout(buttons);
    showGroup(group_);
    startRefresh(kRefreshMs);
}

QGroupBox* CRivoStatusMonitorDlg::makeBlock(int slot) {
    Block& b = blocks_[static_cast<std::size_t>(slot)];
    b.box = new QGroupBox(this);
    const ValueRows rows = newValueRows(b.box, 96, 40);
    b.values = rows.values;
    b.units = rows.units;
    b.alarm = rows.alarm;

    auto* reset = new QPushButton(tr("アラームリセット"), b.box);
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this, slot] { pressAlarmReset(slot); });

    auto* column = new QVBoxLayout(b.box);
    column->addLayout(rows.grid);
    column->addWidget(makeLamps(QStringLiteral("NET-IN"), b.netIn, b.box));
    column->addWidget(makeLamps(QStringLiteral("NET-OUT"), b.netOut, b.box));
    column->addWidget(reset);
    column->addStretch(1);
    return b.box;
}

void CRivoStatusMonitorDlg::showGroup(int group) {
    group_ = clampNetworkGroup(group);
    choices_[static_cast<std::size_t>(group_)]->setChecked(true);
    for (int slot = 0; slot < 4; ++slot)
        blocks_[static_cast<std::size_t>(slot)].box->setTitle(ui::coreText(networkBlockTitle(4 * group_ + slot)));
}

void CRivoStatusMonitorDlg::chooseGroup(int group) {
    state().status.selectedNetworkGroup.store(static_cast<std::uint16_t>(clampNetworkGroup(group)), std::memory_order_relaxed);
    showGroup(group);
    refresh();
}

void CRivoStatusMonitorDlg::followDriver(int driver) {
    if (driver < 0 || driver > 15) return;
    chooseGroup(driver / 4);
}

void CRivoStatusMonitorDlg::refresh() {
    // The group the poll reports may have been chosen in another window.
    const int polled = clampNetworkGroup(state().status.selectedNetworkGroup.load(std::memory_order_relaxed));
    if (polled != group_) showGroup(polled);
    int changed = 0;
    for (int slot = 0; slot < 4; ++slot) {
        Block& b = blocks_[static_cast<std::size_t>(slot)];
        const NetworkDriverView v = networkDriverView(state().image, state().status, group_, slot);
        for (std::size_t row = 0; row < 4; ++row) {
            showText(b.values[row], v.values[row]);
            showText(b.units[row], row < 2 ? v.positionUnit : v.speedUnit);
        }
        showText(b.alarm, v.alarm);
        for (std::size_t bit = 0; bit < 16; ++bit) {
            changed += b.netIn[bit]->setLit((v.netIn >> bit) & 1u);
            changed += b.netOut[bit]->setLit((v.netOut >> bit) & 1u);
        }
    }
    lastRepaints_ = changed;
}

void CRivoStatusMonitorDlg::pressAlarmReset(int slot) {
    requestNetworkAlarmReset(state().link, state().status, 4 * group_ + slot);
}

QString CRivoStatusMonitorDlg::blockTitle(int slot) const { return blocks_[static_cast<std::size_t>(slot)].box->title(); }

QString CRivoStatusMonitorDlg::valueText(int slot, int row) const {
    return blocks_[static_cast<std::size_t>(slot)].values[static_cast<std::size_t>(row)]->text();
}

QString CRivoStatusMonitorDlg::unitText(int slot, int row) const {
    return blocks_[static_cast<std::size_t>(slot)].units[static_cast<std::size_t>(row)]->text();
}

QString CRivoStatusMonitorDlg::alarmText(int slot) const { return blocks_[static_cast<std::size_t>(slot)].alarm->text(); }

}  // namespace vantrel
