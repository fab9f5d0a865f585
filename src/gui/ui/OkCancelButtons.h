#pragma once

class QDialog;
class QDialogButtonBox;

namespace vantrel::ui {

// The "OK" / "キャンセル" buttons of a dialog: OK is the default button, so
// Enter in a field is OK, and Escape is Cancel. OK calls the dialog's
// accept() (which may check and refuse), キャンセル its reject().
QDialogButtonBox* newOkCancelButtons(QDialog& dialog);

}  // namespace vantrel::ui
