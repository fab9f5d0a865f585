#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace vantrel {

// The controller state shared between the link thread and the monitors, and
// the output words and one-shot requests that the next status poll sends.
//
// Every value is a std::atomic of its natural width. Use relaxed loads and
// stores (`x.load(std::memory_order_relaxed)`): no value depends on another,
// and a monitor refresh may mix values of two polls. Input words are stored
// already inverted back (a set bit means the signal is on); output words are
// kept as the user means them and inverted only on the wire.
//
// Index conventions: pulse axis i = 0..3; network slot i = 0..3 is network
// driver 4g + i + 1 of the selected group g.
class ControllerStatus {
public:
    template <class T, std::size_t N>
    using Atomics = std::array<std::atomic<T>, N>;

    // --- filled by the status poll --------------------------------------
    std::atomic<std::uint8_t> alarmCode{0};       // 0 = no alarm
    std::atomic<std::uint16_t> generalInputs{0};  // IN1..IN16, bits 0..15
    Atomics<std::uint8_t, 4> driverInputs{};      // READY, ALM, TIM/ZSG2, END/IN-POS, HOME-END (bits 0..4)
    std::atomic<std::uint16_t> hostInputs{0};     // EXT-STOP, PRG-START, PRG-STOP, ALM-RST (bits 0..3)
    std::atomic<std::uint16_t> sensorInputs{0};   // one nibble per pulse axis: HOMES, +LS, -LS, spare
    Atomics<std::int32_t, 4> axisCommandPosition{};
    Atomics<std::int32_t, 4> axisDetectedPosition{};
    Atomics<std::int32_t, 4> axisCommandSpeed{};
    Atomics<std::int32_t, 4> axisDetectedSpeed{};
    Atomics<std::int32_t, 4> networkCommandPosition{};
    Atomics<std::int32_t, 4> networkDetectedPosition{};
    Atomics<std::int32_t, 4> networkCommandSpeed{};
    Atomics<std::int32_t, 4> networkDetectedSpeed{};
    Atomics<std::uint32_t, 4> networkStatus{};  // per-driver 32-bit status
    Atomics<std::uint16_t, 4> networkWord{};    // per-driver word (reply 176 + 2i)
    Atomics<std::uint16_t, 4> networkWord2{};   // second per-driver word (reply 184 + 2i)
    Atomics<std::uint16_t, 8> runFlags{};       // any non-zero: the controller is running
    Atomics<std::uint16_t, 8> statusValues{};   // eight further status values
    // Current mode word (0 edit test, 1 step run, 2 auto run); set by identify
    // and by every poll, reset to 0 by link-lost handling.
    std::atomic<std::uint16_t> modeWord{0};
    // Status poll replies accepted so far (wraps): a reader that sees it
    // advance knows the values above come from an answered poll.
    std::atomic<std::uint32_t> statusReplies{0};

    // --- outputs: set by the user, sent by each poll, overwritten by the
    // values the poll reads back -----------------------------------------
    std::atomic<std::uint16_t> generalOutputs{0};  // OUT1..OUT16
    Atomics<std::uint8_t, 4> driverOutputs{};      // C-ON/S-ON/AWO, ALM-RST, FREE, ZHOME, DRV OTU5 (bits 0..4)
    std::atomic<std::uint16_t> hostOutputs{0};     // ALM, PRG-RUN, PRG-READY, spare (bits 0..3)
    // Output words of network drivers 1..16 (index 0..15, not inverted). The
    // poll sends the four of the selected group; the reply does not overwrite
    // them, so a word stays as the user set it while another group is shown.
    Atomics<std::uint16_t, 16> networkOutputs{};

    // --- requests the poll sends ------------------------------------------
    std::atomic<std::uint16_t> requestedMode{0};    // mode the poll asks for; reset by link-lost handling
    std::atomic<std::uint16_t> selectedNetworkGroup{0};  // 0..3, drivers 4g+1..4g+4 are reported
    // One-shot fields: taken (and cleared) when a poll is built.
    std::atomic<std::uint8_t> runRequest{0};        // RunRequest: 0xD7 start, 0xD8 stop
    std::atomic<std::uint16_t> alarmResetRequest{0};  // kAlarmResetRequest
    std::atomic<std::uint16_t> networkAlarmResetMask{0};  // bit d: alarm reset of network driver d + 1

    // --- other replies ----------------------------------------------------
    Atomics<std::uint8_t, 10> alarmRecord{};  // the ten alarm codes of the alarm record
    // Live network values at controller addresses 0x69110 .. 0x69133 as read
    // back by single-value reads, stored little-endian (the network register
    // reply: slave at +0, function at +1, register address at +4, count at +6,
    // data at +8).
    static constexpr std::uint32_t kNetworkLiveBase = 0x69110;
    static constexpr std::size_t kNetworkLiveSize = 0x24;
    Atomics<std::uint8_t, kNetworkLiveSize> networkLive{};
    std::uint8_t registerReplySlave() const { return networkLive[0].load(std::memory_order_relaxed); }
    std::uint8_t registerReplyFunction() const { return networkLive[1].load(std::memory_order_relaxed); }
    std::uint16_t registerReplyAddress() const { return static_cast<std::uint16_t>(liveValue(4, 2)); }
    std::uint16_t registerReplyCount() const { return static_cast<std::uint16_t>(liveValue(6, 2)); }
    std::int32_t registerReplyData() const { return static_cast<std::int32_t>(liveValue(8, 4)); }
    std::uint32_t liveValue(std::size_t offset, std::size_t size) const;

    // --- identify texts (under a lock of their own) ----------------------
    void setControllerTexts(const std::string& name, const std::string& secondText);
    std::string controllerName() const;
    std::string controllerSecondText() const;

    bool isRunning() const;

    // Every output word and one-shot request back to what a fresh start of
    // the program sends (all off, nothing asked), so that no word of an
    // earlier connection reaches the controller identified next.
    void resetOutputs();

private:
    mutable std::mutex textLock_;
    std::string name_;
    std::string secondText_;
};

}  // namespace vantrel
