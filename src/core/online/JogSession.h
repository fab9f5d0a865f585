#pragma once

// The motion side of the test-operation window: it hands JOG request records
// to the link and keeps the held JOG going, tick by tick.
//
// A JOG runs only while its button is held: each 50 ms tick that finds ">"
// or "<" held checks the fields and renews the request, and the first tick
// that finds neither asks the link to return to status polling. The window
// decides what "held" means (the button is down, the window is active, no
// modal box is up, the link is open); this class only follows it.

#include <cstdint>
#include <optional>

#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/JogRequestRecord.h"
#include "online/JogAxis.h"
#include "online/JogChecks.h"

namespace vantrel {

enum class JogRequestPlacement { Made, LinkBusy, PortClosed };

// Asks the link for JOG with this record (ControllerLink::startJog) when it
// is polling, serving single values or already on a JOG request. Any other
// operation pending (identifying a controller just connected, a transfer, an
// alarm-record read) is never cut short: the request is not placed then.
// Stop alone is always placed at once.
JogRequestPlacement placeJogRequest(ControllerLink& link, const JogRequestRecord& record);
// Returns the link to status polling when JOG is what it performs next. Call
// it only when the last record placed was a held JOG (operation 1 or 2), so
// that a one-shot request (a stop just pressed) is never cut short. True when
// it asked.
bool endHeldJog(ControllerLink& link);

enum class JogHeld : std::uint8_t { None, Forward, Backward };

class JogSession {
public:
    JogSession(ControllerLink& link, ControllerStatus& status) : link_(link), status_(status) {}

    // One tick. For a network driver it first sets the polled network group
    // to the driver's, so that its values arrive. Then, with a JOG button
    // held: check the JOG speed and acceleration and renew the request (a
    // failed check ends the JOG and gives its message); with none held: end
    // a JOG that runs. No axis: nothing.
    MaybeRefusal tick(JogHeld held, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                      const JogFields& fields);
    // A one-shot button (inching, home return, test run, stop): checks and
    // places its record. No axis or a closed link: nothing.
    MaybeRefusal press(JogButton button, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                       const JogFields& fields);
    // Ends a held JOG now, as the first tick after a release does.
    void release();

    // Operation of the last record placed; 0 after a JOG ended.
    std::uint8_t lastOperation() const { return lastOperation_; }
    bool jogging() const {
        return lastOperation_ == JogRequestRecord::kJogForward || lastOperation_ == JogRequestRecord::kJogBackward;
    }

private:
    void place(const JogRequestRecord& record);

    ControllerLink& link_;
    ControllerStatus& status_;
    std::uint8_t lastOperation_ = JogRequestRecord::kNone;
};

}  // namespace vantrel
