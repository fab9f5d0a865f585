#pragma once

// The user alarm "ALARM" (27): a drop-down "ユーザーアラームNo." of "01" ..
// "55"; a new step starts at 01, an existing one at its number. OK writes
// "%02d ".

#include <string>

#include "commands/ChoiceList.h"
#include "commands/CommandEditor.h"

namespace vantrel {

class UserAlarmEditor : public CommandEditor {
public:
    UserAlarmEditor(const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    EditorResult accept() override;

    const ChoiceList& alarmChoices() const { return alarms_; }
    void chooseAlarm(int index) { alarms_.choose(index); }

private:
    ChoiceList alarms_;
};

}  // namespace vantrel
