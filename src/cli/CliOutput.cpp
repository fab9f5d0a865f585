#include "CliOutput.h"

#include <iostream>

#include "PortRun.h"

namespace vantrel::cli {
namespace {
constexpr const char* kFileOpenFailed = "ファイルが開けません";
constexpr const char* kFileReadFailed = "ファイル読込に失敗しました。";

Language& chosenLanguage() {
    static Language chosen = Language::Japanese;
    return chosen;
}

// What a gloss says beyond the table's gloss of the message (English needs only that).
std::string detailOf(const std::string& message, const std::string& gloss) {
    const std::string known = glossOf(message);
    if (known.empty() || gloss.compare(0, known.size(), known) != 0) return gloss;
    return gloss.size() > known.size() + 2 ? gloss.substr(known.size() + 2) : std::string();
}
}  // namespace

void setLanguage(Language language) { chosenLanguage() = language; }

Language language() { return chosenLanguage(); }

std::string text(std::string_view japanese) { return inLanguage(language(), japanese); }

ListingWords listingWords() { return listingWordsIn(language()); }

std::ostream& out() {
    PortRun* run = PortRun::current();
    return run ? static_cast<std::ostream&>(run->out()) : std::cout;
}

std::ostream& err() {
    PortRun* run = PortRun::current();
    return run ? static_cast<std::ostream&>(run->err()) : std::cerr;
}

int fail(const std::string& message, const std::string& gloss) {
    const std::string shown = language() == Language::English ? detailOf(message, gloss) : gloss;
    err() << "vantrel-cli: " << text(message);
    if (!shown.empty()) err() << " (" << shown << ")";
    err() << "\n";
    return kExitFailed;
}

std::string glossOf(const std::string& message) {
    static const std::pair<const char*, const char*> kGlosses[] = {
        {"接続出来ませんでした。", "the port cannot be opened"},
        {"接続出来ませんでした", "no controller answered"},
        {"USBが切断されました。", "the USB connection was cut"},
        {"USBが未接続です。", "USB is not connected"},
        {"読込完了しました。", "read complete"},
        {"読込中断しました。", "read interrupted"},
        {"送信完了しました。", "send complete"},
        {"送信中断しました。", "send interrupted"},
        {"正常に書き込みました", "written correctly"},
        {"書込失敗しました。", "write failed"},
        {"書込失敗しました\n(ベリファイ異常)", "write failed, verify error"},
        {"中断しました。正常に書き込まれていない場合があります。", "interrupted; the write may be incomplete"},
        {"設定受信に失敗しました。\n(ベリファイ異常)\n接続を切断します。",
         "the controller failed to receive the settings (verify error); disconnecting"},
        {"設定に失敗しました。\n(ベリファイ異常)", "setting failed, verify error"},
        {"編集テストモード以外ではファイルを開けません。", "settings files can be sent only in edit-test mode"},
        {"編集テストモード中のみ書込みが出来ます。", "FLASH can be written only in edit-test mode"},
        {"編集テストモード中のみ初期化が出来ます。", "the controller can be initialised only in edit-test mode"},
        {"自動実行モードに切り替えてください。", "switch to auto-run mode"},
        {"初期化完了しました。", "initialisation complete"},
        {"初期化中止しました。", "initialisation cancelled"},
        {"コンパイル完了", "compile complete"},
        {"コンパイルエラー", "compile error"},
        {"コンパイルタイムアウト", "compile time-out"},
        {"ファイルサイズが0バイトです", "file size is 0 bytes"},
        {"プログラムリストは空です", "the program list is empty"},
        {kFileOpenFailed, "cannot open the file"},
        {"ファイルサイズが大きすぎです。\nプログラムを減らして再度コンパイルしてください。",
         "the file is too large; reduce the programs and compile again"},
        {kFileReadFailed, "reading the file failed"},
        {"手動モードにしてください", "switch the controller to edit-test mode"},
        {"スレーブアドレスは1～16の範囲にしてください。", "the slave address must be 1 to 16"},
        {"指定したスレーブアドレスはドライバが未接続です。", "no network driver is set up at this slave address"},
        {"レジスタアドレスは0～65535の範囲にしてください。", "the register address must be 0 to 65535"},
        {"レジスタ数は1～2の範囲にしてください。", "the register count must be 1 or 2"},
        {"診断のデータは0～65535の範囲にしてください。", "the diagnostics data must be 0 to 65535"},
        {"レジスタ数1の書込みデータは0～65535の範囲にしてください。", "the data written to one register must be 0 to 65535"},
        {"データは-8000000～8000000の範囲にしてください", "the data must be -8000000 to 8000000"},
        {"データは整数で入力してください。", "the data must be a whole number"},
    };
    for (const auto& [text, gloss] : kGlosses)
        if (message == text) return gloss;
    return {};
}

int fileFailed(const std::string& detail) { return fail(kFileOpenFailed, detail); }

int readFailed(const std::string& path, const FileReadResult& result) {
    return fail(kFileReadFailed, "cannot read " + path + ": " + result.description());
}

int fail(const Refusal& message, const std::string& detail) {
    return fail(message.text, detail.empty() ? glossOf(message.text) : detail);
}

void say(const Refusal& message) { say(message.text, glossOf(message.text)); }

int usageError(const std::string& command, const std::string& what) {
    err() << "vantrel-cli " << command << ": " << what << " (see vantrel-cli " << command << " --help)\n";
    return kExitUsage;
}

void say(const std::string& message, const std::string& gloss) {
    if (language() == Language::English)
        out() << text(message) << "\n";
    else
        out() << message << " (" << gloss << ")\n";
}

}  // namespace vantrel::cli
