#include "ui/CGridView.h"

#include <algorithm>

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>
#include <QToolTip>

#include "ui/GridItemDelegate.h"
#include "ui/GridTableModel.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/StatusNote.h"
#include "ui/Utf8Text.h"

namespace vantrel::ui {

CGridView::CGridView(std::unique_ptr<GridModel> model, QWidget* parent) : QWidget(parent), grid_(std::move(model)) {
    grid_->opened();
    tableModel_ = new GridTableModel(*grid_, this);
    delegate_ = new GridItemDelegate(*tableModel_, this);

    table_ = new QTableView(this);
    table_->setModel(tableModel_);
    table_->setItemDelegate(delegate_);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(false);
    // Fixed row heights: the table never measures its rows, so point tables
    // of thousands of rows open at once.
    const int rowHeight = table_->fontMetrics().height() + 8;
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->verticalHeader()->setDefaultAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    fitWidthsToTexts();
    table_->viewport()->installEventFilter(this);
    // The header of the label column ("ポイント", "軸") sits in the table's
    // corner cell, which Qt draws as an empty header section: draw it here.
    corner_ = table_->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) corner_->installEventFilter(this);

    help_ = new QPlainTextEdit(this);
    help_->setReadOnly(true);
    help_->setMinimumWidth(220);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(table_);
    splitter->addWidget(help_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showHelpFor(current, true); });
    // A commit may lock or unlock the selected cell or change its range.
    connect(tableModel_, &QAbstractItemModel::dataChanged, this,
            [this] { showHelpFor(table_->currentIndex(), false); });
    // Queued: the message opens after the editor has closed, never inside it.
    connect(tableModel_, &GridTableModel::refused, this,
            [this](const QString& text, const QString& title, int icon, const QString& note) {
                // The range the cell takes goes beside the message, not into it.
                if (!note.isEmpty()) showStatusNote(note);
                showMessage(this, Refusal{text.toStdString(), title.toStdString(), static_cast<MessageIcon>(icon)});
            },
            Qt::QueuedConnection);
    connect(tableModel_, &GridTableModel::noted, this, [](const QString& note) { showStatusNote(note); });
}

CGridView::~CGridView() {
    // The table (and an editor still open in it) goes first: it may commit
    // to the model while closing, and the model dies with this object.
    table_->viewport()->removeEventFilter(this);
    if (corner_) corner_->removeEventFilter(this);
    corner_ = nullptr;
    delete table_;
    table_ = nullptr;
    delete tableModel_;
}

QString CGridView::helpText() const { return help_->toPlainText(); }

void CGridView::refresh() {
    grid_->opened();
    tableModel_->refreshAll();
    fitWidthsToTexts();
}

void CGridView::fitWidthsToTexts() {
    // The first rows only: a point table has thousands of rows of numbers,
    // and its labels and choices all show within the first ones.
    constexpr int kMeasuredRows = 64;
    constexpr int kPadding = 12;
    const QFontMetrics metrics = table_->fontMetrics();
    const auto widthOf = [&](const QVariant& text) { return metrics.size(0, text.toString()).width() + kPadding; };
    const int rows = std::min(tableModel_->rowCount(), kMeasuredRows);
    int labels = std::max(grid_->columnWidth(0), widthOf(coreText(grid_->cellText(0, 0))));
    for (int row = 0; row < rows; ++row)
        labels = std::max(labels, widthOf(tableModel_->headerData(row, Qt::Vertical, Qt::DisplayRole)));
    table_->verticalHeader()->setFixedWidth(labels);
    for (int column = 1; column < grid_->columnCount(); ++column) {
        int width = std::max(grid_->columnWidth(column),
                             widthOf(tableModel_->headerData(column - 1, Qt::Horizontal, Qt::DisplayRole)));
        // The system's words (choices, and texts shown in another language)
        // fit; a long value keeps the grid's width and its title tip.
        for (int row = 1; row <= rows; ++row) {
            const std::string own = grid_->cellText(row, column);
            const QString shown = coreText(own);
            if (grid_->cellKind(row, column) == CellKind::DropDown || shown != fromUtf8(own))
                width = std::max(width, widthOf(shown));
        }
        table_->setColumnWidth(column - 1, width);
    }
}

void CGridView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) fitWidthsToTexts();
}

bool CGridView::commitText(int gridRow, int gridColumn, const QString& text) {
    const QModelIndex index = tableModel_->index(gridRow - 1, gridColumn - 1);
    return tableModel_->setData(index, text, Qt::EditRole);
}

void CGridView::selectCell(int gridRow, int gridColumn) {
    table_->setCurrentIndex(tableModel_->index(gridRow - 1, gridColumn - 1));
}

void CGridView::showCell(int gridRow, int gridColumn) {
    for (QWidget* page = this; page && page->parentWidget(); page = page->parentWidget())
        if (auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget())) stack->setCurrentWidget(page);
    if (gridRow < 1) return;
    selectCell(gridRow, gridColumn);
    table_->scrollTo(table_->currentIndex(), QAbstractItemView::PositionAtCenter);
    table_->setFocus();
}

void CGridView::setEditRecorder(EditRecorder* recorder, const EditPlace& place) {
    tableModel_->setEditRecorder(recorder, place);
}

QList<CGridView*> CGridView::gridsIn(QWidget* view) {
    QList<CGridView*> grids;
    if (auto* grid = qobject_cast<CGridView*>(view)) grids.append(grid);
    if (view) grids.append(view->findChildren<CGridView*>());
    return grids;
}

void CGridView::showHelpFor(const QModelIndex& index, bool announce) {
    if (!index.isValid()) {
        help_->clear();
        return;
    }
    const int row = tableModel_->gridRow(index);
    const int column = tableModel_->gridColumn(index);
    QString help = coreText(grid_->helpText(row, column));
    // A cell locked until its axis has a model says so, above its help and,
    // when the user comes to it, in the status bar.
    const QString lock = coreText(grid_->lockNote(row, column));
    if (!lock.isEmpty()) help = QStringLiteral("※") + lock + (help.isEmpty() ? QString() : QStringLiteral("\n\n")) + help;
    help_->setPlainText(help);
    if (!lock.isEmpty() && announce) {
        showStatusNote(lock);
        lockShown_ = lock;
    } else if (lock.isEmpty() && !lockShown_.isEmpty()) {
        // Unlocked (a model was chosen): the note that said it was locked goes.
        if (lastStatusNote() == lockShown_) showStatusNote(QString(), 1);
        lockShown_.clear();
    }
}

void CGridView::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.state = QStyle::State_None;
    if (corner_->isEnabled()) option.state |= QStyle::State_Enabled;
    if (corner_->isActiveWindow()) option.state |= QStyle::State_Active;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = coreText(grid_->cellText(0, 0));
    option.textAlignment = table_->horizontalHeader()->defaultAlignment();
    QStylePainter painter(corner_);
    painter.drawControl(QStyle::CE_Header, option);
}

bool CGridView::eventFilter(QObject* watched, QEvent* event) {
    if (corner_ && watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    // Title tips: a cell whose text is cut off shows it whole under the mouse.
    if (table_ && watched == table_->viewport() && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = table_->indexAt(help->pos());
        const QString text = index.data(Qt::DisplayRole).toString();
        const int room = table_->visualRect(index).width() - 8;
        if (index.isValid() && !text.isEmpty() && table_->fontMetrics().horizontalAdvance(text) > room)
            QToolTip::showText(help->globalPos(), text, table_->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vantrel::ui
