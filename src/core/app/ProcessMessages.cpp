#include "app/ProcessMessages.h"

namespace vantrel {

Refusal internalErrorMessage(const std::string& what, bool workKept) {
    std::string text = "予期しないエラーが発生しました。\n(" + what + ")";
    if (workKept) text += "\n保存されていない設定とプログラムは復元用データに書き込みました。";
    return {text, "異常発生", MessageIcon::Error};
}

Refusal firstInstanceHangsMessage() {
    return {"VANTRELはすでに起動していますが、応答がありません。\n先に起動したVANTRELを終了してから、もう一度起動してください。",
            "異常発生", MessageIcon::Warning};
}

}  // namespace vantrel
