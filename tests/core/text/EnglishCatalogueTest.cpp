#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/EnglishCatalogue.h"
#include "text/Language.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

TEST(EnglishCatalogueTest, FindsTheEnglishOfWholeAndBuiltTexts) {
    const struct {
        const char* japanese;
        const char* english;
    } cases[] = {
        // whole texts, glossed and not
        {"USBが切断されました。", "The USB connection was lost."},
        {"ｼﾞｬﾝﾌﾟｴﾗｰ", "Jump error"},
        {"アラームなし", "No alarm"},
        // numbers filled into a key, negative ones too, zero-padded ones
        {"T2 は他の 3 ステップでも使われています", "T2 is also used in 3 other steps"},
        {"-5 から 5 までの整数を入力してください。", "Enter a whole number from -5 to 5."},
        {"タスク1: #007 ステップ012", "Task 1: #007 step 012"},
        {"80％", "80%"},
        // what fills a text field is looked up itself, as deep as it goes
        {"12 は範囲外のため 10 にしました（設定範囲：1～10 [Hz]）",
         "12 is out of range and was set to 10 (range: 1–10 [Hz])"},
        {"軸2の加速度「---」は使用できません。\n一覧から選び直してください。",
         "Axis 2 acceleration \"---\" cannot be used.\nChoose again from the list."},
        {"軸3 は接続機種が「接続無し」です。1行目で接続機種を選ぶと設定できます。",
         "Axis 3 has no driver model (\"Not connected\"). Choose a driver model in the first row to set this."},
        // row labels, column titles and change names built around a number
        {"カウンタ8", "Counter 8"},
        {"禁止エリア5\r\n([mm] or [step])", "Prohibited area 5\r\n([mm] or [step])"},
        {"貼り付け 12 ステップ", "Paste 12 step(s)"},
        // a more particular key wins over a general one that also matches
        {"予期しないエラーが発生しました。\n(bad_alloc)\n保存されていない設定とプログラムは復元用データに書き込みました。",
         "An unexpected error occurred.\n(bad_alloc)\nThe settings and programs that were not saved have been written to "
         "the recovery data."},
        // a number field takes only a number; a text that fits no key stays as it is
        {"Tx は他の 3 ステップでも使われています", "Tx は他の 3 ステップでも使われています"},
        {"知らない文", "知らない文"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(english(c.japanese), c.english) << c.japanese;
}

TEST(EnglishCatalogueTest, ChoosesTheLanguageFromTheOptionOrTheLocale) {
    EXPECT_EQ(languageNamed("ja"), Language::Japanese);
    EXPECT_EQ(languageNamed("en"), Language::English);
    EXPECT_EQ(languageNamed("de"), std::nullopt);
    // LC_ALL before LC_MESSAGES before LANG; empty counts as unset; no locale at all is English
    EXPECT_EQ(languageOfLocale(nullptr, nullptr, "ja_JP.UTF-8"), Language::Japanese);
    EXPECT_EQ(languageOfLocale("C", nullptr, "ja_JP.UTF-8"), Language::English);
    EXPECT_EQ(languageOfLocale("", "ja_JP", "en_US.UTF-8"), Language::Japanese);
    EXPECT_EQ(languageOfLocale(nullptr, nullptr, nullptr), Language::English);
    EXPECT_EQ(inLanguage(Language::Japanese, "確認"), "確認");
    EXPECT_EQ(inLanguage(Language::English, "確認"), "Confirm");
}

// --- every Japanese text the core and the tool write has its English ---

bool holdsJapanese(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (length == 3 && i + 2 < text.size()) {
            const unsigned code = (c & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                                  (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            // kana and CJK punctuation, ideographs, full- and half-width forms
            if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) ||
                (code >= 0xFF00 && code <= 0xFFEF))
                return true;
        }
        i += length;
    }
    return false;
}

struct Literal {
    std::string text;
    std::string where;
};

// The string literals of one C++ source, with escapes read and adjacent
// literals joined as the compiler joins them. Comments are not shown to anyone
// and are skipped; so are character literals.
std::vector<Literal> literalsOf(const std::string& src, const std::string& file) {
    std::vector<Literal> found;
    std::size_t i = 0;
    std::size_t lastEnd = std::string::npos;
    const auto line = [&](std::size_t at) { return file + ":" + std::to_string(1 + std::count(src.begin(), src.begin() + at, '\n')); };
    while (i < src.size()) {
        if (src.compare(i, 2, "//") == 0) {
            i = src.find('\n', i);
            continue;
        }
        if (src.compare(i, 2, "/*") == 0) {
            i = src.find("*/", i + 2);
            i = i == std::string::npos ? i : i + 2;
            continue;
        }
        const char c = src[i];
        if (c == '\'' && !(i > 0 && std::isalnum(static_cast<unsigned char>(src[i - 1])))) {
            for (++i; i < src.size() && src[i] != '\''; i += src[i] == '\\' ? 2 : 1) {}
            ++i;
            continue;
        }
        if (c == 'R' && i + 1 < src.size() && src[i + 1] == '"') {
            const std::size_t open = src.find('(', i);
            const std::string close = ")" + src.substr(i + 2, open - i - 2) + "\"";
            const std::size_t end = src.find(close, open);
            found.push_back({src.substr(open + 1, end - open - 1), line(i)});
            i = end + close.size();
            lastEnd = std::string::npos;
            continue;
        }
        if (c != '"') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::string text;
        for (++i; src[i] != '"'; ++i) {
            if (src[i] != '\\') {
                text += src[i];
                continue;
            }
            const char e = src[++i];
            text += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
        }
        const bool joined = lastEnd != std::string::npos && src.find_first_not_of(" \t\r\n", lastEnd) == start;
        if (joined)
            found.back().text += text;
        else
            found.push_back({text, line(i)});
        lastEnd = ++i;
    }
    return found;
}

TEST(EnglishCatalogueTest, EveryJapaneseTextOfTheCoreAndTheToolHasItsEnglish) {
#ifdef _WIN32
    GTEST_SKIP() << "the sources lie on the build machine; its own run scans them";
#endif
    std::set<std::string, std::less<>> keys;
    std::vector<std::string> patternKeys;
    for (const auto& entry : englishEntries()) {
        keys.emplace(entry.japanese);
        if (entry.japanese.find('%') != std::string_view::npos) patternKeys.emplace_back(entry.japanese);
        EXPECT_FALSE(holdsJapanese(entry.english)) << entry.japanese << " -> " << entry.english;
    }
    int texts = 0;
    for (const char* folder : {"src/core", "src/cli"}) {
        for (const auto& file : fs::recursive_directory_iterator(fs::path(VANTREL_SOURCE_DIR) / folder)) {
            const auto extension = file.path().extension();
            if (extension != ".cpp" && extension != ".h") continue;
            // The catalogue itself holds every text as a key.
            if (file.path().parent_path().filename() == "text") continue;
            std::ifstream in(file.path(), std::ios::binary);
            std::stringstream src;
            src << in.rdbuf();
            for (const auto& literal : literalsOf(src.str(), file.path().string())) {
                if (!holdsJapanese(literal.text)) continue;
                ++texts;
                // A whole text is a key; a piece of a text built at run time is
                // found inside the key that matches the built text.
                bool known = keys.contains(literal.text);
                for (const auto& key : patternKeys) known = known || key.find(literal.text) != std::string::npos;
                EXPECT_TRUE(known) << literal.where << ": no English for \"" << literal.text << "\"";
            }
        }
    }
    EXPECT_GT(texts, 400);  // the scan found the texts at all
}

}  // namespace
}  // namespace vantrel
