#pragma once

// The network register test ("485通信テスト"): one register request to one
// network driver, checked, placed in the link's register-request slot (the
// next status poll carries it), and its answer read back from the
// controller's live values at 0x69110 with five single-value reads.

#include <cstdint>
#include <optional>
#include <string>

#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "link/ControllerLink.h"
#include "link/ControllerStatus.h"
#include "link/NetworkRegisterRequest.h"
#include "link/RequestQueues.h"

namespace vantrel {

// The window's fields as typed. The register count field is never editable,
// so the window always sends 2.
struct RegisterTestFields {
    std::string slave = "1";
    std::uint8_t function = NetworkRegisterRequest::kWriteRegisters;  // 3, 8 or 16
    std::string registerAddress = "0";
    std::string registerCount = "2";
    std::string data = "0";
};

struct RegisterCheck {
    std::optional<NetworkRegisterRequest> request;
    MaybeRefusal refusal;
};

// In this order: the controller's mode must be edit-test (else
// "手動モードにしてください"); the slave address 1..16 and a driver connected
// there; then by function: 3 register address 0..65535 and count 1..2, data
// 0; 8 data a number whose integer value is 0..65535, address 0 and count 1;
// 16 address and count as for 3, data 0..65535 with count 1, a whole number
// in -8000000..8000000 with count 2. Every message goes in a plain box (the
// program's title); nothing is sent after one.
RegisterCheck checkRegisterRequest(const RegisterTestFields& fields, std::uint16_t modeWord, const SettingsImage& image);

// Places an accepted request in the link's register-request slot (under its
// own lock) for the next status poll, while the link is open. A request made
// while it is closed is not kept: it would reach a driver when the user
// connects.
bool placeRegisterRequest(ControllerLink& link, const NetworkRegisterRequest& request);

// Queues the five reads of the answer: slave (0x69110, 1 byte), function
// (0x69111, 1), register address (0x69114, 2), register count (0x69116, 2)
// and data (0x69118, 4). Each read is dropped when the read queue is full.
void queueRegisterReplyReads(RequestQueues& queues);

// The answer as the window shows it, from the values read back. The data is
// the low 16 bits for functions 3 and 8 with count 1, 0 for function 16, and
// the whole 32-bit value otherwise.
struct RegisterReplyText {
    std::string slave;
    std::string function;
    std::string registerAddress;
    std::string registerCount;
    std::string data;
    bool operator==(const RegisterReplyText&) const = default;
};
RegisterReplyText registerReplyText(const ControllerStatus& status);

// Which fields the chosen function uses: 3 the register address, 8 the data,
// 16 both.
struct RegisterFieldStates {
    bool registerAddress = true;
    bool data = true;
    bool operator==(const RegisterFieldStates&) const = default;
};
RegisterFieldStates registerFieldStates(std::uint8_t function);

}  // namespace vantrel
