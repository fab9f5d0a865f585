#include "commands/FieldChecks.h"

#include <cmath>
#include <limits>

#include "data/CellInput.h"
#include "data/ProgramTitle.h"
#include "data/Units.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {

constexpr double kMmLimit = 80000.0;

template <class T>
Checked<T> refusedWith(std::string_view message) {
    return {T{}, editorRefusal(std::string(message))};
}

// A field's refusal noting the range of the field's hint.
Checked<std::int32_t> refusedNoting(const Refusal& refusal, std::string_view hint) {
    return {0, withHintRange(refusal, hint)};
}

const NumberFieldRule& positionRule(std::uint8_t positionUnit) {
    static const NumberFieldRule mm{-kMmLimit, kMmLimit, NumberFieldRule::Range::OfNumber, kEnterNumberMessage,
                                    kValueOutOfRangeMessage};
    static const NumberFieldRule step{-kPositionLimit, kPositionLimit, NumberFieldRule::Range::OfWholePart,
                                      kEnterNumberMessage, kValueOutOfRangeMessage};
    static const NumberFieldRule deg{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                                     NumberFieldRule::Range::OfNumber, kEnterNumberMessage, kValueOutOfRangeMessage};
    if (positionUnit == kPositionUnitStep) return step;
    if (positionUnit == kPositionUnitDeg) return deg;
    return mm;
}

}  // namespace

Refusal editorRefusal(std::string message) { return {std::move(message), kProgramTitle, MessageIcon::Warning}; }

Refusal withHintRange(Refusal refusal, std::string_view hint) {
    const std::size_t start = hint.find("設定範囲");
    if (start == std::string_view::npos) return refusal;
    std::string_view range = hint.substr(start);
    range = range.substr(0, range.find('\n'));
    range = range.substr(0, range.find_last_not_of(' ') + 1);
    refusal.note = range;
    return refusal;
}

Checked<double> checkNumberField(std::string_view text, const NumberFieldRule& rule) {
    if (!isHalfWidthNumber(text)) return refusedWith<double>(rule.notNumberMessage);
    const double number = readNumber(text);
    const double ranged = rule.range == NumberFieldRule::Range::OfWholePart ? std::trunc(number) : number;
    if (!(ranged >= rule.minimum && ranged <= rule.maximum)) return refusedWith<double>(rule.outOfRangeMessage);
    return {number, std::nullopt};
}

std::string integerRangeMessage(int minimum, int maximum) {
    return std::to_string(minimum) + " から " + std::to_string(maximum) + " までの整数を入力してください。";
}

Checked<int> checkIntegerField(std::string_view text, int minimum, int maximum) {
    std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return refusedWith<int>(kEnterIntegerMessage);
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return refusedWith<int>(kEnterIntegerMessage);
        if (value < 10'000'000'000LL) value = value * 10 + (text[i] - '0');  // large enough to be out of range
    }
    if (text[0] == '-') value = -value;
    if (value < minimum || value > maximum) return refusedWith<int>(integerRangeMessage(minimum, maximum));
    return {static_cast<int>(value), std::nullopt};
}

std::int32_t roundHalfAwayFromZero(double value) {
    const double rounded = std::round(value);
    if (!(rounded > std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (rounded >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

Checked<std::int32_t> checkPositionField(std::uint8_t positionUnit, std::string_view text) {
    const std::string hint = positionHint(positionUnit);
    const Checked<double> number = checkNumberField(text, positionRule(positionUnit));
    if (!number) return refusedNoting(*number.refusal, hint);
    // Taken from the digits (12.345 mm is exactly 1234.5), so the half rounds away from zero.
    const std::optional<double> stored = parsePosition(positionUnit, text);
    if (!stored) return refusedNoting(editorRefusal(kEnterNumberMessage), hint);
    return {roundHalfAwayFromZero(*stored), std::nullopt};
}

Checked<std::int32_t> checkSpeedRateField(std::string_view text) {
    static const NumberFieldRule rule{1, 100, NumberFieldRule::Range::OfWholePart, kEnterNumberMessage,
                                      kValueOutOfRangeMessage};
    const Checked<double> number = checkNumberField(text, rule);
    if (!number) return refusedNoting(*number.refusal, speedRateHint());
    const std::optional<double> rate = parseSpeedRate(text);
    if (!rate) return refusedNoting(editorRefusal(kEnterNumberMessage), speedRateHint());
    return {roundHalfAwayFromZero(*rate), std::nullopt};
}

std::string speedRateFieldText(std::int32_t rate) { return rate == 0 ? "-" : std::to_string(rate); }

}  // namespace vantrel
