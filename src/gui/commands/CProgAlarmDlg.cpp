#include "commands/CProgAlarmDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgAlarmDlg::CProgAlarmDlg(UserAlarmEditor editor, QWidget* parent) : CCommandDlg(parent), editor_(std::move(editor)) {
    alarms_ = new QComboBox(this);
    connect(alarms_, &QComboBox::currentIndexChanged, this, [this](int index) { editor_.chooseAlarm(index); });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("ユーザーアラームNo."), this));
    row->addWidget(alarms_);
    auto* layout = new QVBoxLayout;
    layout->addLayout(row);
    finish(layout);
}

void CProgAlarmDlg::showModel() {
    showChoices(alarms_, editor_.alarmChoices().texts(), editor_.alarmChoices().chosenIndex());
}

void registerUserAlarmEditor(CommandEditorRegistry& registry) {
    // "ALARM" (27).
    registry.add(CommandEditorKind::UserAlarm, [](const CommandEditorRequest& request) {
        return runCommandDialog<CProgAlarmDlg>(request, UserAlarmEditor(request.start, request.editExisting));
    });
}

}  // namespace vantrel
