#include "app/EthernetAddressEdit.h"

#include <cctype>

#include "app/MainCommandChecks.h"

namespace vantrel {

namespace {
std::int32_t bigEndianValue(const EthernetAddressValues::Address& a) {
    return static_cast<std::int32_t>((std::uint32_t{a[0]} << 24) | (std::uint32_t{a[1]} << 16) |
                                     (std::uint32_t{a[2]} << 8) | std::uint32_t{a[3]});
}
}  // namespace

EthernetAddressValues readEthernetAddress(const SettingsImage& image) {
    const ConstEthernetSettings settings(image);
    return {settings.ipAddress(), settings.subnetMask(), settings.gateway(), settings.port()};
}

std::variant<std::uint16_t, Refusal> parseEthernetPort(const std::string& text) {
    // The range the field accepts is 0..65535; the message names that range.
    const Refusal refusal{"ポート番号は0～65535の間で設定してください。", kProgramTitle, MessageIcon::Warning};
    if (text.empty() || text.size() > 5) return refusal;
    std::uint32_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return refusal;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > 65535) return refusal;
    return static_cast<std::uint16_t>(value);
}

void applyEthernetAddress(SettingsImage& image, ControllerWriteSink* sink, const EthernetAddressValues& values) {
    EthernetSettings settings(image);
    settings.setIpAddress(values.ipAddress);
    settings.setSubnetMask(values.subnetMask);
    settings.setGateway(values.gateway);
    settings.setPort(values.port);
    if (!sink) return;
    sink->queueValueWrite(address::kEthernet, 4, bigEndianValue(values.ipAddress));
    sink->queueValueWrite(address::kEthernet + 4, 4, bigEndianValue(values.subnetMask));
    sink->queueValueWrite(address::kEthernet + 8, 4, bigEndianValue(values.gateway));
    sink->queueValueWrite(address::kEthernetPort, 2, values.port);
}

}  // namespace vantrel
