#include "commands/CCommentDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/AnsiText.h"
#include "ui/MessageBox.h"
#include "ui/OkCancelButtons.h"

namespace vantrel {

CCommentDlg::CCommentDlg(const QString& title, const std::string& textCp932, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(title);
    text_ = new QLineEdit(QString::fromStdString(ansiToUtf8(textCp932)), this);
    text_->setMinimumWidth(420);
    auto* note = new QLabel(tr("※最大半角100文字入力可能"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(note);
    layout->addWidget(ui::newOkCancelButtons(*this));
}

void CCommentDlg::accept() {
    if (apply_) {
        if (const MaybeRefusal refusal = apply_(utf8ToAnsi(text_->text().toStdString()))) {
            ui::showMessage(this, *refusal);
            return;
        }
    }
    QDialog::accept();
}

}  // namespace vantrel
