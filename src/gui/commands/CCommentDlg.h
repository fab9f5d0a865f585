#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "data/Refusal.h"

class QLineEdit;

namespace vantrel {

// The comment editor "コメント入力": one line of at most 100 bytes in the
// controller's code page. Also the program name editor ("プログラム名称").
// OK hands the text (CP932) to `apply`, which stores it or refuses; a refusal
// is shown and the editor stays open with the text as typed.
class CCommentDlg : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<MaybeRefusal(const std::string& textCp932)>;

    CCommentDlg(const QString& title, const std::string& textCp932, Apply apply, QWidget* parent = nullptr);

    QLineEdit* textField() const { return text_; }

public slots:
    void accept() override;

private:
    Apply apply_;
    QLineEdit* text_ = nullptr;
};

}  // namespace vantrel
