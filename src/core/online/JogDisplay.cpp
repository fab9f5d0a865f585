#include "online/JogDisplay.h"

#include <cmath>

#include "data/ValueText.h"
#include "online/NetworkMonitorText.h"
#include "online/StatusSnapshot.h"

namespace vantrel {
namespace {

constexpr auto relaxed = std::memory_order_relaxed;
constexpr std::uint8_t kPulseReadyBit = 0x01;
constexpr std::uint8_t kPulseAlarmBit = 0x02;
constexpr std::uint32_t kNetworkReadyBit = 0x20;
constexpr std::uint32_t kNetworkAlarmBit = 0x80;

// resolution / travel per revolution of a pulse axis; 1 where the image holds a 0.
double stepsPerHundredth(const ConstPulseAxisRecord& record) {
    if (record.travelPerRev() == 0 || record.resolution() == 0) return 1.0;
    return static_cast<double>(record.resolution()) / record.travelPerRev();
}

std::string wholeText(double value) { return std::to_string(static_cast<long long>(std::trunc(value))); }

}  // namespace

JogDisplay jogDisplay(const SettingsImage& image, const ControllerStatus& status, JogAxisIndex axis) {
    JogDisplay d;
    const JogUnits units = jogUnits(image, axis);
    d.positionUnit = units.position;
    d.speedUnit = units.displaySpeed;
    const int number = jogAxisNumber(axis);
    if (isNetworkJogAxis(axis)) {
        const auto slot = static_cast<std::size_t>(number % 4);
        d.commandPosition = networkPositionText(image, number, status.networkCommandPosition[slot].load(relaxed));
        d.commandSpeed = networkSpeedText(image, number, status.networkCommandSpeed[slot].load(relaxed));
        const std::uint32_t bits = status.networkStatus[slot].load(relaxed);
        d.alarm = (bits & kNetworkAlarmBit) != 0;
        d.ready = (bits & kNetworkReadyBit) != 0;
    } else {
        const auto i = static_cast<std::size_t>(number);
        const ConstPulseAxisRecord record(image, number);
        const double ratio = stepsPerHundredth(record);
        const std::int32_t position = status.axisCommandPosition[i].load(relaxed);
        const std::int32_t speed = status.axisCommandSpeed[i].load(relaxed);
        if (jogAxisInSteps(image, axis)) {
            d.commandPosition = wholeText(static_cast<double>(position) * ratio);
            d.commandSpeed = std::to_string(speed);
        } else {
            d.commandPosition = twoDecimalText(position);
            d.commandSpeed = twoDecimalText(std::llround(static_cast<double>(speed) / ratio));
        }
        const std::uint8_t inputs = status.driverInputs[i].load(relaxed);
        d.alarm = (inputs & kPulseAlarmBit) != 0;
        d.ready = (inputs & kPulseReadyBit) != 0;
    }
    const StatusSnapshot outputs = takeSnapshot(status);
    for (const DriverSwitch& s : driverSwitches(image, axis)) d.switches.push_back(s.bit && isLit(outputs, *s.bit));
    return d;
}

JogPointText jogPointText(const SettingsImage& image, JogAxisIndex axis, int row) {
    const int number = jogAxisNumber(axis);
    if (isNetworkJogAxis(axis)) {
        const ConstNetworkDriverRecord driver(image, number);
        const ConstNetworkPointRecord point = driver.point(row);
        JogPointText text{std::to_string(point.position()), point.mode() == 1 ? "ABS" : "INC"};
        if (!jogAxisInSteps(image, axis)) {
            const double ratio = driver.ratio2() == 0 ? 1.0 : static_cast<double>(driver.ratio1()) / driver.ratio2();
            text.position = twoDecimalText(static_cast<std::int64_t>(std::trunc(point.position() * ratio)));
        }
        return text;
    }
    const ConstPulseAxisRecord record(image, number);
    const std::int32_t position = image.readPosition(number, layout::kPointTableFirstIndex + row);
    if (position == NOT_SET_POSITION) return {"---", ""};
    if (jogAxisInSteps(image, axis)) return {wholeText(static_cast<double>(position) * stepsPerHundredth(record)), ""};
    return {twoDecimalText(position), ""};
}

}  // namespace vantrel
