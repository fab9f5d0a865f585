#include "online/JogSession.h"

#include "link/Protocol.h"

namespace vantrel {
namespace {

constexpr auto kJog = static_cast<std::uint8_t>(LinkOp::Jog);

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

bool endHeldJog(ControllerLink& link) {
    if (link.pendingOp() != kJog) return false;
    return link.setPendingOp(LinkOp::Idle);
}

MaybeRefusal JogSession::tick(JogHeld held, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                              const JogFields& fields) {
    if (axis && isNetworkJogAxis(*axis))
        status_.selectedNetworkGroup.store(static_cast<std::uint16_t>(jogNetworkGroup(*axis)), std::memory_order_relaxed);
    if (held == JogHeld::None || !axis || !link_.isOpen()) {
        release();
        return std::nullopt;
    }
    const JogButton button = held == JogHeld::Forward ? JogButton::Forward : JogButton::Backward;
    const JogBuild build = buildJogRequest(image, *axis, button, fields);
    if (!build.record) {
        release();
        return build.refusal;
    }
    place(*build.record);
    return std::nullopt;
}

MaybeRefusal JogSession::press(JogButton button, const SettingsImage& image, std::optional<JogAxisIndex> axis,
                               const JogFields& fields) {
    if (!axis || !link_.isOpen()) return std::nullopt;
    const JogBuild build = buildJogRequest(image, *axis, button, fields);
    if (!build.record) return build.refusal;
    place(*build.record);
    return std::nullopt;
}

void JogSession::release() {
    if (!jogging()) return;
    endHeldJog(link_);
    lastOperation_ = JogRequestRecord::kNone;
}

void JogSession::place(const JogRequestRecord& record) {
    switch (placeJogRequest(link_, record)) {
    case JogRequestPlacement::Made: lastOperation_ = record.operation(); break;
    case JogRequestPlacement::LinkBusy: break;  // a held JOG asks again at the next tick
    case JogRequestPlacement::PortClosed: release(); break;
    }
}

}  // namespace vantrel
