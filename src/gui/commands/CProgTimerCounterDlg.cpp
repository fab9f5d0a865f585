#include "commands/CProgTimerCounterDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/CIoSymbolPicker.h"
#include "commands/RegisterCommandEditors.h"

namespace vantrel {

CProgTimerCounterDlg::CProgTimerCounterDlg(TimerCounterMemoryEditor editor, QWidget* parent)
    : CCommandDlg(parent), editor_(std::move(editor)) {
    picker_ = new CIoSymbolPicker(this);
    connect(picker_, &CIoSymbolPicker::pageChosen, this, [this](int index) {
        editor_.choosePage(index);
        showModel();
    });
    connect(picker_, &CIoSymbolPicker::rowChosen, this, [this](int row) {
        editor_.chooseRow(row);
        showModel();
    });

    operand_ = new QLineEdit(this);
    operand_->setReadOnly(true);
    operand_->setFocusPolicy(Qt::NoFocus);
    valueCaption_ = new QLabel(this);
    value_ = new QLineEdit(this);
    value_->setToolTip(qs(editor_.valueHint()));
    connect(value_, &QLineEdit::textEdited, this, [this](const QString& text) { editor_.setValueText(text.toStdString()); });
    unit_ = new QLabel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("設定項目"), this), 0, 0);
    fields->addWidget(operand_, 0, 1);
    fields->addWidget(valueCaption_, 1, 0);
    fields->addWidget(value_, 1, 1);
    fields->addWidget(unit_, 1, 2);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout;
    layout->addWidget(picker_);
    layout->addLayout(fields);
    finish(layout);
}

void CProgTimerCounterDlg::showModel() {
    picker_->showList(editor_.list());
    showText(operand_, qs(editor_.operandText()));
    const bool value = editor_.hasValue();
    for (QWidget* control : {static_cast<QWidget*>(valueCaption_), static_cast<QWidget*>(value_),
                             static_cast<QWidget*>(unit_)})
        control->setVisible(value);
    valueCaption_->setText(qs(editor_.valueLabel()));
    unit_->setText(qs(editor_.valueUnit()));
    showText(value_, qs(editor_.valueText()));
}

void registerTimerCounterEditor(CommandEditorRegistry& registry) {
    // "時間待ち" (12), "Counter＋" (13), "Counter－" (14), "CounterClr" (15),
    // "CounterSet" (46), "Memory＋" (16), "Memory－" (17). Storing a time wait
    // also sets the timer's preset and sends it to the controller.
    registry.add(CommandEditorKind::TimerCounterMemory, [](const CommandEditorRequest& request) {
        const CommandEditorContext& context = request.context;
        return runCommandDialog<CProgTimerCounterDlg>(
            request, TimerCounterMemoryEditor(static_cast<std::uint8_t>(request.mode), request.start,
                                              request.editExisting, context.ioNames, context.image));
    });
}

}  // namespace vantrel
