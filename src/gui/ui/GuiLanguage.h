#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/Language.h"

class QApplication;
class QComboBox;
class QString;

namespace vantrel::ui {

// The language of the windows. Japanese texts are the sources; the program's
// translation and Qt's own texts (message box buttons, file dialogs) follow
// the language set here.
void setGuiLanguage(QApplication& application, Language language);
Language guiLanguage();

// A text of the core (a caption, a refusal, a status word) as the window
// shows it: its English through the catalogue when the windows speak English,
// else the text itself. User data (program names, comments, I/O names) never
// goes through here.
QString coreText(std::string_view japanese);

// Fills a drop-down with the core's choices as the window shows them, each
// carrying the core's own text as its data: what a commit hands back to the
// core (never the shown text, which may be English).
void addCoreChoices(QComboBox& box, const std::vector<std::string>& choices);

}  // namespace vantrel::ui
