#include "program/CProgramView.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/OperatingMode.h"
#include "app/TransactionMessages.h"
#include "platform/AnsiText.h"
#include "program/CCommandPalette.h"
#include "program/ProgramList.h"
#include "program/CStepTableView.h"
#include "program/StepTableAreas.h"
#include "program/StepTableItemModel.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/StatusNote.h"
#include "ui/Utf8Text.h"
#include "ui/VisibleTexts.h"

namespace vantrel {

namespace {

QPushButton* addButton(QWidget* parent, QLayout* layout, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(text);
    layout->addWidget(button);
    return button;
}

}  // namespace

CProgramView::CProgramView(AppState& state, const CommandEditorRegistry& editors, Host host, QWidget* parent)
    : QWidget(parent),
      state_(state),
      editors_(editors),
      host_(std::move(host)),
      context_{state.image, state.steps, state.programs, state.ioNames, &state.history, {}} {
    // The listing shows point positions and timer values: after an editor
    // changed them, the table lists them anew.
    context_.settingsChanged = [this] { fillTable(Scroll::Keep); };

    table_ = new CStepTableView(this);
    model_ = new StepTableItemModel(this);
    table_->setModel(model_);
    for (int column = 0; column < kStepColumnCount; ++column)
        table_->setColumnWidth(column, StepTableModel::width(column));
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { syncSelectedRow(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { syncSelectedRow(); });
    connect(table_, &CStepTableView::editRequested, this, &CProgramView::editStep);
    connect(table_, &CStepTableView::deleteRequested, this, &CProgramView::deleteSelectedSteps);
    connect(table_, &CStepTableView::copyRequested, this, &CProgramView::copy);
    connect(table_, &CStepTableView::pasteRequested, this, &CProgramView::paste);
    keepWindowsClearOfStepTable(table_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createHeader());
    layout->addWidget(createButtons());
    layout->addWidget(table_, 1);

    palette_ = new CCommandPalette(
        [this](const PaletteEntry& entry) { return editors_.contains(entry.editor); },
        this);
    connect(palette_, &CCommandPalette::entryPressed, this, &CProgramView::pressPaletteEntry);
    connect(palette_, &CCommandPalette::deletePressed, this, &CProgramView::deleteSelectedSteps);
    connect(palette_, &CCommandPalette::commentPressed, this, &CProgramView::editComment);

    // The editor starts as the program editor does when it is shown: the
    // directory scanned, the I/O names read, the first program loaded, its
    // first row selected.
    state_.programFiles.initialiseEditor();
    state_.steps.setSelectedRow(0);
    state_.steps.resetLastStoredRow();
    state_.steps.endEditExisting();
    refreshStatus();
    showProgram();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CProgramView::refreshStatus);
    timer_->start(kRefreshMilliseconds);
}

CProgramView::~CProgramView() = default;

QWidget* CProgramView::createHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    numberList_ = new QComboBox(header);
    numberList_->setMinimumWidth(70);
    connect(numberList_, &QComboBox::activated, this, &CProgramView::chooseProgram);
    row->addWidget(new QLabel(tr("プログラムNo."), header));
    row->addWidget(numberList_);
    row->addSpacing(12);
    row->addWidget(new QLabel(tr("プログラム名称"), header));
    nameButton_ = new QPushButton(header);
    nameButton_->setObjectName(QStringLiteral("プログラム名称"));
    nameButton_->setMinimumWidth(220);
    nameButton_->setProperty(ui::kUserData, true);  // shows the program's name
    nameButton_->setToolTip(tr("プログラム名称"));
    connect(nameButton_, &QPushButton::clicked, this, &CProgramView::editProgramName);
    row->addWidget(nameButton_);
    row->addSpacing(12);
    row->addWidget(new QLabel(tr("動作モード"), header));
    modeField_ = new QLineEdit(header);
    modeField_->setReadOnly(true);
    modeField_->setFocusPolicy(Qt::NoFocus);
    modeField_->setMinimumWidth(140);
    row->addWidget(modeField_);
    statusField_ = new QLineEdit(header);
    statusField_->setReadOnly(true);
    statusField_->setFocusPolicy(Qt::NoFocus);
    statusField_->setMinimumWidth(170);
    // Running tasks are named here; a click shows the task's program.
    statusField_->installEventFilter(this);
    row->addWidget(statusField_, 1);
    return header;
}

