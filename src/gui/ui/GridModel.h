#pragma once

#include "settings/SettingsTableModel.h"

namespace vantrel::ui {

// The model a grid view shows: the core's settings table, which holds every
// rule of its cells (texts, kinds, colours, help, commit). The grid widget
// only draws it and hands typed text back.
using GridModel = SettingsTableModel;

}  // namespace vantrel::ui
