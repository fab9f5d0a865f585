#pragma once

#include <vector>

#include <QString>

#include "app/NavigationEntries.h"
#include "data/SettingsImage.h"

namespace vantrel::bench {

struct SettingsViewEntry {
    ViewKind kind;
    QString name;  // file name stem of its screenshot
};

// The eight settings views in navigation order.
std::vector<SettingsViewEntry> settingsViews();

// A filled-in image that shows every kind of cell: connected mm, step and
// not connected axes, a yellow resolution, set and unset points, connected
// and unconnected network drivers.
SettingsImage demoImage();

}  // namespace vantrel::bench
