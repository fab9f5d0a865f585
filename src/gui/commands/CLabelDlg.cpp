#include "commands/CLabelDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "commands/CommandEditorRegistry.h"
#include "commands/RegisterCommandEditors.h"
#include "program/CommandCode.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/OkCancelButtons.h"
#include "ui/Utf8Text.h"

namespace vantrel {

CLabelDlg::CLabelDlg(LabelEditor editor, QWidget* parent) : QDialog(parent), editor_(std::move(editor)) {
    setWindowTitle(ui::coreText(editor_.title()));
    typed_ = new QRadioButton(tr("番号直接入力"), this);
    chosen_ = new QRadioButton(tr("番号選択"), this);
    auto* ways = new QButtonGroup(this);
    ways->addButton(typed_);
    ways->addButton(chosen_);

    number_ = new QLineEdit(this);
    number_->setMaxLength(3);
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number_));
    choices_ = new QComboBox(this);
    for (const std::string& text : editor_.choiceTexts()) choices_->addItem(QString::fromStdString(text));
    choices_->setCurrentIndex(editor_.initialChoice());

    auto* fields = new QGridLayout;
    fields->addWidget(typed_, 0, 0);
    fields->addWidget(number_, 0, 1);
    fields->addWidget(chosen_, 1, 0);
    fields->addWidget(choices_, 1, 1);
    fields->setColumnMinimumWidth(1, 90);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(ui::newOkCancelButtons(*this));

    chosen_->setChecked(true);
    connect(typed_, &QRadioButton::toggled, this, &CLabelDlg::showChosenField);
    showChosenField();
}

void CLabelDlg::showChosenField() {
    number_->setVisible(typed_->isChecked());
    choices_->setVisible(chosen_->isChecked());
}

void CLabelDlg::accept() {
    const LabelEditor::Result result = typed_->isChecked() ? editor_.confirmTyped(number_->text().toStdString())
                                                           : editor_.confirmChosen(choices_->currentIndex());
    if (result.refusal) {
        ui::showMessage(this, *result.refusal);
        return;
    }
    record_ = result.record;
    QDialog::accept();
}

void registerLabelEditor(CommandEditorRegistry& registry) {
    // "LABEL" sets the step's label (no code); "JUMP" stores a jump (18).
    registry.add(CommandEditorKind::Label, [](const CommandEditorRequest& request) {
        const LabelEditor::Mode mode = request.mode == kCodeGoto ? LabelEditor::Mode::Jump : LabelEditor::Mode::SetLabel;
        const StepEditor::LabelSet labels = mode == LabelEditor::Mode::SetLabel ? request.context.steps.labelsInUseAll()
                                                                                : request.context.steps.labelsInUseCurrent();
        CLabelDlg dialog(LabelEditor(mode, labels, request.start), request.parent);
        if (dialog.exec() != QDialog::Accepted) return CommandEditorResult::cancelled();
        return CommandEditorResult::confirmed(dialog.record());
    });
}

}  // namespace vantrel
