#pragma once

#include <string>
#include <string_view>

#include "settings/ValueRange.h"

namespace vantrel {

// The lines the settings views show beside a cell (status bar, help pane):
// what a cell takes and why it takes nothing now.

// "設定範囲：0～100000 [Hz]": shown beside a refusal of the cell's text.
std::string rangeNote(const ValueRange& range);

// "200000 は範囲外のため 100000 にしました（設定範囲：0～100000 [Hz]）".
std::string clampNote(std::string_view typed, std::string_view stored, const ValueRange& range);

// Why the cells of an axis without a connected model take nothing, and what
// unlocks them: "<axis> は接続機種が「接続無し」です。<where>接続機種を選ぶと
// <what>設定できます。" `where` says where the model is chosen, `what` names
// what is unlocked when it is not the cell itself.
std::string notConnectedNote(std::string_view axis, std::string_view where, std::string_view what = {});

}  // namespace vantrel
