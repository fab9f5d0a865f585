#include "link/CWaitDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TransactionMessages.h"
#include "link/Protocol.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

namespace {
std::function<void(CWaitDlg&)>& updateHook() {
    static std::function<void(CWaitDlg&)> hook;
    return hook;
}
}  // namespace

CWaitDlg::CWaitDlg(std::atomic<bool>& interruptFlag, QWidget* parent) : QDialog(parent), interruptFlag_(interruptFlag) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    text_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    percentText_ = new QLabel(this);
    percentText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentText_->setMinimumWidth(percentText_->fontMetrics().horizontalAdvance("100％") + 8);
    cancel_ = new QPushButton(tr("キャンセル"), this);
    connect(cancel_, &QPushButton::clicked, this, &CWaitDlg::cancel);

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(bar_, 1);
    barRow->addWidget(percentText_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(barRow);
    layout->addLayout(buttonRow);
    setMinimumWidth(360);
}

int CWaitDlg::run(ProgressKind kind, unsigned operation) {
    kind_ = kind;
    operation_ = operation;
    setWindowTitle(ui::coreText(progressTitle(kind)));
    text_->setText(ui::coreText(progressText(kind)));
    cancel_->setVisible(progressCancellable(kind));
    interruptFlag_.store(false);
    setPercent(0);
    running_ = true;
    const int result = exec();
    running_ = false;
    return result;
}

int CWaitDlg::percent() const { return bar_->value(); }

void CWaitDlg::onProgress(unsigned operation, int percent, int result) {
    if (!running_ || operation != operation_) return;
    setPercent(percent);
    // The first ending result closes the window; later ones find it closed.
    if (result != kRunning) {
        running_ = false;
        done(result);
    }
}

void CWaitDlg::setUpdateHook(std::function<void(CWaitDlg&)> hook) { updateHook() = std::move(hook); }

void CWaitDlg::reject() {
    if (progressCancellable(kind_) && running_) cancel();
}

void CWaitDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (updateHook()) updateHook()(*this);
}

void CWaitDlg::cancel() {
    if (!running_) return;
    interruptFlag_.store(true);
    running_ = false;
    done(kProgressCancelled);
}

void CWaitDlg::setPercent(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
    percentText_->setText(ui::coreText(progressPercentText(percent)));
    if (running_ && isVisible() && updateHook()) updateHook()(*this);
}

}  // namespace vantrel
