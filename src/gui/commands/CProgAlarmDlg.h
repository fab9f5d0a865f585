#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/UserAlarmEditor.h"

class QComboBox;

namespace vantrel {

// The user alarm "ALARM": the drop-down "ユーザーアラームNo." of "01" .. "55".
class CProgAlarmDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgAlarmDlg(UserAlarmEditor editor, QWidget* parent = nullptr);

    QComboBox* alarmList() const { return alarms_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    UserAlarmEditor editor_;
    QComboBox* alarms_ = nullptr;
};

}  // namespace vantrel
