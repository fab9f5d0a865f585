#include "online/NetworkMonitorText.h"

#include <cmath>
#include <cstdio>

#include "data/ValueText.h"

namespace vantrel {
namespace {

constexpr std::uint8_t kUnitStep = 2;
constexpr auto relaxed = std::memory_order_relaxed;

bool inSteps(const SettingsImage& image, int driver) { return ConstNetworkDriverRecord(image, driver).unit() == kUnitStep; }

// "%.2f" of hundredths / 100, rounded to the nearest hundredth; built from
// integers so that the text never depends on the process' locale.
std::string hundredthsText(double hundredths) {
    constexpr double kLimit = 9.0e17;
    const double bounded = hundredths > kLimit ? kLimit : (hundredths < -kLimit ? -kLimit : hundredths);
    return twoDecimalText(std::llround(bounded));
}

}  // namespace

std::string networkPositionText(const SettingsImage& image, int driver, std::int32_t value) {
    if (inSteps(image, driver)) return std::to_string(value);
    const ConstNetworkDriverRecord record(image, driver);
    const double ratio = record.ratio2() == 0 ? 1.0 : static_cast<double>(record.ratio1()) / record.ratio2();
    return hundredthsText(value * ratio);
}

std::string networkSpeedText(const SettingsImage& image, int driver, std::int32_t value) {
    if (inSteps(image, driver)) return std::to_string(value);
    return hundredthsText(static_cast<double>(value) * ConstNetworkDriverRecord(image, driver).ratio1() / 60.0);
}

std::string networkPositionUnit(const SettingsImage& image, int driver) { return inSteps(image, driver) ? "step" : "mm"; }

std::string networkSpeedUnit(const SettingsImage& image, int driver) { return inSteps(image, driver) ? "r/min" : "mm/s"; }

std::string networkAlarmText(std::uint16_t code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04Xh", static_cast<unsigned>(code));
    return buffer;
}

NetworkDriverView networkDriverView(const SettingsImage& image, const ControllerStatus& status, int group, int slot) {
    const int driver = 4 * group + slot;
    const auto i = static_cast<std::size_t>(slot);
    NetworkDriverView view;
    view.values[0] = networkPositionText(image, driver, status.networkCommandPosition[i].load(relaxed));
    view.values[1] = networkPositionText(image, driver, status.networkDetectedPosition[i].load(relaxed));
    view.values[2] = networkSpeedText(image, driver, status.networkCommandSpeed[i].load(relaxed));
    view.values[3] = networkSpeedText(image, driver, status.networkDetectedSpeed[i].load(relaxed));
    view.positionUnit = networkPositionUnit(image, driver);
    view.speedUnit = networkSpeedUnit(image, driver);
    // The per-driver words: alarm code at reply 176 + 2i, NET-IN at 184 + 2i,
    // NET-OUT in the low half of the 32-bit status at 160 + 4i.
    view.alarm = networkAlarmText(status.networkWord[i].load(relaxed));
    view.netIn = status.networkWord2[i].load(relaxed);
    view.netOut = static_cast<std::uint16_t>(status.networkStatus[i].load(relaxed));
    return view;
}

std::string networkBlockTitle(int driver) { return "RIVO" + std::to_string(driver + 1); }

}  // namespace vantrel
