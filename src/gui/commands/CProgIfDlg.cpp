#include "commands/CProgIfDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/CIoSymbolPicker.h"
#include "commands/ListSources.h"
#include "commands/RegisterCommandEditors.h"
#include "program/CommandCode.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgIfDlg::CProgIfDlg(ConditionEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    picker_ = new CIoSymbolPicker(this);
    axisCaption_ = new QLabel(tr("軸No.："), this);
    axis_ = new QComboBox(this);
    picker_->pageRow()->addWidget(axisCaption_);
    picker_->pageRow()->addWidget(axis_);
    bindPicker(
        picker_, [this](int index) { editor_.list().choosePage(index); },
        [this](int row) { editor_.list().chooseRow(row); },
        [this](int index) { editor_.list().chooseCategory(index); });
    // A double-click on a row is "AND".
    connect(picker_, &CIoSymbolPicker::rowDoubleClicked, this, [this](int row) {
        editor_.list().chooseRow(row);
        addTerm(TermJoiner::And);
    });
    bindChoice(axis_, [this](int index) { editor_.chooseNetworkAxis(index); });

    on_ = new QRadioButton(QStringLiteral("ON"), this);
    off_ = new QRadioButton(QStringLiteral("OFF"), this);
    compare_ = new QRadioButton(tr("数値比較"), this);
    auto* relations = new QButtonGroup(this);
    relations->addButton(on_, static_cast<int>(ConditionEditor::Relation::On));
    relations->addButton(off_, static_cast<int>(ConditionEditor::Relation::Off));
    relations->addButton(compare_, static_cast<int>(ConditionEditor::Relation::Compare));
    connect(relations, &QButtonGroup::idClicked, this, [this](int id) {
        editor_.setRelation(static_cast<ConditionEditor::Relation>(id));
        modelChanged();
    });
    operator_ = new QComboBox(this);
    for (const std::string_view text : comparisonOperatorChoices()) operator_->addItem(ui::coreText(text));
    bindChoice(operator_, [this](int index) { editor_.setComparisonOperator(static_cast<ComparisonOperator>(index)); });
    value_ = new QLineEdit(this);
    value_->setFixedWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    bindText(value_, [this](std::string text) { editor_.setValueText(std::move(text)); });

    and_ = newButton(QStringLiteral("AND"));
    or_ = newButton(QStringLiteral("OR"));
    delete_ = newButton(QStringLiteral("DELETE"));
    confirm_ = newButton(tr("入力条件確定"));
    confirm_->setObjectName(QStringLiteral("confirm"));
    connect(and_, &QPushButton::clicked, this, [this] { addTerm(TermJoiner::And); });
    connect(or_, &QPushButton::clicked, this, [this] { addTerm(TermJoiner::Or); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        editor_.deleteTerm();
        modelChanged();
    });
    connect(confirm_, &QPushButton::clicked, this, [this] {
        tell(editor_.toggleConfirmed());
        modelChanged();
    });

    condition_ = newTextPanel();

    targetGroup_ = new QGroupBox(tr("出力"), this);
    targetCaption_ = new QLabel(targetGroup_);
    target_ = new QComboBox(targetGroup_);
    target_->setMinimumWidth(target_->fontMetrics().horizontalAdvance(QStringLiteral("000  ")) + 170);
    bindChoice(target_, [this](int index) { editor_.chooseTarget(index); });
    auto* targetRow = new QHBoxLayout(targetGroup_);
    targetRow->addWidget(targetCaption_);
    targetRow->addWidget(target_);
    targetRow->addStretch(1);

    // Relation, term buttons and the confirmation beside the list.
    auto* relationBox = new QGroupBox(this);
    auto* relationGrid = new QGridLayout(relationBox);
    relationGrid->addWidget(on_, 0, 0);
    relationGrid->addWidget(off_, 1, 0);
    relationGrid->addWidget(compare_, 2, 0);
    auto* compareRow = new QHBoxLayout;
    compareRow->addWidget(operator_);
    compareRow->addWidget(value_);
    compareRow->addStretch(1);
    relationGrid->addLayout(compareRow, 3, 0);
    auto* side = new QVBoxLayout;
    side->addWidget(relationBox);
    auto* termButtons = new QHBoxLayout;
    termButtons->addWidget(and_);
    termButtons->addWidget(or_);
    termButtons->addWidget(delete_);
    side->addLayout(termButtons);
    side->addStretch(1);
    side->addWidget(confirm_);

    auto* top = new QHBoxLayout;
    top->addWidget(picker_);
    top->addLayout(side);
    auto* layout = new QVBoxLayout;
    layout->addLayout(top);
    layout->addWidget(condition_);
    layout->addWidget(targetGroup_);
    finishLayout(layout, picker_->table());
}

void CProgIfDlg::addTerm(TermJoiner joiner) {
    tell(editor_.addTerm(joiner));
    modelChanged();
}

void CProgIfDlg::showModel() {
    picker_->showList(editor_.list());
    const bool remote = editor_.networkAxisShown();
    axisCaption_->setVisible(remote);
    axis_->setVisible(remote);
    showChoices(axis_, editor_.networkAxisChoices());

    showChecked(on_, editor_.relation() == ConditionEditor::Relation::On);
    showChecked(off_, editor_.relation() == ConditionEditor::Relation::Off);
    showChecked(compare_, editor_.relation() == ConditionEditor::Relation::Compare);
    operator_->setCurrentIndex(static_cast<int>(editor_.comparisonOperator()));
    enableAll({operator_, value_}, editor_.comparisonEnabled());
    showText(value_, editor_.valueText());

    enableAll({and_, or_, delete_}, editor_.termButtonsEnabled());
    confirm_->setText(ui::coreText(editor_.confirmButtonText()));
    showText(condition_, editor_.conditionText());

    targetGroup_->setVisible(editor_.hasTarget());
    targetCaption_->setText(ui::coreText(editor_.targetCaption()));
    showChoices(target_, editor_.targetChoices());
    target_->setEnabled(editor_.targetEnabled());
}

void registerConditionEditor(CommandEditorRegistry& registry) {
    // "入力待ち" (11), "条件JUMP" (24: the labels of the program), "条件CALL" (25: the programs).
    registry.add(CommandEditorKind::Condition, [](const CommandEditorRequest& request) {
        const CommandEditorContext& context = request.context;
        ChoiceList targets;
        if (request.mode == kCodeIfGoto) targets = labelChoices(context.steps.labelsInUseCurrent());
        if (request.mode == kCodeIfGosub) targets = programChoices(context.programs.directory());
        CProgIfDlg dialog(ConditionEditor(static_cast<std::uint8_t>(request.mode), request.start, request.editExisting,
                                          context.ioNames, std::move(targets)),
                          request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