QWidget* CProgramView::createButtons() {
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    editButtons_ = new QWidget(buttons);
    auto* edit = new QHBoxLayout(editButtons_);
    edit->setContentsMargins(0, 0, 0, 0);
    connect(addButton(editButtons_, edit, tr("コンパイル")), &QPushButton::clicked, this,
            &CProgramView::compilePrograms);
    connect(addButton(editButtons_, edit, tr("プログラム一覧")), &QPushButton::clicked, this,
            &CProgramView::openProgramList);
    connect(addButton(editButtons_, edit, tr("プログラムを開く")), &QPushButton::clicked, this,
            &CProgramView::openProgramFile);
    connect(addButton(editButtons_, edit, tr("プログラムの保存")), &QPushButton::clicked, this,
            &CProgramView::saveProgramFile);
    connect(addButton(editButtons_, edit, tr("テーブル再表示")), &QPushButton::clicked, this,
            &CProgramView::showPalette);
    edit->addSpacing(16);
    connect(addButton(editButtons_, edit, tr("プログラム\n初期化")), &QPushButton::clicked, this,
            &CProgramView::resetPrograms);
    connect(addButton(editButtons_, edit, tr("プログラム読出し")), &QPushButton::clicked, this,
            &CProgramView::readProgramsFromController);

    runButtons_ = new QWidget(buttons);
    auto* run = new QHBoxLayout(runButtons_);
    run->setContentsMargins(0, 0, 0, 0);
    // "■" stops the program, ">>" runs the next step (the start request,
    // which in step-run mode runs one step).
    connect(addButton(runButtons_, run, QStringLiteral("■")), &QPushButton::clicked, this,
            [this] { state_.status.runRequest.store(runRequest::kStop); });
    connect(addButton(runButtons_, run, QStringLiteral(">>")), &QPushButton::clicked, this,
            [this] { state_.status.runRequest.store(runRequest::kStart); });

    row->addWidget(editButtons_);
    row->addWidget(runButtons_);
    row->addStretch(1);
    return buttons;
}

QPushButton* CProgramView::button(const QString& text) const { return findChild<QPushButton*>(text); }

// --- status refresh ------------------------------------------------------------

void CProgramView::refreshStatus() {
    const ControllerStatus& status = state_.status;
    ProgramViewStatusInput input;
    input.mode = status.modeWord.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < input.tasks.size(); ++i)
        input.tasks[i] = {status.runFlags[i].load(std::memory_order_relaxed),
                          status.statusValues[i].load(std::memory_order_relaxed)};
    input.storeClean = state_.programs.storeClean();
    input.programShown = state_.programs.current().number;

    const ProgramViewStatus::Changes changes = status_.tick(input, compile_);
    if (!changes.any()) return;
    if (changes.modeChanged) applyMode();
    if (changes.showErrorProgram) showErrorProgram();
    if (changes.statusChanged) showStatusTexts();
    if (changes.runningRowMoved) moveRunningRow(changes);
}

void CProgramView::applyMode() {
    const int mode = status_.mode();
    state_.steps.setControllerMode(mode);
    const bool editing = state_.steps.editable();
    modeField_->setText(ui::coreText(status_.modeText()));
    editButtons_->setVisible(editing);
    runButtons_->setVisible(mode == static_cast<int>(ControllerMode::StepRun));
    palette_->setEditing(editing);
    table_->setMenuEnabled(editing);
    if (editing)
        fillTable(Scroll::Keep);
    else
        model_->setHighlights(highlights());
}

void CProgramView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The listing's words, the mode and the status line are built in the window's language.
    if (event->type() != QEvent::LanguageChange || !model_) return;
    fillTable(Scroll::Keep);
    applyMode();
    showStatusTexts();
}

