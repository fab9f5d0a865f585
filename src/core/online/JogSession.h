#pragma once

// The motion side of the test-operation window: it hands JOG request records
// to the link and keeps the held JOG going, tick by tick.
//
// A JOG runs only while its button is held: each 50 ms tick that finds ">"
// or "<" held checks the fields and renews the request, and every tick that
// finds neither asks the link to return to status polling for as long as it
// still repeats a JOG. The window decides what "held" means (the button is
// down, the window is active, no modal box is up, the link is open); this
// class only follows it. When the button is taken from the user rather than
// released (focus, activation, a modal box, hiding, a failed check, the
// controller leaving edit-test mode) the session sends the stop request, as
// "■停止" does; closing the window also stops an inching, home return or test
// run it started that may still move. The link's own dead-man ends a JOG
// whose renewals stop for any other reason.

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

enum class JogHeld : std::uint8_t { None, Forward, Backward };

class JogSession {
public:
    JogSession(ControllerLink& link, ControllerStatus& status) : link_(link), status_(status) {}

    // One tick. For a network driver it first sets the polled network group
    // to the driver's, so that its values arrive. Then, with a JOG button
    // held: check the JOG speed and acceleration and renew the request (a
    // failed check or a mode other than edit-test ends the JOG with the stop,
    // and a failed check gives its message); with none held: end a JOG that
    // runs. No axis: nothing.
    MaybeRefusal tick(JogHeld held, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                      const JogFields& fields);
    // A one-shot button (inching, home return, test run, stop): checks and
    // places its record. No axis or a closed link: nothing; outside edit-test
    // mode only the stop.
    MaybeRefusal press(JogButton button, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                       const JogFields& fields);
    // The JOG button came up: the link returns to status polling.
    void release();
    // The JOG button was taken from the user: a held JOG ends with the stop.
    void forceEnd();
    // The window closes: as forceEnd, and an inching, home return or test run
    // placed last is stopped unless the controller reports its axis standing.
    void close();

    // Operation of the last record placed; 0 after a JOG ended.
    std::uint8_t lastOperation() const { return lastOperation_; }
    bool jogging() const {
        return lastOperation_ == JogRequestRecord::kJogForward || lastOperation_ == JogRequestRecord::kJogBackward;
    }

private:
    bool inEditTest() const;
    // Whether the one-shot motion placed last may still move its axis: the
    // controller has not answered two polls since, or reports a speed.
    bool oneShotMayMove() const;
    void place(const JogRequestRecord& record);
    void stop();

    ControllerLink& link_;
    ControllerStatus& status_;
    std::uint8_t lastOperation_ = JogRequestRecord::kNone;
    JogAxisIndex lastAxis_ = 0;
    std::uint32_t repliesAtPlacement_ = 0;
};

}  // namespace vantrel
