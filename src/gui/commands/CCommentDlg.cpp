#include "commands/CCommentDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/AnsiText.h"
#include "ui/MessageBox.h"

namespace vantrel {

CCommentDlg::CCommentDlg(const QString& title, const std::string& textCp932, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(title);
    text_ = new QLineEdit(QString::fromStdString(ansiToUtf8(textCp932)), this);
    text_->setMinimumWidth(420);
    auto* note = new QLabel(QStringLiteral("※最大半角100文字入力可能"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCommentDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(note);
    layout->addWidget(buttons);
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
