#pragma once

// The register test's send: the checks of its fields, in order, and the
// request they make. A refused send makes no request; its message is shown
// in a plain box without a title.

#include <cstdint>
#include <optional>
#include <string>

#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "link/NetworkRegisterRequest.h"

namespace vantrel {

inline constexpr const char* kManualModeMessage = "手動モードにしてください";
inline constexpr const char* kSlaveRangeMessage = "スレーブアドレスは1～16の範囲にしてください。";
inline constexpr const char* kSlaveNotConnectedMessage = "指定したスレーブアドレスはドライバが未接続です。";
inline constexpr const char* kRegisterAddressRangeMessage = "レジスタアドレスは0～65535の範囲にしてください。";
inline constexpr const char* kRegisterCountRangeMessage = "レジスタ数は1～2の範囲にしてください。";
inline constexpr const char* kDiagnosticsDataRangeMessage = "診断のデータは0～65535の範囲にしてください。";
inline constexpr const char* kSingleRegisterDataRangeMessage = "レジスタ数1の書込みデータは0～65535の範囲にしてください。";
inline constexpr const char* kDoubleRegisterDataRangeMessage = "データは-8000000～8000000の範囲にしてください";
inline constexpr const char* kWholeDataMessage = "データは整数で入力してください。";

// The fields as typed ("スレーブ\nアドレス", "ファンクション\nコード",
// "レジスタ\nアドレス", "レジスタ数", "データ"), with the window's start values.
struct NetworkRegisterForm {
    std::string slave = "1";
    int function = NetworkRegisterRequest::kWriteRegisters;  // 3, 8 or 16 (the drop-down)
    std::string registerAddress = "0";
    std::string registerCount = "2";
    std::string data = "0";
};

struct NetworkRegisterCheck {
    std::optional<NetworkRegisterRequest> request;  // when every check passed
    MaybeRefusal refusal;                           // the first check that failed
};

// Checks a send in the controller's mode `modeWord`, with the network driver
// records of `image` telling which slaves have a driver:
// 1. edit-test mode only; 2. slave 1..16, with a driver (model not 0);
// 3. by function: read (3) register address 0..65535 and count 1..2, data 0;
//    diagnostics (8) data a number whose integer part is 0..65535, address 0,
//    count 1; write (16) address and count as read, then with count 1 data
//    0..65535 (integer part), with count 2 a whole number in -8000000..8000000.
// Slave, address and count must be whole numbers; anything else fails its
// range check. A function other than 3, 8 and 16 (the drop-down offers no
// other) makes no request and no message.
NetworkRegisterCheck checkNetworkRegisterRequest(const NetworkRegisterForm& form, std::uint16_t modeWord,
                                                 const SettingsImage& image);

// The data the answer shows, from the function and count read back: the low
// 16 bits for a read or diagnostics of one register, 0 for a write, the whole
// value otherwise.
std::int32_t shownRegisterData(std::uint8_t function, std::uint16_t count, std::int32_t data);

}  // namespace vantrel
