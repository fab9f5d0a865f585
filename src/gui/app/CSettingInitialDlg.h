#pragma once

#include <QDialog>

#include "app/InitialiseChoice.h"

class QRadioButton;

namespace vantrel {

// "設定初期化": what the controller resets. The lower buttons follow the
// choice's rule (enabled only under "選択").
class CSettingInitialDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSettingInitialDlg(QWidget* parent = nullptr);
    const InitialiseChoice& choice() const { return choice_; }

    QRadioButton* allButton() const { return all_; }
    QRadioButton* selectedButton() const { return selected_; }
    QRadioButton* axisOnlyButton() const { return axisOnly_; }
    QRadioButton* parametersOnlyButton() const { return parametersOnly_; }

private:
    void showChoice();

    InitialiseChoice choice_;
    QRadioButton* all_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QRadioButton* axisOnly_ = nullptr;
    QRadioButton* parametersOnly_ = nullptr;
};

}  // namespace vantrel
