#pragma once

#include "commands/CCommandDlg.h"
#include "commands/UserAlarmEditor.h"

class QComboBox;

namespace vantrel {

// The user alarm "ALARM": the drop-down "ユーザーアラームNo." of "01" .. "55".
class CProgAlarmDlg : public CCommandDlg {
    Q_OBJECT
public:
    CProgAlarmDlg(UserAlarmEditor editor, QWidget* parent = nullptr);

    QComboBox* alarmList() const { return alarms_; }

protected:
    CommandEditor& model() override { return editor_; }
    void showModel() override;

private:
    UserAlarmEditor editor_;
    QComboBox* alarms_ = nullptr;
};

}  // namespace vantrel
