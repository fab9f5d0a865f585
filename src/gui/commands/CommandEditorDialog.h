#pragma once

// What every command editor form shares: the title from its model, the OK /
// キャンセル buttons (Enter is OK, Escape is Cancel), focus in the first
// control, and the binding of controls to the model (src/core/commands).
//
// A form binds each control with bindText / bindCheck / bindChoice: a change
// by the user goes into the model's setter, then showModel() reads every
// control back from the model, since one setter may change other fields (a
// chosen point refills its positions, an excitation box clears the others).
// OK runs the model's checks; a refusal is shown and the form stays open with
// the input as typed, otherwise the fields show their stored form and the
// record is kept for the caller. The form itself holds no rule.

#include <functional>
#include <initializer_list>
#include <string>

#include <QDialog>
#include <QString>

#include "commands/CommandEditor.h"
#include "commands/CommandEditorRegistry.h"
#include "data/Refusal.h"
#include "ui/Utf8Text.h"

class QAbstractButton;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLayout;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

class ChoiceList;
class CIoSymbolPicker;

class CommandEditorDialog : public QDialog {
    Q_OBJECT
public:
    // After OK: the record to store.
    const CommandEditRecord& record() const { return record_; }

    // Stores the confirmed record before the form closes; a refusal is shown
    // and the form stays open. Unset: the caller stores after the form closed.
    using Store = std::function<MaybeRefusal(const CommandEditRecord& record)>;
    void setStore(Store store) { store_ = std::move(store); }

    QAbstractButton* okButton() const;
    QAbstractButton* cancelButton() const;

public slots:
    void accept() override;

protected:
    CommandEditorDialog(const std::string& title, QWidget* parent);

    // The model's checks and record (CommandEditor::accept).
    virtual EditorResult checkModel() = 0;
    // Reads every control from the model.
    virtual void showModel() = 0;

    // Puts `form` above the buttons, shows the model and gives `first` the focus.
    void finishLayout(QLayout* form, QWidget* first);

    void bindText(QLineEdit* field, std::function<void(std::string)> set);
    void bindCheck(QAbstractButton* box, std::function<void(bool)> set);
    void bindChoice(QComboBox* list, std::function<void(int)> choose);
    // The sub-page and row picked in a symbol list (and its category, where
    // the list has several).
    void bindPicker(CIoSymbolPicker* picker, std::function<void(int)> choosePage, std::function<void(int)> chooseRow,
                    std::function<void(int)> chooseCategory = {});

    // Control updates that do not feed back into the model.
    static void showText(QLineEdit* field, const std::string& text);
    static void showChecked(QAbstractButton* box, bool checked);
    static void showChoices(QComboBox* list, const ChoiceList& choices);
    static void showRadio(QRadioButton* first, QRadioButton* second, bool firstChosen);
    static void showText(QPlainTextEdit* panel, const std::string& text);
    static void enableAll(std::initializer_list<QWidget*> controls, bool enabled);

    // A read-only line for values the form shows but does not edit.
    QLineEdit* newReadOnlyField(int width);
    // A position or speed field with its tool tip.
    QLineEdit* newNumberField(const std::string& hint);
    // Two radio buttons that exclude each other (and no other button of the form).
    QHBoxLayout* newRadioPair(const char* firstText, const char* secondText, QRadioButton*& first,
                              QRadioButton*& second);
    // "ON" / "OFF" as such a pair, bound to the model's `setOn`.
    QHBoxLayout* newOnOffPair(QRadioButton*& on, QRadioButton*& off, std::function<void(bool on)> setOn);
    // A read-only text of a few lines the form builds up (terms, an expression).
    QPlainTextEdit* newTextPanel();
    // A push button of the form ("AND", "軸確定", ...) that Enter never presses:
    // Enter is OK wherever the focus is.
    QPushButton* newButton(const QString& text);

    // Shows the model again after the form changed it outside the bindings
    // (a button, a list row).
    void modelChanged();
    // Shows the refusal of a button's action, if any; true when there was one.
    bool tell(const MaybeRefusal& refusal);

private:
    // The message box, and the refusal's note (a field's range) in the status bar.
    void showRefusal(const Refusal& refusal);

    QDialogButtonBox* buttons_ = nullptr;
    CommandEditRecord record_;
    Store store_;
    bool showing_ = false;
};

// Runs a form modally: its record when confirmed, else nothing.
CommandEditorResult runEditorDialog(CommandEditorDialog& dialog);
// Runs a form that writes into chosen points (point move, shift): it stores
// before it closes, so that a refusal keeps it open and another point can be
// chosen, then the views that show the points refresh.
CommandEditorResult runStoringEditorDialog(CommandEditorDialog& dialog, CommandEditorContext& context);

}  // namespace vantrel
