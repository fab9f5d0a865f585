#pragma once

#include <string>
#include <string_view>

#include "settings/ValueRange.h"

namespace vantrel {

// The lines the settings views show beside a cell (status bar, help pane):
// what a cell takes and why it takes nothing now.

// "設定範囲：0～100000 [Hz]": shown beside a refusal of the cell's text.
std::string rangeNote(const ValueRange& range);

// "200000 は設定範囲外のため 100000 にしました（設定範囲：0～100000 [Hz]）".
std::string clampNote(std::string_view typed, std::string_view stored, const ValueRange& range);

// Why the cells of an axis without a connected model take nothing, and what
// unlocks them: "<axis> は接続機種が「接続無し」のため<what>設定できません。
// <where>接続機種を選ぶと設定できるようになります。" `what` names what is locked
// when it is not the cell itself, `where` the view where the model is chosen
// when it is another view.
std::string notConnectedNote(std::string_view axis, std::string_view what = {}, std::string_view where = {});

}  // namespace vantrel
