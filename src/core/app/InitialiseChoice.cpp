#include "app/InitialiseChoice.h"

namespace vantrel {

InitialiseChoice::Scope InitialiseChoice::scope() const {
    if (all_) return Scope::All;
    return axisOnly_ ? Scope::AxisSettings : Scope::Parameters;
}

std::string InitialiseChoice::question() const {
    switch (scope()) {
    case Scope::All: return "全てのデータを初期状態に戻します。\nよろしいですか？";
    case Scope::AxisSettings: return "軸設定を初期状態に戻します。\nよろしいですか？";
    case Scope::Parameters: return "パラメータを初期状態に戻します。\nよろしいですか？";
    }
    return {};
}

}  // namespace vantrel
