#include "ui/GuiLanguage.h"

#include <QApplication>
#include <QComboBox>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include "ui/CWindowPlacer.h"
#include "ui/RetranslateWindows.h"
#include "ui/TextTranslator.h"
#include "ui/Utf8Text.h"

namespace vantrel::ui {

namespace {

// Long enough for the layouts and the window manager to take the new sizes.
constexpr int kSettleMs = 200;

QPointer<TextTranslator>& ownTexts() {
    static QPointer<TextTranslator> translator;
    return translator;
}

QPointer<QTranslator>& qtTexts() {
    static QPointer<QTranslator> translator;
    return translator;
}

// Qt's own texts in the language, or nothing when Qt's translations are not installed.
QTranslator* loadQtTexts(QApplication& application, Language language) {
    auto* texts = new QTranslator(&application);
    const QLocale locale = language == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                         : QLocale(QLocale::Japanese, QLocale::Japan);
    if (texts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return texts;
    delete texts;
    return nullptr;
}

}  // namespace

void setGuiLanguage(QApplication& application, Language language) {
    const bool switching = !ownTexts().isNull();
    if (!switching) ownTexts() = new TextTranslator(&application);
    ownTexts()->setLanguage(language);
    if (QTranslator* old = qtTexts()) {
        QApplication::removeTranslator(old);
        delete old;
    }
    qtTexts() = loadQtTexts(application, language);
    if (qtTexts()) QApplication::installTranslator(qtTexts());
    // Installed last, so asked first; it answers only for the program's own texts.
    QApplication::removeTranslator(ownTexts());
    QApplication::installTranslator(ownTexts());
    if (!switching) return;
    retranslateWindows(*ownTexts());
    // Texts of another length resize windows once their layouts have run; none is left past its screen's edge.
    QTimer::singleShot(kSettleMs, &application, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) CWindowPlacer::keepOnScreen(window);
    });
}

Language guiLanguage() { return ownTexts() ? ownTexts()->language() : Language::Japanese; }

QString coreText(std::string_view japanese) {
    return ownTexts() ? ownTexts()->coreText(japanese) : fromUtf8(japanese);
}

void addCoreChoices(QComboBox& box, const std::vector<std::string>& choices) {
    for (const std::string& choice : choices) box.addItem(coreText(choice), fromUtf8(choice));
}

}  // namespace vantrel::ui
