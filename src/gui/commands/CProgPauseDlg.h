#pragma once

#include "commands/CCommandDlg.h"
#include "commands/PauseEditor.h"

class QRadioButton;

namespace vantrel {

// Pause "PAUSE": "ON" or "OFF".
class CProgPauseDlg : public CCommandDlg {
    Q_OBJECT
public:
    CProgPauseDlg(PauseEditor editor, QWidget* parent = nullptr);

    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }

protected:
    CommandEditor& model() override { return editor_; }
    void showModel() override;

private:
    PauseEditor editor_;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
};

}  // namespace vantrel
