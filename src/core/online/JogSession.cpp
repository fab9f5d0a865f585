#include "online/JogSession.h"

#include "data/ControllerMode.h"
#include "link/Protocol.h"

namespace vantrel {
namespace {

// Operations a JOG request may take the place of: polling, the single values
// the link serves between polls, and a JOG request itself.
bool mayReplace(std::uint8_t pending) {
    switch (static_cast<LinkOp>(pending)) {
    case LinkOp::Idle:
    case LinkOp::Jog:
    case LinkOp::ValueWrite:
    case LinkOp::ValueRead:
    case LinkOp::AxisParameterWrite: return true;
    default: return false;
    }
}

}  // namespace

JogRequestPlacement placeJogRequest(ControllerLink& link, const JogRequestRecord& record) {
    if (!link.isOpen()) return JogRequestPlacement::PortClosed;
    // Stop never waits; everything else leaves other operations alone.
    if (record.operation() != JogRequestRecord::kStop && !mayReplace(link.pendingOp()))
        return JogRequestPlacement::LinkBusy;
    return link.startJog(record) ? JogRequestPlacement::Made : JogRequestPlacement::PortClosed;
}

MaybeRefusal JogSession::tick(JogHeld held, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                              const JogFields& fields) {
    if (axis && isNetworkJogAxis(*axis))
        status_.selectedNetworkGroup.store(static_cast<std::uint16_t>(jogNetworkGroup(*axis)), std::memory_order_relaxed);
    if (held == JogHeld::None || !axis || !link_.isOpen()) {
        release();
        return std::nullopt;
    }
    if (!inEditTest()) {
        forceEnd();
        return std::nullopt;
    }
    const JogButton button = held == JogHeld::Forward ? JogButton::Forward : JogButton::Backward;
    const JogBuild build = buildJogRequest(image, *axis, button, fields);
    if (!build.record) {
        forceEnd();
        return build.refusal;
    }
    place(*build.record);
    return std::nullopt;
}

MaybeRefusal JogSession::press(JogButton button, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                               const JogFields& fields) {
    if (!axis || !link_.isOpen()) return std::nullopt;
    if (button != JogButton::Stop && !inEditTest()) return std::nullopt;
    const JogBuild build = buildJogRequest(image, *axis, button, fields);
    if (!build.record) return build.refusal;
    place(*build.record);
    return std::nullopt;
}

void JogSession::release() {
    // Asked again on every tick while the link still repeats: a request that
    // did not reach it must not leave the axis running.
    link_.endHeldJog();
    if (jogging()) lastOperation_ = JogRequestRecord::kNone;
}

void JogSession::forceEnd() {
    if (jogging()) stop();
}

void JogSession::close() {
    if (jogging() || oneShotMayMove()) stop();
}

bool JogSession::inEditTest() const {
    return status_.modeWord.load(std::memory_order_relaxed) == static_cast<std::uint16_t>(ControllerMode::EditTest);
}

bool JogSession::oneShotMayMove() const {
    if (lastOperation_ < JogRequestRecord::kInchForward || lastOperation_ > JogRequestRecord::kTestRun) return false;
    constexpr auto relaxed = std::memory_order_relaxed;
    if (status_.statusReplies.load(relaxed) - repliesAtPlacement_ < 2) return true;
    const auto slot = static_cast<std::size_t>(jogAxisNumber(lastAxis_) % 4);
    const std::int32_t speed = isNetworkJogAxis(lastAxis_) ? status_.networkCommandSpeed[slot].load(relaxed)
                                                           : status_.axisCommandSpeed[slot].load(relaxed);
    return speed != 0;
}

void JogSession::stop() {
    if (placeJogRequest(link_, JogRequestRecord::stopOf(lastAxis_)) == JogRequestPlacement::Made)
        lastOperation_ = JogRequestRecord::kStop;
    else
        lastOperation_ = JogRequestRecord::kNone;  // no link: nothing runs that it could stop
}

void JogSession::place(const JogRequestRecord& record) {
    switch (placeJogRequest(link_, record)) {
    case JogRequestPlacement::Made:
        if (!record.repeats()) repliesAtPlacement_ = status_.statusReplies.load(std::memory_order_relaxed);
        lastOperation_ = record.operation();
        lastAxis_ = record.axis();
        break;
    case JogRequestPlacement::LinkBusy: break;  // a held JOG asks again at the next tick
    case JogRequestPlacement::PortClosed: release(); break;
    }
}

}  // namespace vantrel