void CProgramView::showStatusTexts() {
    statusField_->setText(statusShown());
    const bool tasks = !status_.runningTasks().empty();
    statusField_->setCursor(tasks ? Qt::PointingHandCursor : Qt::ArrowCursor);
    statusField_->setToolTip(tasks ? tr("クリックするとそのタスクのプログラムを表示します。") : QString());
    statusField_->setStyleSheet(status_.statusOnRed()
                                    ? QStringLiteral("QLineEdit { background: rgb(255, 0, 0); color: white; }")
                                    : QString());
}

void CProgramView::showErrorProgram() {
    if (!ProgramCompile::showErrorProgram(state_.programs, compile_)) return;
    errorHighlight_ = true;
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    status_.clearRunningRow();
    showProgram();
    if (compile_.errorStep >= 0 && compile_.errorStep < model_->rowCount())
        table_->scrollTo(model_->index(compile_.errorStep, 0), QAbstractItemView::PositionAtCenter);
    // The status colour follows the program now shown.
    refreshStatus();
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusField_ && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const int task = taskAtStatusPosition(statusField_->cursorPositionAt(press->position().toPoint()));
        if (task >= 0) showProgramOfTask(task);
        return task >= 0;
    }
    return QWidget::eventFilter(watched, event);
}

QString CProgramView::taskSeparatorShown() {
    // The ideographic space parts the tasks in Japanese only.
    return ui::guiLanguage() == Language::English ? QStringLiteral("  ") : fromUtf8(ProgramViewStatus::kTaskSeparator);
}

QStringList CProgramView::runningTasksShown() const {
    QStringList parts;
    for (const RunningTask& task : status_.runningTasks())
        parts << ui::coreText(ProgramViewStatus::runningTaskText(task));
    return parts;
}

QString CProgramView::statusShown() const {
    if (status_.runningTasks().empty()) return ui::coreText(status_.statusText());
    return runningTasksShown().join(taskSeparatorShown());
}

int CProgramView::taskAtStatusPosition(int position) const {
    const QStringList parts = runningTasksShown();
    const std::vector<RunningTask>& tasks = status_.runningTasks();
    int end = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        end += static_cast<int>(parts[i].size());
        if (position <= end) return tasks[static_cast<std::size_t>(i)].task;
        end += static_cast<int>(taskSeparatorShown().size());
    }
    return -1;
}

void CProgramView::showProgramOfTask(int task) {
    for (const RunningTask& running : status_.runningTasks()) {
        if (running.task != task) continue;
        const auto& numbers = state_.programs.directory().numbers;
        const auto found = std::find(numbers.begin(), numbers.end(), running.program);
        if (found == numbers.end()) {
            ui::showStatusNote(tr("プログラム #%1 はPC上のプログラムにありません。")
                                   .arg(running.program, 3, 10, QLatin1Char('0')));
            return;
        }
        if (running.program != state_.programs.current().number) {
            const int index = static_cast<int>(found - numbers.begin());
            const QSignalBlocker block(numberList_);
            numberList_->setCurrentIndex(index);
            chooseProgram(index);
        }
        // The task's step is highlighted at once, not at the next tick.
        refreshStatus();
        if (running.step >= 0 && running.step < model_->rowCount())
            table_->scrollTo(model_->index(running.step, 0), QAbstractItemView::EnsureVisible);
        return;
    }
}

void CProgramView::moveRunningRow(const ProgramViewStatus::Changes& changes) {
    model_->setHighlights(highlights());
    const int rows = model_->rowCount();
    if (changes.runningRow < 0 || rows == 0) return;
    table_->scrollTo(model_->index(std::min(changes.scrollRow, rows - 1), 0), QAbstractItemView::EnsureVisible);
    table_->scrollTo(model_->index(std::min(changes.runningRow, rows - 1), 0), QAbstractItemView::EnsureVisible);
}

// --- program and table ---------------------------------------------------------

void CProgramView::showProgram() {
    fillNumberList();
    showProgramName();
    fillTable();
}

