#pragma once

#include <array>

#include "online/COnlineWindow.h"

class QComboBox;
class QLineEdit;
class QTimer;

namespace vantrel {

// The network register test ("485通信テスト"): one register request (read 3,
// diagnostics 8, write 16) to one network driver. "送信" checks the fields
// and hands the request to the next status poll; 300 ms later the five reads
// of the driver's answer are queued, and 300 ms after that the answer is
// shown. The two timers run only between a send and its answer.
class CRegisterTestDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kAnswerStepMs = 300;

    explicit CRegisterTestDlg(AppState& state, QWidget* parent = nullptr);

    // Nothing to refresh on a timer: the answer comes after each send.
    void refresh() override {}

    void pressSend();
    // Sets the drop-down to function 3, 8 or 16 (and the fields it uses).
    void chooseFunction(int function);
    bool waitingForAnswer() const;

    QLineEdit* slave() const { return slave_; }
    QComboBox* function() const { return function_; }
    QLineEdit* registerAddress() const { return address_; }
    QLineEdit* registerCount() const { return count_; }
    QLineEdit* data() const { return data_; }
    // The answer: slave, function, register address, register count, data.
    QString answerText(int field) const;

private:
    void readAnswer();
    void showAnswer();
    void applyFunction();

    QLineEdit* slave_ = nullptr;
    QComboBox* function_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* data_ = nullptr;
    std::array<QLineEdit*, 5> answer_{};
    QTimer* readTimer_ = nullptr;
    QTimer* showTimer_ = nullptr;
};

}  // namespace vantrel
