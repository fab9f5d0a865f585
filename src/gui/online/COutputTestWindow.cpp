#include "online/COutputTestWindow.h"

#include <QGridLayout>

#include "app/AppState.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
#include "online/MonitorFields.h"
#include "online/OutputRequests.h"

namespace vantrel {

QLayout* COutputTestWindow::makeToggleGroups(const std::vector<LampGroup>& groups, int groupColumns, int lampColumns) {
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        auto* group = new CLampGroup(groups[i], true, lampColumns, this);
        connect(group, &CLampGroup::toggled, this, &COutputTestWindow::toggle);
        grid->addWidget(group, static_cast<int>(i) / groupColumns, static_cast<int>(i) % groupColumns);
        groups_.push_back(group);
    }
    equaliseWidths(groups_);
    return grid;
}

void COutputTestWindow::toggle(const BitRef& ref) {
    if (!toggleOutput(state().link, state().status, ref)) return;
    refreshAll(groups_, takeSnapshot(state().status));
}

void COutputTestWindow::refresh() {
    const bool acts = followMode(MonitorWindow::IoTest);
    for (CLampGroup* group : groups_) group->setEnabled(acts);
    lastRepaints_ = refreshAll(groups_, takeSnapshot(state().status));
}

}  // namespace vantrel
