#include "online/CPulseOutputTestDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

CPulseOutputTestDlg::CPulseOutputTestDlg(AppState& state, QWidget* parent)
    : COutputTestWindow(state, tr("パルス列軸出力テスト"), parent) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeModeReason(), 1);
    buttons->addWidget(makeCloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeToggleGroups(pulseAxisOutputToggles(), 4, 1));
    layout->addLayout(buttons);
    startRefresh(kRefreshMs);
}

}  // namespace vantrel
