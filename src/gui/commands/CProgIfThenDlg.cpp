#include "commands/CProgIfThenDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgIfThenDlg::CProgIfThenDlg(ComparisonEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    left_ = new QLineEdit(this);
    right_ = new QLineEdit(this);
    operator_ = new QComboBox(this);
    for (const std::string_view text : comparisonOperatorChoices()) operator_->addItem(ui::coreText(text));
    bindText(left_, [this](std::string text) { editor_.setLeft(std::move(text)); });
    bindText(right_, [this](std::string text) { editor_.setRight(std::move(text)); });
    bindChoice(operator_, [this](int index) { editor_.chooseOperator(index); });

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("変数名："), this), 0, 0);
    fields->addWidget(new QLabel(tr("変数名または定数："), this), 0, 2);
    fields->addWidget(left_, 1, 0);
    fields->addWidget(operator_, 1, 1);
    fields->addWidget(right_, 1, 2);
    auto* layout = new QVBoxLayout;
    layout->addLayout(fields);
    finishLayout(layout, left_);
}

void CProgIfThenDlg::showModel() {
    showText(left_, editor_.left());
    showText(right_, editor_.right());
    operator_->setCurrentIndex(editor_.operatorIndex());
}

void registerComparisonEditor(CommandEditorRegistry& registry) {
    // "条件分岐(IF/ENDIF)" (55); the palette stores the ENDIF.
    registry.add(CommandEditorKind::Comparison, [](const CommandEditorRequest& request) {
        CProgIfThenDlg dialog(ComparisonEditor(request.start, request.editExisting), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
