#include "commands/CProgCallDlg.h"

#include <algorithm>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgCallDlg::CProgCallDlg(ProgramChoiceEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    const auto& rows = editor_.rows();
    list_ = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    list_->setHorizontalHeaderLabels(
        {fromUtf8(kProgramNumberColumn), fromUtf8(kProgramNameColumn)});
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setColumnWidth(0, std::max(90, list_->horizontalHeader()->sectionSizeHint(0)));
    list_->setColumnWidth(1, std::max(200, list_->horizontalHeader()->sectionSizeHint(1)));
    list_->setMinimumSize(list_->columnWidth(0) + list_->columnWidth(1) + 24, 300);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        auto* number = new QTableWidgetItem(fromUtf8(rows[static_cast<std::size_t>(row)].numberText));
        number->setTextAlignment(Qt::AlignCenter);
        list_->setItem(row, 0, number);
        list_->setItem(row, 1, new QTableWidgetItem(fromUtf8(rows[static_cast<std::size_t>(row)].name)));
    }
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
    const int chosen = editor_.chosenRow();
    if (chosen < 0) {
        list_->setCurrentCell(-1, -1);
        list_->clearSelection();
        return;
    }
    list_->setCurrentCell(chosen, 0);
    list_->selectRow(chosen);
    list_->scrollToItem(list_->item(chosen, 0));
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
