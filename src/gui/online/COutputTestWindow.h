#pragma once

#include <vector>

#include "online/COnlineWindow.h"
#include "online/StatusLamps.h"

class QLayout;

namespace vantrel {

class CLampGroup;

// Base of the output test windows: groups of toggles, each flipping one bit
// of a shared output variable that the next status poll sends. The poll's
// reply replaces the general, host and driver outputs with what the
// controller reports, so a lamp shows the controller's output within one poll;
// a toggle made while a poll is under way can be replaced by that poll's
// reply, and pressing again sets it. The timer repaints lamps whose bit
// changed. Outside edit-test mode the toggles are disabled and the window
// says why (each window places the line that says it, makeModeReason).
class COutputTestWindow : public COnlineWindow {
    Q_OBJECT
public:
    using COnlineWindow::COnlineWindow;

    void refresh() override;
    // As a press of the toggle: flips the bit and repaints its lamp.
    void toggle(const BitRef& ref);
    const std::vector<CLampGroup*>& groups() const { return groups_; }
    int lastRepaints() const { return lastRepaints_; }

protected:
    // Adds toggle groups in a grid of `groupColumns`, lamps in rows of `lampColumns`.
    QLayout* makeToggleGroups(const std::vector<LampGroup>& groups, int groupColumns, int lampColumns);

private:
    std::vector<CLampGroup*> groups_;
    int lastRepaints_ = 0;
};

}  // namespace vantrel
