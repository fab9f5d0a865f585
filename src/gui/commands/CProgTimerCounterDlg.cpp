#include "commands/CProgTimerCounterDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/CIoSymbolPicker.h"
#include "commands/RegisterCommandEditors.h"
#include "program/CommandCode.h"
#include "program/StepEditor.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

CProgTimerCounterDlg::CProgTimerCounterDlg(TimerCounterMemoryEditor editor, QWidget* parent)
    : CommandEditorDialog(editor.title(), parent), editor_(std::move(editor)) {
    picker_ = new CIoSymbolPicker(this);
    bindPicker(
        picker_, [this](int index) { editor_.choosePage(index); }, [this](int row) { editor_.chooseRow(row); });

    operand_ = new QLineEdit(this);
    operand_->setReadOnly(true);
    operand_->setFocusPolicy(Qt::NoFocus);
    valueCaption_ = new QLabel(this);
    value_ = new QLineEdit(this);
    value_->setToolTip(ui::coreText(editor_.valueHint()));
    bindText(value_, [this](std::string text) { editor_.setValueText(std::move(text)); });
    unit_ = new QLabel(this);
    timerNote_ = new QLabel(this);
    timerNote_->setWordWrap(true);
    timerNote_->setStyleSheet(QStringLiteral("color: #0000a0;"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("設定項目"), this), 0, 0);
    fields->addWidget(operand_, 0, 1);
    fields->addWidget(valueCaption_, 1, 0);
    fields->addWidget(value_, 1, 1);
    fields->addWidget(unit_, 1, 2);
    fields->addWidget(timerNote_, 2, 0, 1, 3);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout;
    layout->addWidget(picker_);
    layout->addLayout(fields);
    finishLayout(layout, picker_->table());
}

void CProgTimerCounterDlg::showModel() {
    picker_->showList(editor_.list());
    showText(operand_, editor_.operandText());
    const bool value = editor_.hasValue();
    for (QWidget* control : {static_cast<QWidget*>(valueCaption_), static_cast<QWidget*>(value_),
                             static_cast<QWidget*>(unit_)})
        control->setVisible(value);
    valueCaption_->setText(ui::coreText(editor_.valueLabel()));
    unit_->setText(ui::coreText(editor_.valueUnit()));
    showText(value_, editor_.valueText());
    const QString note = ui::coreText(editor_.timerNote());
    timerNote_->setText(note);
    timerNote_->setVisible(!note.isEmpty());
}

void registerTimerCounterEditor(CommandEditorRegistry& registry) {
    // "時間待ち" (12), "Counter＋" (13), "Counter－" (14), "CounterClr" (15),
    // "CounterSet" (46), "Memory＋" (16), "Memory－" (17). Storing a time wait
    // also sets the timer's preset and sends it to the controller.
    registry.add(CommandEditorKind::TimerCounterMemory, [](const CommandEditorRequest& request) {
        const CommandEditorContext& context = request.context;
        const auto mode = static_cast<std::uint8_t>(request.mode);
        // The step re-opened is not one of the "other" steps on its timer.
        TimerUsage usage;
        if (mode == kCodeWait)
            usage = TimerUsage(context.programs, request.editExisting ? context.steps.selectedRow() : -1);
        CProgTimerCounterDlg dialog(TimerCounterMemoryEditor(mode, request.start, request.editExisting, context.ioNames,
                                                             context.image, usage),
                                    request.parent);
        return runEditorDialog(dialog);
    });
}

}  // namespace vantrel
