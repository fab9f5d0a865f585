#include "ui/QtJapaneseTexts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vantrel::ui {

bool installQtJapaneseTexts(QApplication& application) {
    auto* texts = new QTranslator(&application);
    if (!texts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texts;
        return false;
    }
    return QApplication::installTranslator(texts);
}

}  // namespace vantrel::ui
