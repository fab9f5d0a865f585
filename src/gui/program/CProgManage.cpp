#include "program/CProgManage.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/ImageEdit.h"
#include "platform/AnsiText.h"
#include "ui/MessageBox.h"

namespace vantrel {

CProgManage::CProgManage(ProgramStore& store, SettingsImage& image, ControllerWriteSink* sink, QWidget* parent)
    : QDialog(parent), store_(store), image_(image), sink_(sink), programs_(store) {
    setWindowTitle(tr("プログラム一覧"));
    list_ = new QTableWidget(0, 2, this);
    list_->setHorizontalHeaderLabels({tr("プログラムNo."), tr("プログラム名称")});
    // 80 and 150 wide, or wider where the font needs it for the headers.
    list_->setColumnWidth(0, std::max(80, list_->horizontalHeader()->sectionSizeHint(0)));
    list_->setColumnWidth(1, std::max(150, list_->horizontalHeader()->sectionSizeHint(1)));
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setMinimumSize(260, 300);

    number_ = new QLineEdit(this);
    number_->setMaxLength(3);
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number_));
    auto* add = new QPushButton(tr("新規追加"), this);
    auto* remove = new QPushButton(tr("削除"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &CProgManage::addProgram);
    connect(remove, &QPushButton::clicked, this, &CProgManage::deleteProgram);
    connect(ok, &QPushButton::clicked, this, &CProgManage::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(number_);
    numberRow->addWidget(new QLabel(tr("(1～255）"), this));
    auto* side = new QVBoxLayout;
    side->addLayout(numberRow);
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch(1);
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(side);

    fillList(programs_.numbers().empty() ? 0 : programs_.numbers().front());
}

void CProgManage::fillList(int selectedNumber) {
    const auto& numbers = programs_.numbers();
    list_->setRowCount(static_cast<int>(numbers.size()));
    int selectedRow = -1;
    for (int row = 0; row < static_cast<int>(numbers.size()); ++row) {
        auto* number = new QTableWidgetItem(QString::fromStdString(programs_.numberText(row)));
        auto* name = new QTableWidgetItem(QString::fromStdString(ansiToUtf8(programs_.name(row))));
        number->setTextAlignment(Qt::AlignCenter);
        name->setTextAlignment(Qt::AlignCenter);
        list_->setItem(row, 0, number);
        list_->setItem(row, 1, name);
        if (numbers[static_cast<std::size_t>(row)] == selectedNumber) selectedRow = row;
    }
    list_->clearSelection();
    if (selectedRow >= 0) list_->selectRow(selectedRow);
}

void CProgManage::addProgram() {
    // The row selected before stays selected; the new row takes its place in
    // the ascending list.
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    const int selectedRow = selected.isEmpty() ? -1 : selected.front().row();
    const int selectedNumber =
        selectedRow >= 0 ? programs_.numbers()[static_cast<std::size_t>(selectedRow)] : 0;
    if (const MaybeRefusal refusal = programs_.add(number_->text().toStdString())) {
        ui::showMessage(this, *refusal);
        return;
    }
    fillList(selectedNumber);
}

void CProgManage::deleteProgram() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    const int row = selected.isEmpty() ? -1 : selected.front().row();
    if (const MaybeRefusal refusal = programs_.remove(row)) {
        ui::showMessage(this, *refusal);
        return;
    }
    fillList(0);
}

void CProgManage::accept() {
    changed_ = programs_.numbers() != store_.directory().numbers;
    ImageEdit edit(image_, sink_);
    selected_ = programs_.apply(edit);
    QDialog::accept();
}

}  // namespace vantrel
