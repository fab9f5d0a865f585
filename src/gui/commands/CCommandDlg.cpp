#include "commands/CCommandDlg.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/MessageBox.h"

namespace vantrel {

CCommandDlg::CCommandDlg(QWidget* parent) : QDialog(parent) {}

QPushButton* CCommandDlg::makeButton(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(text);
    button->setAutoDefault(false);
    return button;
}

void CCommandDlg::finish(QBoxLayout* content) {
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    cancel->setObjectName(QStringLiteral("キャンセル"));
    connect(ok_, &QPushButton::clicked, this, &CCommandDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    content->addLayout(buttons);
    setLayout(content);

    // A dialog's push buttons take Enter when they have the focus; here Enter
    // always means OK.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    ok_->setDefault(true);
    setWindowTitle(qs(model().title()));
    showModel();
}

void showText(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

void showChoices(QComboBox* list, const std::vector<std::string>& texts, int index) {
    bool same = list->count() == static_cast<int>(texts.size());
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == qs(texts[static_cast<std::size_t>(i)]);
    if (!same) {
        const QSignalBlocker block(list);
        list->clear();
        for (const std::string& text : texts) list->addItem(qs(text));
    }
    if (list->currentIndex() != index) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(index);
    }
}

bool CCommandDlg::tell(const MaybeRefusal& refusal) {
    if (!refusal) return false;
    ui::showMessage(this, *refusal);
    return true;
}

void CCommandDlg::accept() {
    const EditorResult result = model().accept();
    // The model rewrites the checked fields in their stored form.
    showModel();
    if (tell(result.refusal)) return;
    record_ = result.record;
    QDialog::accept();
}

}  // namespace vantrel
