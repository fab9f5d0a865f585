#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// What the status pane shows, read once a second from the link and the
// controller status.
struct StatusPaneInput {
    bool portOpen = false;
    bool silentDisconnect = false;  // a disconnect is in progress
    std::uint16_t currentMode = 0;
    std::string controllerName;                 // from the identify reply, display text
    std::array<std::uint16_t, 8> runStates{};   // the eight run values of the status reply
    std::uint8_t alarmCode = 0;                 // status reply byte 5
    std::uint8_t speedLevel = 0;                // settings image byte 172,826
};

// The six fields left to right; the speed field's buttons are the pane's own.
struct StatusPaneTexts {
    std::string link;        // "ONLINE" / "OFFLINE"
    std::string mode;        // mode text, empty offline
    std::string speed;       // "%d％"
    std::string controller;  // name, empty offline
    std::string runState;    // "動作中" / "停止中", empty offline
    std::string alarm;       // "alarm %03d" / "no alarm", empty offline
};

StatusPaneTexts statusPaneTexts(const StatusPaneInput& input);

}  // namespace vantrel
