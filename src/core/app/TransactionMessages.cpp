#include "app/TransactionMessages.h"

#include "app/MainCommandChecks.h"

namespace vantrel {

namespace {
Refusal info(const char* text, const char* title) { return {text, title, MessageIcon::Information}; }
Refusal error(const char* text, const char* title) { return {text, title, MessageIcon::Error}; }
Refusal question(const char* text, const char* title) { return {text, title, MessageIcon::Question}; }
}  // namespace

Refusal settingsReadMessage(int result) {
    if (result == kProgressDone) return info("読込完了しました。", "正常終了");
    return error("読込中断しました。", "異常終了");
}

Refusal settingsWriteMessage(int result) {
    if (result == kProgressDone) return info("送信完了しました。", "正常終了");
    return error("送信中断しました。", "異常終了");
}

Refusal settingsFileSendMessage(int result) {
    if (result == kProgressFailed || result == kProgressNoAnswer) return error("設定に失敗しました。", "設定失敗");
    if (result == kProgressFileError) return error("設定に失敗しました。\n(ベリファイ異常)", "異常終了");
    // A cancelled window cannot happen here (only the FLASH window has a
    // cancel button); everything else is the controller's acceptance.
    return info("設定完了しました。", "設定完了");
}

Refusal flashWriteMessage(int result) {
    if (result == kProgressCancelled) return info("中断しました。正常に書き込まれていない場合があります。", "終了");
    if (result == kProgressDone) return info("正常に書き込みました", "終了");
    if (result == kProgressFailed) return error("書込失敗しました。", "異常終了");
    return error("書込失敗しました\n(ベリファイ異常)", "異常終了");
}

Refusal initialiseReadMessage(int readResult) {
    if (readResult == kProgressDone) return info("初期化完了しました。", "完了");
    return error("読込中断しました。", "異常終了");
}

Refusal initialiseCancelledMessage() { return info("初期化中止しました。", "中止"); }

Refusal verifyErrorMessage(int kind) {
    if (kind == 1) return error("設定受信に失敗しました。\n(ベリファイ異常)\n接続を切断します。", kProgramTitle);
    return error("設定に失敗しました。\n(ベリファイ異常)", kProgramTitle);
}

Refusal portOpenFailedMessage() { return {"接続出来ませんでした。", kProgramTitle, MessageIcon::Warning}; }
Refusal noControllerMessage() { return {"接続出来ませんでした", kProgramTitle, MessageIcon::Warning}; }
Refusal linkLostMessage() { return {"USBが切断されました。", "異常", MessageIcon::Warning}; }

Refusal disconnectQuestion() { return question("USBを切断しますか？", "確認"); }
Refusal changePortQuestion() { return question("現在の接続を切断します。よろしいですか？", "確認"); }
Refusal flashWriteQuestion() {
    return question("現在のコントローラの設定をFLASHメモリへ書き込みます。\nよろしいですか？", "確認");
}
Refusal exitWithoutFlashQuestion() { return question("変更内容をFLASHに書込みせずに終了しますか？", "確認"); }
Refusal exitUnsavedSettingsQuestion() {
    return question("設定の変更がファイルに保存されていません。\n保存してから終了しますか？", "確認");
}
Refusal exitUnsavedProgramsQuestion() {
    return question("プログラムの変更がファイルに保存されていません。\n保存してから終了しますか？", "確認");
}
Refusal openUnsavedProgramsQuestion() {
    return question("プログラムの変更がファイルに保存されていません。\n保存してから開きますか？", "確認");
}
Refusal saveBeforeReadQuestion() {
    return question("コントローラの設定を読み出します。現在の設定を保存しますか？", "確認");
}
Refusal saveCurrentSettingsQuestion() { return question("現在の設定を保存しますか？", "確認"); }
Refusal settingsReadStoppedMessage() {
    return {"設定が保存されなかったため、コントローラの設定は読み出さずに切断しました。", "中止",
            MessageIcon::Warning};
}
Refusal ethernetRestartNotice() { return info("IPアドレスは再起動後に変更が反映されます。", kProgramTitle); }

}  // namespace vantrel
