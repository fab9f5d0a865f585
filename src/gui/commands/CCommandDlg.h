#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QDialog>
#include <QString>

#include "commands/CommandEditor.h"
#include "commands/CommandEditorRegistry.h"

class QBoxLayout;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vantrel {

// What the command editor dialogs of the flow-control, I/O and calculation
// commands share: a model (src/core/commands) that holds every rule, "OK" and
// "キャンセル" at the bottom, Enter for OK and Escape for Cancel wherever the
// focus is, and OK that shows the model's refusal or closes with its record.
//
// A dialog builds its controls over the model, sends what the user does to
// the model and then calls showModel(), which writes every control from the
// model again (a change may touch other fields).
class CCommandDlg : public QDialog {
    Q_OBJECT
public:
    // The record confirmed by OK.
    const CommandEditRecord& record() const { return record_; }
    QPushButton* okButton() const { return ok_; }

public slots:
    void accept() override;

protected:
    explicit CCommandDlg(QWidget* parent);

    virtual CommandEditor& model() = 0;
    // Writes every control from the model.
    virtual void showModel() = 0;

    // Puts `content` above the OK / キャンセル row, makes OK the only button
    // that Enter presses, sets the title from the model and shows the model.
    void finish(QBoxLayout* content);
    // A button that Enter never presses (OK is the dialog's default).
    QPushButton* makeButton(const QString& text);
    // Shows the refusal, if any; true when there was one.
    bool tell(const MaybeRefusal& refusal);

private:
    CommandEditRecord record_;
    QPushButton* ok_ = nullptr;
};

// UTF-8 display text of the models.
inline QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Sets a field's text only when it differs, so the cursor of a field being
// typed in stays where it is.
void showText(QLineEdit* field, const QString& text);
// Fills a drop-down with `texts` (when they changed) and chooses `index`.
void showChoices(QComboBox* list, const std::vector<std::string>& texts, int index);

// Opens `Dialog` (constructed from `args` and the request's parent) and
// returns what its OK confirmed.
template <class Dialog, class... Args>
CommandEditorResult runCommandDialog(const CommandEditorRequest& request, Args&&... args) {
    Dialog dialog(std::forward<Args>(args)..., request.parent);
    if (dialog.exec() != QDialog::Accepted) return CommandEditorResult::cancelled();
    return CommandEditorResult::confirmed(dialog.record());
}

}  // namespace vantrel
