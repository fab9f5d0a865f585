#include "online/JogChecks.h"

#include <cmath>

#include "data/CellInput.h"
#include "data/ProgramTitle.h"
#include "data/Units.h"

namespace vantrel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

JogValue refused(const char* message) { return {0, Refusal{message, kProgramTitle, MessageIcon::Warning}}; }

// The value truncated toward zero when it lies in minimum..maximum (checked
// before any conversion to an integer, so a huge text cannot overflow).
JogValue inRange(double value, double minimum, double maximum, const char* message) {
    const double whole = std::trunc(value);
    if (!(whole >= minimum && whole <= maximum)) return refused(message);
    return {static_cast<std::int32_t>(whole), std::nullopt};
}

// The typed value times 100, taken from the decimal digits themselves so that
// "0.29" is exactly 29 and not 28.999...
double hundredthsOf(std::string_view text) { return readScaledNumber(text, 2); }

}  // namespace

bool isJogNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t first = i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            // A leading zero stands alone before the point: "05" and "-05" are no numbers.
            if (digits && !point && i == first + 1 && text[first] == '0') return false;
            digits = true;
        } else if (c == '.' && !point && i != first) {
            point = true;
        } else {
            return false;  // also every byte of a full-width character
        }
    }
    return digits;
}

JogValue jogSpeed(const SettingsImage& image, JogAxisIndex axis, std::string_view text) {
    if (!isJogNumber(text)) return refused(kNotNumberMessage);
    if (isNetworkJogAxis(axis)) {
        const ConstNetworkDriverRecord driver(image, jogAxisNumber(axis));
        if (jogAxisInSteps(image, axis)) return inRange(readNumber(text), 1, 1000000, kSpeedRangeMessage);
        if (driver.ratio1() == 0) return refused(kSpeedRangeMessage);
        // The whole part of value x second / first ratio word, then times 100.
        const double whole = std::trunc(hundredthsOf(text) * driver.ratio2() / (100.0 * driver.ratio1()));
        return inRange(whole * 100, 1, 1000000, kSpeedRangeMessage);
    }
    const ConstPulseAxisRecord record(image, axis);
    const double resolution = record.resolution();
    double hz = 0;
    switch (record.speedUnit()) {
    case kSpeedUnitRpm: hz = hundredthsOf(text) * resolution / 6000.0; break;
    case kSpeedUnitMmPerSecond:
    case kSpeedUnitDegPerSecond:
        if (record.travelPerRev() == 0) return refused(kSpeedRangeMessage);
        hz = hundredthsOf(text) * resolution / record.travelPerRev();
        break;
    default: hz = readNumber(text); break;
    }
    const double maximum = static_cast<double>(record.resolution() * std::uint32_t{record.maxRotationSpeed()} / 60);
    return inRange(hz, 1, maximum, kSpeedRangeMessage);
}

JogValue jogAccelTime(JogAxisIndex axis, std::string_view text) {
    if (!isJogNumber(text)) return refused(kNotNumberMessage);
    if (isNetworkJogAxis(axis)) return inRange(readScaledNumber(text, 3), 10, 1000000, kAccelRangeMessage);
    return inRange(hundredthsOf(text), 1, 100000, kAccelRangeMessage);
}

JogValue inchingDistance(const SettingsImage& image, JogAxisIndex axis, std::string_view text) {
    if (!isJogNumber(text)) return refused(kNotNumberMessage);
    const bool steps = jogAxisInSteps(image, axis);
    if (isNetworkJogAxis(axis)) {
        const ConstNetworkDriverRecord driver(image, jogAxisNumber(axis));
        if (steps) return inRange(readNumber(text), 1, 10000, kInchingRangeMessage);
        if (driver.ratio1() == 0) return refused(kInchingRangeMessage);
        return inRange(hundredthsOf(text) * driver.ratio2() / driver.ratio1(), 1, 10000, kInchingRangeMessage);
    }
    const ConstPulseAxisRecord record(image, axis);
    if (steps) {
        if (record.resolution() == 0) return refused(kInchingRangeMessage);
        return inRange(hundredthsOf(text) * record.travelPerRev() / (100.0 * record.resolution()), 1, 10000,
                       kInchingRangeMessage);
    }
    // mm or deg: the distance goes out in hundredths as typed. It must be 1 to
    // 10000 minimum travels with no remainder at 10000, that is from one
    // minimum travel up to exactly 10000 of them.
    const double minimum = record.minTravel();
    if (minimum == 0) return refused(kInchingRangeMessage);
    return inRange(hundredthsOf(text), minimum, 10000.0 * minimum, kInchingRangeMessage);
}

JogValue homeOffset(std::string_view text) {
    if (!isJogNumber(text)) return refused(kNotNumberMessage);
    return inRange(readNumber(text), -32768, 32767, kHomeOffsetRangeMessage);
}

JogValue homeStartSpeed(std::string_view text) {
    if (!isJogNumber(text)) return refused(kNotNumberMessage);
    return inRange(readNumber(text), 1, 1000000, kStartSpeedRangeMessage);
}

JogBuild buildJogRequest(const SettingsImage& image, JogAxisIndex axis, JogButton button, const JogFields& fields) {
    JogRequestRecord record;
    record.setOperation(static_cast<std::uint8_t>(button));
    record.setAxis(axis);
    // Speed and acceleration of the button, checked in this order.
    auto motion = [&](const std::string& speedText, const std::string& accelText) -> MaybeRefusal {
        const JogValue speed = jogSpeed(image, axis, speedText);
        if (!speed) return speed.refusal;
        const JogValue accel = jogAccelTime(axis, accelText);
        if (!accel) return accel.refusal;
        record.setSpeed(speed.value);
        record.setAccelTime(accel.value);
        return std::nullopt;
    };
    MaybeRefusal refusal;
    switch (button) {
    case JogButton::Forward:
    case JogButton::Backward: refusal = motion(fields.jogSpeed, fields.jogAccel); break;
    case JogButton::InchForward:
    case JogButton::InchBackward: {
        refusal = motion(fields.inchSpeed, fields.inchAccel);
        if (refusal) break;
        const JogValue distance = inchingDistance(image, axis, fields.inchDistance);
        refusal = distance.refusal;
        record.setDistance(distance.value);
        break;
    }
    case JogButton::Home: {
        refusal = motion(fields.homeSpeed, fields.homeAccel);
        if (refusal) break;
        const JogValue offset = homeOffset(fields.homeOffset);
        if ((refusal = offset.refusal)) break;
        const JogValue start = homeStartSpeed(fields.homeStartSpeed);
        if ((refusal = start.refusal)) break;
        record.setHomeOffset(offset.value);
        record.setHomeStartSpeed(start.value);
        record.setHomeMethod(fields.homeMethod);
        record.setHomeDirection(fields.homeDirection);
        break;
    }
    case JogButton::TestRun:
        if (fields.testRow < 0 || fields.testRow >= jogPointCount(axis)) return {};
        record.setPoint(static_cast<std::uint16_t>(jogPointNumber(axis, fields.testRow)));
        refusal = motion(fields.testSpeed, fields.testAccel);
        break;
    case JogButton::Stop: break;
    }
    if (refusal) return {std::nullopt, refusal};
    return {record, std::nullopt};
}

}  // namespace vantrel
