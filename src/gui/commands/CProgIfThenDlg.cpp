#include "commands/CProgIfThenDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgIfThenDlg::CProgIfThenDlg(ComparisonEditor editor, QWidget* parent) : CCommandDlg(parent), editor_(std::move(editor)) {
    left_ = new QLineEdit(this);
    right_ = new QLineEdit(this);
    operator_ = new QComboBox(this);
    for (const std::string_view text : comparisonOperatorChoices()) operator_->addItem(qs(text));
    connect(left_, &QLineEdit::textEdited, this, [this](const QString& text) { editor_.setLeft(text.toStdString()); });
    connect(right_, &QLineEdit::textEdited, this, [this](const QString& text) { editor_.setRight(text.toStdString()); });
    connect(operator_, &QComboBox::currentIndexChanged, this, [this](int index) { editor_.chooseOperator(index); });

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("変数名："), this), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("変数名または定数："), this), 0, 2);
    fields->addWidget(left_, 1, 0);
    fields->addWidget(operator_, 1, 1);
    fields->addWidget(right_, 1, 2);
    auto* layout = new QVBoxLayout;
    layout->addLayout(fields);
    finish(layout);
}

void CProgIfThenDlg::showModel() {
    showText(left_, qs(editor_.left()));
    showText(right_, qs(editor_.right()));
    if (operator_->currentIndex() != editor_.operatorIndex()) {
        const QSignalBlocker block(operator_);
        operator_->setCurrentIndex(editor_.operatorIndex());
    }
}

void registerComparisonEditor(CommandEditorRegistry& registry) {
    // "条件分岐(IF/ENDIF)" (55); the palette stores the ENDIF.
    registry.add(CommandEditorKind::Comparison, [](const CommandEditorRequest& request) {
        return runCommandDialog<CProgIfThenDlg>(request, ComparisonEditor(request.start, request.editExisting));
    });
}

}  // namespace vantrel
