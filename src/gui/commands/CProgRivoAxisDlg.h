#pragma once

#include "commands/CommandEditorDialog.h"
#include "commands/NetworkAxisCommandEditor.h"

class QComboBox;
class QRadioButton;

namespace vantrel {

// The network axis commands, titled by their mode ("原点復帰(RIVO)",
// "軸停止(RIVO)", "励磁ON/OFF(RIVO)", "ﾘﾓｰﾄI/O読出"): the drop-down "軸No.：" and,
// for excitation, "ON"/"OFF".
class CProgRivoAxisDlg : public CommandEditorDialog {
    Q_OBJECT
public:
    explicit CProgRivoAxisDlg(NetworkAxisCommandEditor model, QWidget* parent = nullptr);

    QComboBox* axisList() const { return axes_; }
    // Null unless the form has "ON"/"OFF".
    QRadioButton* onButton() const { return on_; }
    QRadioButton* offButton() const { return off_; }

protected:
    EditorResult checkModel() override { return model_.accept(); }
    void showModel() override;

private:
    NetworkAxisCommandEditor model_;
    QComboBox* axes_ = nullptr;
    QRadioButton* on_ = nullptr;
    QRadioButton* off_ = nullptr;
};

}  // namespace vantrel
