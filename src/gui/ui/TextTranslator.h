#pragma once

#include <optional>
#include <string_view>

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QTranslator>

#include "text/Language.h"

namespace vantrel::ui {

// The window's texts in the language chosen. The sources are the Japanese
// texts of the code; English comes from the program's translation (its own
// windows) and from the system's catalogue (texts the core built). Every text
// handed out is remembered with where it came from, so a window already open
// can be given the same text in the other language.
class TextTranslator : public QTranslator {
    Q_OBJECT
public:
    explicit TextTranslator(QObject* parent = nullptr);

    // False when the program's English translation is missing from its resources.
    bool loaded() const { return !english_.isEmpty(); }
    Language language() const { return language_; }
    void setLanguage(Language language) { language_ = language; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

    // A text of the core in the language chosen.
    QString coreText(std::string_view japanese) const;

    // The same text in the language chosen now, for a text this translator
    // handed out before (in either language); nothing for any other text.
    std::optional<QString> again(const QString& shown) const;

private:
    // Where a text came from: a window text (context and source) or a core
    // text (no context).
    struct Origin {
        QByteArray context;
        QByteArray source;
        QByteArray disambiguation;
    };
    void remember(const QString& shown, Origin origin) const;

    static constexpr qsizetype kMaxOrigins = 20000;

    QTranslator english_;
    Language language_ = Language::Japanese;
    mutable QMutex mutex_;
    mutable QHash<QString, Origin> origins_;
};

}  // namespace vantrel::ui
