#include "app/InitialiseChoice.h"

namespace vantrel {

InitialiseChoice::Scope InitialiseChoice::scope() const {
    if (all_) return Scope::All;
    return axisOnly_ ? Scope::AxisSettings : Scope::Parameters;
}

Refusal InitialiseChoice::question() const {
    const char* text = "全てのデータを初期状態に戻します。\nよろしいですか？";
    if (scope() == Scope::AxisSettings) text = "軸設定を初期状態に戻します。\nよろしいですか？";
    if (scope() == Scope::Parameters) text = "パラメータを初期状態に戻します。\nよろしいですか？";
    return {text, "確認", MessageIcon::Question};
}

}  // namespace vantrel
