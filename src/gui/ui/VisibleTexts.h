#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vantrel::ui {

// A property set on a widget, menu or action whose texts are the same in both
// languages (the language menu "言語 / Language").
inline constexpr const char* kBothLanguages = "vantrelBothLanguages";
// A property set on a widget that shows the user's own data (program names,
// comments, I/O names): its texts are whatever the user wrote.
inline constexpr const char* kUserData = "vantrelUserData";

// Every text a person sees in a window and its visible children: titles,
// labels, buttons, group titles, tabs, list entries, headers and cells of
// tables, and the menus of the menu bar with their items. Widgets marked with
// kBothLanguages or kUserData are left out.
QStringList visibleTexts(const QWidget& window);

// Whether a text holds a Japanese character (kana, kanji, full-width forms,
// Japanese punctuation).
bool holdsJapanese(const QString& text);

}  // namespace vantrel::ui