void CProgramView::fillNumberList() {
    const QSignalBlocker block(numberList_);
    numberList_->clear();
    const ProgramDirectory& directory = state_.programs.directory();
    for (const std::string& text : ProgramList::numberListTexts(directory)) numberList_->addItem(QString::fromStdString(text));
    const auto& numbers = directory.numbers;
    const auto found = std::find(numbers.begin(), numbers.end(), state_.programs.current().number);
    numberList_->setCurrentIndex(found == numbers.end() ? -1 : static_cast<int>(found - numbers.begin()));
}

void CProgramView::showProgramName() {
    nameButton_->setText(QString::fromStdString(ansiToUtf8(state_.programs.current().name)));
}

RowHighlightState CProgramView::highlights() const {
    RowHighlightState h;
    h.runMode = status_.runMode();
    h.runningStep = status_.runningRow();
    if (errorHighlight_ && compile_.lastStatus == CompileResult::kControllerError &&
        compile_.errorProgram == state_.programs.current().number)
        h.errorStep = compile_.errorStep;
    h.lastStoredRow = lastStoredRow_;
    return h;
}

void CProgramView::fillTable(Scroll scroll) {
    const int scrolled = table_->verticalScrollBar()->value();
    filling_ = true;
    model_->fill(state_.programs.current(), state_.image, state_.programs.directory(), highlights());
    filling_ = false;
    const int row = state_.steps.selectedRow();
    table_->selectSingleRow(row);
    syncSelectedRow();
    if (scroll == Scroll::Keep) table_->verticalScrollBar()->setValue(scrolled);
    if (row >= 0 && row < model_->rowCount()) table_->scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
}

void CProgramView::syncSelectedRow() {
    if (filling_) return;
    const std::vector<int> rows = table_->selectedRowNumbers();
    if (rows.empty()) {
        state_.steps.setSelectedRow(-1);
        return;
    }
    const int current = table_->currentIndex().row();
    const bool currentSelected = std::find(rows.begin(), rows.end(), current) != rows.end();
    state_.steps.setSelectedRow(currentSelected ? current : rows.front());
}

void CProgramView::chooseProgram(int index) {
    const auto& numbers = state_.programs.directory().numbers;
    if (index < 0 || index >= static_cast<int>(numbers.size())) return;
    state_.programs.selectProgram(numbers[static_cast<std::size_t>(index)]);
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    state_.steps.setSelectedRow(0);
    status_.clearRunningRow();
    showProgramName();
    fillTable();
}

void CProgramView::reloadPrograms() {
    // A program read started here finishes in readProgramsFromController.
    if (readingPrograms_) return;
    state_.programFiles.initialiseEditor();
    state_.steps.setSelectedRow(0);
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    showProgram();
}

void CProgramView::showEditedStep(int program, int row) {
    const auto& numbers = state_.programs.directory().numbers;
    if (program != state_.programs.current().number && std::find(numbers.begin(), numbers.end(), program) != numbers.end())
        state_.programs.selectProgram(program);
    lastStoredRow_ = -1;
    state_.steps.resetLastStoredRow();
    if (row >= 0 && row < CurrentProgram::kMaxSteps) state_.steps.setSelectedRow(row);
    status_.clearRunningRow();
    showProgram();
}

void CProgramView::showPalette() { palette_->open(); }

void CProgramView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The palette opens with the editor, and comes back with it when it was
    // open as the editor was hidden.
    if (paletteShown_) palette_->open();
    paletteShown_ = false;
}

void CProgramView::hideEvent(QHideEvent* event) {
    paletteShown_ = palette_->isVisible();
    palette_->hide();
    QWidget::hideEvent(event);
}

// --- helpers ---------------------------------------------------------------------

bool CProgramView::tell(const MaybeRefusal& message) {
    if (!message) return false;
    ui::showMessage(this, *message);
    return true;
}

void CProgramView::programEdited() { state_.unsavedFlash = true; }

int CProgramView::runOperation(ProgressKind kind, const std::function<bool()>& start) {
    return host_.runOperation ? host_.runOperation(kind, start) : kProgressFailed;
}

}  // namespace vantrel
