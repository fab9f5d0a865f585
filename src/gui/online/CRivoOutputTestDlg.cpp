#include "online/CRivoOutputTestDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "online/CLampGroup.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CRivoOutputTestDlg::CRivoOutputTestDlg(AppState& state, std::function<void(int)> relayDriver, QWidget* parent)
    : COutputTestWindow(state, tr("RIVO軸出力テスト"), parent), relayDriver_(std::move(relayDriver)) {
    group_ = clampNetworkGroup(state.status.selectedNetworkGroup.load(std::memory_order_relaxed));
    auto* choiceRow = new QHBoxLayout;
    auto* exclusive = new QButtonGroup(this);
    for (int g = 0; g < kNetworkGroupCount; ++g) {
        auto* choice = new QRadioButton(ui::coreText(networkGroupText(g)), this);
        choice->setFocusPolicy(Qt::NoFocus);  // Space does nothing here
        choice->setChecked(g == group_);
        exclusive->addButton(choice, g);
        choiceRow->addWidget(choice);
        choices_[static_cast<std::size_t>(g)] = choice;
    }
    choiceRow->addStretch(1);
    connect(exclusive, &QButtonGroup::idClicked, this, &CRivoOutputTestDlg::chooseGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeModeReason(), 1);
    QPushButton* close = makeCloseButton();
    close->setFocusPolicy(Qt::NoFocus);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choiceRow);
    layout->addLayout(makeToggleGroups(networkOutputToggles(group_), 2, 4));
    layout->addLayout(buttons);
    startRefresh(kRefreshMs);
}

void CRivoOutputTestDlg::chooseGroup(int group) {
    group_ = clampNetworkGroup(group);
    choices_[static_cast<std::size_t>(group_)]->setChecked(true);
    state().status.selectedNetworkGroup.store(static_cast<std::uint16_t>(group_), std::memory_order_relaxed);
    const auto bound = networkOutputToggles(group_);
    for (std::size_t i = 0; i < groups().size() && i < bound.size(); ++i) groups()[i]->rebind(bound[i]);
    refresh();
    if (relayDriver_) relayDriver_(4 * group_);
}

}  // namespace vantrel
