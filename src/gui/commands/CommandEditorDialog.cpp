#include "commands/CommandEditorDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/CIoSymbolPicker.h"
#include "commands/ChoiceList.h"
#include "commands/MotionFormTexts.h"
#include "program/StepEditor.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"
#include "ui/OkCancelButtons.h"
#include "ui/StatusNote.h"

namespace vantrel {

namespace {
constexpr int kMinimumWidth = 240;
}  // namespace

CommandEditorDialog::CommandEditorDialog(const std::string& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ui::coreText(title));
    buttons_ = ui::newOkCancelButtons(*this);
}

QAbstractButton* CommandEditorDialog::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }

QAbstractButton* CommandEditorDialog::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

void CommandEditorDialog::finishLayout(QLayout* form, QWidget* first) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(buttons_);
    layout->addStrut(kMinimumWidth);  // room for the title of a small form
    layout->setSizeConstraint(QLayout::SetFixedSize);
    modelChanged();
    if (first) first->setFocus(Qt::OtherFocusReason);
}

void CommandEditorDialog::modelChanged() {
    showing_ = true;
    showModel();
    showing_ = false;
}

void CommandEditorDialog::bindText(QLineEdit* field, std::function<void(std::string)> set) {
    connect(field, &QLineEdit::textChanged, this, [this, set = std::move(set)](const QString& text) {
        if (showing_) return;
        set(text.toStdString());
        modelChanged();
    });
}

void CommandEditorDialog::bindCheck(QAbstractButton* box, std::function<void(bool)> set) {
    connect(box, &QAbstractButton::toggled, this, [this, set = std::move(set)](bool checked) {
        if (showing_) return;
        set(checked);
        modelChanged();
    });
}

void CommandEditorDialog::bindChoice(QComboBox* list, std::function<void(int)> choose) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, choose = std::move(choose)](int index) {
        if (showing_ || index < 0) return;
        choose(index);
        modelChanged();
    });
}

void CommandEditorDialog::bindPicker(CIoSymbolPicker* picker, std::function<void(int)> choosePage,
                                     std::function<void(int)> chooseRow, std::function<void(int)> chooseCategory) {
    const auto bind = [this](auto signal, CIoSymbolPicker* from, std::function<void(int)> choose) {
        connect(from, signal, this, [this, choose = std::move(choose)](int index) {
            if (showing_) return;
            choose(index);
            modelChanged();
        });
    };
    bind(&CIoSymbolPicker::pageChosen, picker, std::move(choosePage));
    bind(&CIoSymbolPicker::rowChosen, picker, std::move(chooseRow));
    if (chooseCategory) bind(&CIoSymbolPicker::categoryChosen, picker, std::move(chooseCategory));
}

void CommandEditorDialog::showText(QLineEdit* field, const std::string& text) {
    const QString shown = fromUtf8(text);
    // Only a change is written, so typing keeps its cursor.
    if (field->text() != shown) field->setText(shown);
}

void CommandEditorDialog::showChecked(QAbstractButton* box, bool checked) {
    if (box->isChecked() != checked) box->setChecked(checked);
}

void CommandEditorDialog::showChoices(QComboBox* list, const ChoiceList& choices) {
    // A list that keeps a step's own target may have grown an entry in front.
    if (list->count() != choices.size()) {
        list->clear();
        for (const std::string& text : choices.texts()) list->addItem(ui::coreText(text));
    }
    if (list->currentIndex() != choices.chosenIndex()) list->setCurrentIndex(choices.chosenIndex());
}

void CommandEditorDialog::showRadio(QRadioButton* first, QRadioButton* second, bool firstChosen) {
    // One of an exclusive pair is unchecked by checking the other.
    showChecked(firstChosen ? first : second, true);
}

void CommandEditorDialog::showText(QPlainTextEdit* panel, const std::string& text) {
    const QString shown = ui::coreText(text);
    if (panel->toPlainText() != shown) panel->setPlainText(shown);
}

void CommandEditorDialog::enableAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls) control->setEnabled(enabled);
}

QLineEdit* CommandEditorDialog::newReadOnlyField(int width) {
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFixedWidth(width);
    field->setAlignment(Qt::AlignRight);
    // Grey like the form, so it does not look like a field to type into.
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    field->setPalette(colours);
    return field;
}

QLineEdit* CommandEditorDialog::newNumberField(const std::string& hint) {
    auto* field = new QLineEdit(this);
    field->setFixedWidth(96);
    field->setAlignment(Qt::AlignRight);
    field->setToolTip(ui::coreText(hint));
    return field;
}

QHBoxLayout* CommandEditorDialog::newRadioPair(const char* firstText, const char* secondText, QRadioButton*& first,
                                              QRadioButton*& second) {
    first = new QRadioButton(motion::text(firstText), this);
    second = new QRadioButton(motion::text(secondText), this);
    auto* group = new QButtonGroup(this);
    group->addButton(first);
    group->addButton(second);
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

QHBoxLayout* CommandEditorDialog::newOnOffPair(QRadioButton*& on, QRadioButton*& off,
                                              std::function<void(bool on)> setOn) {
    QHBoxLayout* row = newRadioPair(motion::kOnText, motion::kOffText, on, off);
    bindCheck(on, std::move(setOn));
    return row;
}

QPlainTextEdit* CommandEditorDialog::newTextPanel() {
    auto* panel = new QPlainTextEdit(this);
    panel->setReadOnly(true);
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setFixedHeight(panel->fontMetrics().lineSpacing() * 4 + 12);
    return panel;
}

QPushButton* CommandEditorDialog::newButton(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(text);
    button->setAutoDefault(false);
    return button;
}

bool CommandEditorDialog::tell(const MaybeRefusal& refusal) {
    if (!refusal) return false;
    showRefusal(*refusal);
    return true;
}

void CommandEditorDialog::showRefusal(const Refusal& refusal) {
    // The range a refused field takes goes beside the message, not into it.
    if (!refusal.note.empty()) ui::showStatusNote(ui::coreText(refusal.note));
    ui::showMessage(this, refusal);
}

void CommandEditorDialog::accept() {
    const EditorResult result = checkModel();
    if (result.refusal) {
        showRefusal(*result.refusal);
        return;
    }
    modelChanged();  // the checked fields in their stored form
    if (store_) {
        if (const MaybeRefusal refusal = store_(result.record)) {
            showRefusal(*refusal);
            return;
        }
    }
    record_ = result.record;
    QDialog::accept();
}

CommandEditorResult runEditorDialog(CommandEditorDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return CommandEditorResult::cancelled();
    return CommandEditorResult::confirmed(dialog.record());
}

CommandEditorResult runStoringEditorDialog(CommandEditorDialog& dialog, CommandEditorContext& context) {
    dialog.setStore([&context](const CommandEditRecord& record) { return context.steps.storeCommand(record).refusal; });
    if (dialog.exec() != QDialog::Accepted) return CommandEditorResult::cancelled();
    if (context.settingsChanged) context.settingsChanged();
    return CommandEditorResult::stored();
}

}  // namespace vantrel
