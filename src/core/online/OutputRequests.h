#pragma once

// What the online windows ask of the next status poll: output bits to switch
// and one-shot alarm resets. Each is taken only while the link is open. A
// press made while the link is closed changes nothing, so nothing switches on
// or resets by surprise when the user connects later.

#include <cstdint>

#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "online/StatusLamps.h"

namespace vantrel {

// Flips one output bit (see flipOutputBit) while the link is open and the
// controller is in edit-test mode (the test windows act only there); false
// and nothing changed otherwise.
bool toggleOutput(const ControllerLink& link, ControllerStatus& status, const BitRef& ref);

// Alarm reset of network driver 0..15: sets its bit of the network alarm-reset
// mask, which the next poll sends and clears.
bool requestNetworkAlarmReset(const ControllerLink& link, ControllerStatus& status, int driver);

// The controller's alarm reset (the alarm monitor): the one-shot request of
// the next poll.
bool requestAlarmReset(const ControllerLink& link, ControllerStatus& status);

}  // namespace vantrel
