#include "commands/CProgRegIntDlg.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/IoSymbolList.h"
#include "commands/ListSources.h"
#include "commands/PickList.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgRegIntDlg::CProgRegIntDlg(VariableDeclarationEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    typed_ = new QRadioButton(tr("変数名任意指定"), this);
    fromList_ = new QRadioButton(tr("変数名一覧から指定"), this);
    auto* ways = new QButtonGroup(this);
    ways->addButton(typed_);
    ways->addButton(fromList_);
    bindCheck(fromList_, [this](bool fromList) { editor_.setFromList(fromList); });
    name_ = new QLineEdit(this);
    bindText(name_, [this](std::string text) { editor_.setName(std::move(text)); });

    const auto variables = systemVariables();
    list_ = newPickList(this, ui::coreText(kSymbolColumn), ui::coreText(kNameColumn));
    list_->setColumnWidth(0, 70);
    list_->setColumnWidth(1, 150);
    list_->setFixedSize(70 + 150 + 2 * list_->frameWidth() + 2,
                        list_->horizontalHeader()->sizeHint().height() +
                            static_cast<int>(variables.size()) * list_->verticalHeader()->defaultSectionSize() +
                            2 * list_->frameWidth() + 2);
    std::vector<std::pair<QString, QString>> rows;
    for (const auto& variable : variables) rows.emplace_back(fromUtf8(variable.symbol), fromUtf8(variable.name));
    fillPickList(list_, rows);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) {
        editor_.chooseVariable(row);
        modelChanged();
    });

    auto* layout = new QVBoxLayout;
    layout->addWidget(typed_);
    layout->addWidget(name_);
    layout->addSpacing(8);
    layout->addWidget(fromList_);
    layout->addWidget(list_);
    finishLayout(layout, name_);
}

void CProgRegIntDlg::showModel() {
    showRadio(fromList_, typed_, editor_.fromList());
    name_->setEnabled(editor_.nameEnabled());
    list_->setEnabled(editor_.listEnabled());
    showText(name_, editor_.name());
    const QSignalBlocker block(list_);
    showPickedRow(list_, editor_.chosenVariable());
}

void registerVariableDeclarationEditor(CommandEditorRegistry& registry) {
    // "変数宣言" (48).
    registry.add(CommandEditorKind::VariableDeclaration, [](const CommandEditorRequest& request) {
        CProgRegIntDlg dialog(VariableDeclarationEditor(request.start, request.editExisting), request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
