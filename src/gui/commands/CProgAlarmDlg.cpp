#include "commands/CProgAlarmDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgAlarmDlg::CProgAlarmDlg(UserAlarmEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    alarms_ = new QComboBox(this);
    bindChoice(alarms_, [this](int index) { editor_.chooseAlarm(index); });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("ユーザーアラームNo."), this));
    row->addWidget(alarms_);
    auto* layout = new QVBoxLayout;
    layout->addLayout(row);
    finishLayout(layout, alarms_);
}

void CProgAlarmDlg::showModel() {
    showChoices(alarms_, editor_.alarmChoices());
}

void registerUserAlarmEditor(CommandEditorRegistry& registry) {
    // "ALARM" (27).
    registry.add(CommandEditorKind::UserAlarm, [](const CommandEditorRequest& request) {
        CProgAlarmDlg dialog(UserAlarmEditor(request.start, request.editExisting), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
