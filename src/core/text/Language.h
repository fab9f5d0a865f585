#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The language the system speaks to its user. Japanese is the language of its
// own texts; English comes through the catalogue.
enum class Language { Japanese, English };

// "ja" or "en", as the --lang option takes it.
std::optional<Language> languageNamed(std::string_view name);
// The language of the user's locale: the first set of LC_ALL, LC_MESSAGES and
// LANG (as the C library reads them); Japanese for "ja*", English otherwise.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
Language languageOfEnvironment();

// One of the system's texts in the given language.
std::string inLanguage(Language language, std::string_view japanese);

}  // namespace vantrel
