#pragma once

#include <QDialog>

class QLabel;

namespace vantrel {

// "バージョン情報": the program's version and build date, the Qt it runs on,
// and the licence of each library the installed programs use.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    // The text shown, as plain text (one fact a line).
    QString text() const;

private:
    QLabel* body_ = nullptr;
};

}  // namespace vantrel
