#include "online/JogSession.h"

#include <mutex>

#include "link/Protocol.h"

namespace vantrel {
namespace {

constexpr auto kIdle = static_cast<std::uint8_t>(LinkOp::Idle);
constexpr auto kJog = static_cast<std::uint8_t>(LinkOp::Jog);

}  // namespace

JogRequestPlacement placeJogRequest(ControllerLink& link, const JogRequestRecord& record) {
    if (!link.isOpen()) return JogRequestPlacement::PortClosed;
    const std::lock_guard guard(link.lock());
    const std::uint8_t pending = link.pendingOpLocked();
    if (pending != kIdle && pending != kJog) return JogRequestPlacement::LinkBusy;
    return link.startJog(record) ? JogRequestPlacement::Made : JogRequestPlacement::PortClosed;
}

bool endHeldJog(ControllerLink& link) {
    const std::lock_guard guard(link.lock());
    if (link.pendingOpLocked() != kJog || !link.jogRequestLocked().repeats()) return false;
    link.setPendingOpLocked(kIdle);
    return true;
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
