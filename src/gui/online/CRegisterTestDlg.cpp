#include "online/CRegisterTestDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "online/MonitorWindows.h"
#include "online/RegisterTest.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {
namespace {

const char* const kFieldNames[5] = {QT_TRANSLATE_NOOP("vantrel::CRegisterTestDlg", "スレーブ\nアドレス"),
                                    QT_TRANSLATE_NOOP("vantrel::CRegisterTestDlg", "ファンクション\nコード"),
                                    QT_TRANSLATE_NOOP("vantrel::CRegisterTestDlg", "レジスタ\nアドレス"),
                                    QT_TRANSLATE_NOOP("vantrel::CRegisterTestDlg", "レジスタ数"),
                                    QT_TRANSLATE_NOOP("vantrel::CRegisterTestDlg", "データ")};
const char* const kFunctions[3] = {"3", "8", "16"};

QLineEdit* makeEdit(const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setFixedWidth(110);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

}  // namespace

CRegisterTestDlg::CRegisterTestDlg(AppState& state, QWidget* parent)
    : COnlineWindow(state, ui::coreText(monitorWindow(MonitorWindow::RegisterTest).title), parent) {
    const RegisterTestFields start;
    auto* request = new QGroupBox(tr("送信データ"), this);
    auto* requestGrid = new QGridLayout(request);
    slave_ = makeEdit(QString::fromStdString(start.slave), request);
    function_ = new QComboBox(request);
    for (const char* f : kFunctions) function_->addItem(QString::fromLatin1(f));
    function_->setFixedWidth(110);
    address_ = makeEdit(QString::fromStdString(start.registerAddress), request);
    count_ = makeEdit(QString::fromStdString(start.registerCount), request);
    count_->setReadOnly(true);  // always two registers
    count_->setEnabled(false);
    data_ = makeEdit(QString::fromStdString(start.data), request);
    const std::array<QWidget*, 5> inputs = {slave_, function_, address_, count_, data_};
    auto* answer = new QGroupBox(tr("受信データ"), this);
    auto* answerGrid = new QGridLayout(answer);
    for (int i = 0; i < 5; ++i) {
        const auto k = static_cast<std::size_t>(i);
        requestGrid->addWidget(new QLabel(tr(kFieldNames[i]), request), i, 0);
        requestGrid->addWidget(inputs[k], i, 1);
        answerGrid->addWidget(new QLabel(tr(kFieldNames[i]), answer), i, 0);
        answer_[k] = makeEdit(QStringLiteral("0"), answer);
        answer_[k]->setReadOnly(true);
        answerGrid->addWidget(answer_[k], i, 1);
    }
    connect(function_, &QComboBox::currentIndexChanged, this, [this] { applyFunction(); });
    chooseFunction(start.function);

    auto* send = new QPushButton(tr("送信"), this);
    send->setAutoDefault(false);
    connect(send, &QPushButton::clicked, this, &CRegisterTestDlg::pressSend);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(send);
    buttons->addWidget(makeCloseButton());
    auto* columns = new QHBoxLayout;
    columns->addWidget(request);
    columns->addWidget(answer);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    for (QTimer** timer : {&readTimer_, &showTimer_}) {
        *timer = new QTimer(this);
        (*timer)->setSingleShot(true);
        (*timer)->setInterval(kAnswerStepMs);
    }
    connect(readTimer_, &QTimer::timeout, this, &CRegisterTestDlg::readAnswer);
    connect(showTimer_, &QTimer::timeout, this, &CRegisterTestDlg::showAnswer);
}

void CRegisterTestDlg::chooseFunction(int function) {
    const int row = function_->findText(QString::number(function));
    if (row >= 0) function_->setCurrentIndex(row);
    applyFunction();
}

void CRegisterTestDlg::applyFunction() {
    const RegisterFieldStates states = registerFieldStates(static_cast<std::uint8_t>(function_->currentText().toInt()));
    address_->setEnabled(states.registerAddress);
    data_->setEnabled(states.data);
}

void CRegisterTestDlg::pressSend() {
    RegisterTestFields fields;
    fields.slave = slave_->text().toStdString();
    fields.function = static_cast<std::uint8_t>(function_->currentText().toInt());
    fields.registerAddress = address_->text().toStdString();
    fields.registerCount = count_->text().toStdString();
    fields.data = data_->text().toStdString();
    const RegisterCheck check =
        checkRegisterRequest(fields, state().status.modeWord.load(std::memory_order_relaxed), state().image);
    if (check.refusal) {
        ui::showMessage(this, *check.refusal);
        return;
    }
    if (!check.request || !placeRegisterRequest(state().link, *check.request)) return;
    showTimer_->stop();
    readTimer_->start();
}

void CRegisterTestDlg::readAnswer() {
    queueRegisterReplyReads(state().queues);
    showTimer_->start();
}

void CRegisterTestDlg::showAnswer() {
    const RegisterReplyText text = registerReplyText(state().status);
    const std::array<const std::string*, 5> values = {&text.slave, &text.function, &text.registerAddress,
                                                      &text.registerCount, &text.data};
    for (std::size_t i = 0; i < answer_.size(); ++i) answer_[i]->setText(QString::fromStdString(*values[i]));
}

bool CRegisterTestDlg::waitingForAnswer() const { return readTimer_->isActive() || showTimer_->isActive(); }

QString CRegisterTestDlg::answerText(int field) const { return answer_[static_cast<std::size_t>(field)]->text(); }

}  // namespace vantrel
