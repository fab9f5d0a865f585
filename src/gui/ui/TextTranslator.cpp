#include "ui/TextTranslator.h"

#include <QMutexLocker>

#include "text/EnglishCatalogue.h"
#include "ui/Utf8Text.h"

namespace vantrel::ui {

TextTranslator::TextTranslator(QObject* parent) : QTranslator(parent) {
    (void)english_.load(QStringLiteral(":/i18n/vantrel_en.qm"));
}

QString TextTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                  int n) const {
    // Texts of other contexts (Qt's own dialogs) are left to Qt's translations.
    const QString english = english_.translate(context, sourceText, disambiguation, n);
    if (english.isEmpty()) return {};
    const QString shown = language_ == Language::English ? english : QString::fromUtf8(sourceText);
    remember(shown, {context, sourceText, disambiguation});
    return shown;
}

QString TextTranslator::coreText(std::string_view japanese) const {
    const QString shown = language_ == Language::English ? fromUtf8(EnglishCatalogue::instance().english(japanese))
                                                         : fromUtf8(japanese);
    if (!shown.isEmpty()) remember(shown, {QByteArray(), QByteArray(japanese.data(), qsizetype(japanese.size())), {}});
    return shown;
}

std::optional<QString> TextTranslator::again(const QString& shown) const {
    Origin origin;
    {
        QMutexLocker lock(&mutex_);
        const auto found = origins_.constFind(shown);
        if (found == origins_.constEnd()) return std::nullopt;
        origin = *found;
    }
    if (origin.context.isNull())
        return coreText(std::string_view(origin.source.constData(), static_cast<std::size_t>(origin.source.size())));
    const QString text = translate(origin.context.constData(), origin.source.constData(),
                                   origin.disambiguation.isNull() ? nullptr : origin.disambiguation.constData());
    return text.isEmpty() ? QString::fromUtf8(origin.source) : text;
}

void TextTranslator::remember(const QString& shown, Origin origin) const {
    QMutexLocker lock(&mutex_);
    // Monitors show ever new numbers; past this many texts the rest are
    // not kept (their windows rebuild them anyway).
    if (origins_.size() >= kMaxOrigins) return;
    // The first origin of a text stays: two sources with one English text
    // ("停止" of two windows) then come back as the first of them.
    if (!origins_.contains(shown)) origins_.insert(shown, std::move(origin));
}

}  // namespace vantrel::ui
