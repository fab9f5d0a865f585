#include "commands/CProgCallDlg.h"

#include <algorithm>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/PickList.h"
#include "commands/RegisterCommandEditors.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgCallDlg::CProgCallDlg(ProgramChoiceEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    list_ = newPickList(this, ui::coreText(kProgramNumberColumn), ui::coreText(kProgramNameColumn));
    list_->setColumnWidth(0, std::max(90, list_->horizontalHeader()->sectionSizeHint(0)));
    list_->setColumnWidth(1, std::max(200, list_->horizontalHeader()->sectionSizeHint(1)));
    list_->setMinimumSize(list_->columnWidth(0) + list_->columnWidth(1) + 24, 300);
    std::vector<std::pair<QString, QString>> rows;
    for (const auto& program : editor_.rows()) rows.emplace_back(fromUtf8(program.numberText), fromUtf8(program.name));
    fillPickList(list_, rows);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) {
        editor_.chooseRow(row);
        modelChanged();
    });
    auto* layout = new QVBoxLayout;
    layout->addWidget(list_);
    finishLayout(layout, list_);
}

void CProgCallDlg::showModel() {
    const QSignalBlocker block(list_);
    showPickedRow(list_, editor_.chosenRow());
    if (QTableWidgetItem* chosen = list_->currentItem()) list_->scrollToItem(chosen);
}

void registerProgramChoiceEditor(CommandEditorRegistry& registry) {
    // "CALL" (19), "プログラム起動" (22), "プログラム停止" (23).
    registry.add(CommandEditorKind::ProgramChoice, [](const CommandEditorRequest& request) {
        CProgCallDlg dialog(ProgramChoiceEditor(static_cast<std::uint8_t>(request.mode), request.start,
                                                request.editExisting, request.context.programs.directory()),
                            request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
