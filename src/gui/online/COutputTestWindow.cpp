#include "online/COutputTestWindow.h"

#include <algorithm>

#include <QGridLayout>

#include "app/AppState.h"
#include "online/CLamp.h"
#include "online/CLampGroup.h"
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
    int width = 0;
    for (CLampGroup* g : groups_)
        for (CLamp* lamp : g->lamps()) width = std::max(width, lamp->sizeHint().width());
    for (CLampGroup* g : groups_)
        for (CLamp* lamp : g->lamps()) lamp->setMinimumWidth(width);
    return grid;
}

void COutputTestWindow::toggle(const BitRef& ref) {
    if (!toggleOutput(state().link, state().status, ref)) return;
    const StatusSnapshot s = takeSnapshot(state().status);
    for (CLampGroup* g : groups_) g->refresh(s);
}

void COutputTestWindow::refresh() {
    const StatusSnapshot s = takeSnapshot(state().status);
    int changed = 0;
    for (CLampGroup* g : groups_) changed += g->refresh(s);
    lastRepaints_ = changed;
}

}  // namespace vantrel
