#pragma once

class QApplication;

namespace vantrel::ui {

// Installs Qt's own Japanese texts (message box buttons "はい"/"いいえ", file
// dialogs, context menus of text fields), so the parts of the window Qt
// draws speak the same language as the rest. False when Qt's translations
// are not installed; the window then keeps Qt's English texts.
bool installQtJapaneseTexts(QApplication& application);

}  // namespace vantrel::ui
