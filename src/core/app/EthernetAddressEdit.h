#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "data/ControllerWriteSink.h"
#include "data/Refusal.h"
#include "data/SettingsImage.h"

namespace vantrel {

// The controller's Ethernet address settings as the address dialog edits them.
// The image keeps each address most significant byte first.
struct EthernetAddressValues {
    using Address = std::array<std::uint8_t, 4>;
    Address ipAddress{};
    Address subnetMask{};
    Address gateway{};
    std::uint16_t port = 0;
};

EthernetAddressValues readEthernetAddress(const SettingsImage& image);

// The port field's text: a whole number 0..65535, else the refusal message.
std::variant<std::uint16_t, Refusal> parseEthernetPort(const std::string& text);

// Stores the values in the image and queues their writes: the three addresses
// to 0xAA30, 0xAA34, 0xAA38 (4 bytes each, first byte most significant) and the
// port to 0xAA54 (2 bytes). `sink` may be null.
void applyEthernetAddress(SettingsImage& image, ControllerWriteSink* sink, const EthernetAddressValues& values);

}  // namespace vantrel
