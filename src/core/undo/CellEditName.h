#pragma once

#include <string>

#include "settings/SettingsTableModel.h"

namespace vantrel {

// The name of an edit of one cell, for the undo menu: the row's labels and
// the column's header, first lines only ("PT1001 軸01 位置", "タイマー3
// タイマー設定値", "1回転移動量 軸1"). A label left blank under the first row
// of its group (a point's later drivers) is the one above it.
std::string cellEditName(const SettingsTableModel& model, int row, int column);

}  // namespace vantrel
