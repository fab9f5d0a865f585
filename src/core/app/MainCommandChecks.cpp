#include "app/MainCommandChecks.h"

#include "app/OperatingMode.h"

namespace vantrel {

namespace {
Refusal notConnected() { return {"USBが未接続です。", kProgramTitle, MessageIcon::Warning}; }
}  // namespace

MaybeRefusal checkFlashWrite(bool portOpen, std::uint16_t currentMode) {
    if (!portOpen) return notConnected();
    if (currentMode != mode::kEditTest)
        return Refusal{"編集テストモード中のみ書込みが出来ます。", kProgramTitle, MessageIcon::Warning};
    return std::nullopt;
}

MaybeRefusal checkInitialise(bool portOpen, std::uint16_t currentMode) {
    if (!portOpen) return notConnected();
    if (currentMode != mode::kEditTest)
        return Refusal{"編集テストモード中のみ初期化が出来ます。", kProgramTitle, MessageIcon::Warning};
    return std::nullopt;
}

MaybeRefusal checkOpenSettingsFile(bool portOpen, std::uint16_t currentMode) {
    if (portOpen && currentMode != mode::kEditTest)
        return Refusal{"編集テストモード以外ではファイルを開けません。", "確認", MessageIcon::Warning};
    return std::nullopt;
}

MaybeRefusal startNotice(std::uint16_t currentMode) {
    if (currentMode != mode::kAutoRun)
        return Refusal{"自動実行モードに切り替えてください。", kProgramTitle, MessageIcon::Information};
    return std::nullopt;
}

}  // namespace vantrel
