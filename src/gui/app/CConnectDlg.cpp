#include "app/CConnectDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

CConnectDlg::CConnectDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("接続"));
    auto* toPc = new QPushButton(tr("コントローラ→PC"), this);
    auto* toController = new QPushButton(tr("PC→コントローラ"), this);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    connect(toPc, &QPushButton::clicked, this, [this] { done(ControllerToPc); });
    connect(toController, &QPushButton::clicked, this, [this] { done(PcToController); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    for (QPushButton* button : {toPc, toController, cancel})
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 32);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(toPc);
    buttons->addWidget(toController);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
}

}  // namespace vantrel
