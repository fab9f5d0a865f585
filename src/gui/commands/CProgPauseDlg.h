#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/PauseEditor.h"

class QRadioButton;

namespace vantrel {

// Pause "PAUSE": "ON" or "OFF".
class CProgPauseDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    CProgPauseDlg(PauseEditor editor, QWidget* parent = nullptr);

    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }

protected:
    EditorResult checkModel() override { return editor_.accept(); }
    void showModel() override;

private:
    PauseEditor editor_;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
};

}  // namespace vantrel
