#pragma once

namespace vantrel::ui {

class TextTranslator;

// Gives every open window the texts of the language just chosen: each text
// on a widget, action, menu, tab, header or item that the translator handed
// out before is replaced by the same text in the new language. Texts built
// around numbers or names are not known to it; their windows rebuild them on
// QEvent::LanguageChange. Only texts change: nothing is sent, no state moves.
void retranslateWindows(const TextTranslator& texts);

}  // namespace vantrel::ui
