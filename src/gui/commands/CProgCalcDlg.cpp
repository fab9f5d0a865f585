#include "commands/CProgCalcDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
constexpr ExpressionOperator kOperators[] = {ExpressionOperator::Plus, ExpressionOperator::Minus,
                                             ExpressionOperator::Times, ExpressionOperator::Divide,
                                             ExpressionOperator::Equals};
}  // namespace

CProgCalcDlg::CProgCalcDlg(ExpressionEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    expression_ = newTextPanel();
    expression_->setMinimumWidth(420);

    variable_ = newButton(tr("変数名"));
    name_ = new QLineEdit(this);
    numberButton_ = newButton(tr("数値入力"));
    number_ = new QLineEdit(this);
    number_->setToolTip(ui::coreText(ExpressionEditor::numberHint()));
    connect(variable_, &QPushButton::clicked, this, [this] {
        tell(editor_.addVariable(name_->text().toStdString()));
        modelChanged();
    });
    connect(numberButton_, &QPushButton::clicked, this, [this] {
        tell(editor_.addNumber(number_->text().toStdString()));
        modelChanged();
    });

    auto* operatorRow = new QHBoxLayout;
    for (std::size_t i = 0; i < std::size(kOperators); ++i) {
        const ExpressionOperator op = kOperators[i];
        operators_[i] = newButton(ui::coreText(ExpressionEditor::operatorCaption(op)));
        connect(operators_[i], &QPushButton::clicked, this, [this, op] {
            tell(editor_.addOperator(op));
            showModel();
        });
        operatorRow->addWidget(operators_[i]);
    }
    operatorRow->addStretch(1);
    clear_ = newButton(tr("クリア"));
    connect(clear_, &QPushButton::clicked, this, [this] {
        editor_.clear();
        modelChanged();
    });
    operatorRow->addWidget(clear_);

    auto* operands = new QGridLayout;
    operands->addWidget(variable_, 0, 0);
    operands->addWidget(name_, 0, 1);
    operands->addWidget(numberButton_, 1, 0);
    operands->addWidget(number_, 1, 1);
    auto* note = new QLabel(ui::coreText(ExpressionEditor::variableNameNote()), this);

    auto* layout = new QVBoxLayout;
    layout->addWidget(expression_);
    layout->addLayout(operands);
    layout->addLayout(operatorRow);
    layout->addWidget(note);
    finishLayout(layout, name_);
}

QPushButton* CProgCalcDlg::operatorButton(ExpressionOperator op) const {
    for (std::size_t i = 0; i < std::size(kOperators); ++i)
        if (kOperators[i] == op) return operators_[i];
    return nullptr;
}

void CProgCalcDlg::showModel() { showText(expression_, editor_.displayText()); }

void registerExpressionEditor(CommandEditorRegistry& registry) {
    // "演算" (49).
    registry.add(CommandEditorKind::Expression, [](const CommandEditorRequest& request) {
        CProgCalcDlg dialog(ExpressionEditor(request.start, request.editExisting), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
