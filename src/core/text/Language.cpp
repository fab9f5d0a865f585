#include "text/Language.h"

#include <cstdlib>

#include "text/EnglishCatalogue.h"

namespace vantrel {

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
    return Language::English;
}

Language languageOfEnvironment() {
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string inLanguage(Language language, std::string_view japanese) {
    return language == Language::English ? english(japanese) : std::string(japanese);
}

}  // namespace vantrel
