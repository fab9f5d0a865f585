#include "online/CIoMonitorDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/MonitorFields.h"
#include "online/MonitorWindows.h"
#include "online/StatusLamps.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CIoMonitorDlg::CIoMonitorDlg(AppState& state, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::IoMonitor).title), parent) {
    // General inputs and outputs in rows of eight; host inputs and outputs beside.
    auto* grid = new QGridLayout;
    const auto lampGroups = ioMonitorLamps();
    for (std::size_t i = 0; i < lampGroups.size(); ++i) {
        const bool general = i < 2;
        auto* group = new CLampGroup(lampGroups[i], false, general ? 8 : 4, this);
        grid->addWidget(group, static_cast<int>(i % 2), general ? 0 : 1);
        groups_.push_back(group);
    }
    equaliseWidths(groups_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(makeCloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    startRefresh(kRefreshMs);
}

void CIoMonitorDlg::refresh() {
    lastRepaints_ = refreshAll(groups_, takeSnapshot(state().status));
}

}  // namespace vantrel
