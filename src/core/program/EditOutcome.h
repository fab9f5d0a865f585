#pragma once

#include <utility>

#include "data/Refusal.h"

namespace vantrel {

// Result of an editing operation: whether the program changed, and the message
// to show, if any. A refusal with `done` false left everything as it was; a
// paste can be done and still carry the message of the step it stopped at.
struct EditOutcome {
    bool done = false;
    MaybeRefusal refusal;

    static EditOutcome success() { return {true, std::nullopt}; }
    static EditOutcome nothing() { return {false, std::nullopt}; }
    static EditOutcome refused(Refusal r) { return {false, std::move(r)}; }
    explicit operator bool() const { return done; }
};

}  // namespace vantrel
