#include "online/CAlarmMonitorDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "link/Protocol.h"
#include "online/AlarmTexts.h"
#include "online/MonitorWindows.h"
#include "online/OnlineRequests.h"
#include "online/OutputRequests.h"
#include "online/StatusSnapshot.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CAlarmMonitorDlg::CAlarmMonitorDlg(AppState& state, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::AlarmMonitor).title), parent) {
    current_ = new QLineEdit(this);
    current_->setReadOnly(true);
    current_->setFocusPolicy(Qt::NoFocus);
    current_->setMinimumWidth(300);
    auto* reset = new QPushButton(tr("アラームリセット"), this);
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CAlarmMonitorDlg::pressAlarmReset);

    history_ = new QTreeWidget(this);
    history_->setRootIsDecorated(false);
    QStringList titles;
    for (const AlarmHistoryColumn& c : kAlarmHistoryColumns) titles << ui::coreText(c.title);
    history_->setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(kAlarmHistoryColumns.size()); ++i)
        history_->setColumnWidth(i, kAlarmHistoryColumns[static_cast<std::size_t>(i)].width);
    auto* again = new QPushButton(tr("履歴取得"), this);
    again->setAutoDefault(false);
    connect(again, &QPushButton::clicked, this, &CAlarmMonitorDlg::requestHistory);
    historyGroup_ = new QGroupBox(this);
    auto* historyLayout = new QVBoxLayout(historyGroup_);
    historyLayout->addWidget(history_);
    historyLayout->addWidget(again, 0, Qt::AlignRight);
    historyGroup_->hide();

    auto* row = new QHBoxLayout;
    row->addWidget(current_, 1);
    row->addWidget(reset);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(makeCloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(historyGroup_);
    layout->addLayout(buttons);

    // The history held so far, then a fresh read from the controller.
    shownHistory_ = takeSnapshot(state.status).alarmRecord;
    showHistory(shownHistory_);
    historyWanted_ = state.link.isOpen();
    tryHistoryRequest();
    startRefresh(kRefreshMs);
}

void CAlarmMonitorDlg::requestHistory() {
    historyWanted_ = state().link.isOpen();
    tryHistoryRequest();
}

void CAlarmMonitorDlg::tryHistoryRequest() {
    if (!historyWanted_) return;
    // While the link is busy with another operation the request waits for a
    // later refresh instead of cutting that operation short.
    if (requestAlarmRecord(state().link) != AlarmRecordRequest::LinkBusy) historyWanted_ = false;
}

void CAlarmMonitorDlg::refresh() {
    tryHistoryRequest();
    const StatusSnapshot s = takeSnapshot(state().status);
    const QString text = ui::coreText(vantrel::currentAlarmText(s.alarmCode));
    if (current_->text() != text) current_->setText(text);
    if (s.alarmRecord != shownHistory_) {
        shownHistory_ = s.alarmRecord;
        showHistory(shownHistory_);
    }
}

void CAlarmMonitorDlg::showHistory(const std::array<std::uint8_t, 10>& codes) {
    history_->clear();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const AlarmHistoryRow row = alarmHistoryRow(static_cast<int>(i) + 1, codes[i]);
        history_->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(row.number),
                                                                  QString::fromStdString(row.code),
                                                                  ui::coreText(row.message)}));
    }
}

void CAlarmMonitorDlg::pressAlarmReset() { requestAlarmReset(state().link, state().status); }

QString CAlarmMonitorDlg::currentAlarmText() const { return current_->text(); }

}  // namespace vantrel
