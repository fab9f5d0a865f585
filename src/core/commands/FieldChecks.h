#pragma once

// Checks of typed field texts, shared by the command editors. A check returns
// the value it read or the refusal to show (warning icon, program title);
// only half-width numbers are numbers (the input rule of the numeric cells),
// so full-width digits are refused like letters.
//
// checkNumberField is the general form: the messages and the range are the
// caller's, and the range applies either to the number as typed or to its
// whole part (fields that are "read as an integer"). The position and speed
// checks below are the axis editors' fixed uses of it.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/Refusal.h"

namespace vantrel {

inline constexpr const char* kSelectAxisMessage = "軸を選択してください";
inline constexpr const char* kSelectTwoAxesMessage = "2軸を選択してください";
inline constexpr const char* kValueOutOfRangeMessage = "設定値が範囲外です。";
inline constexpr const char* kEnterNumberMessage = "数字を入力してください";
inline constexpr const char* kEnterIntegerMessage = "整数を入力してください。";

// A refusal of a command editor: the message with a warning icon under the
// program's title.
Refusal editorRefusal(std::string message);

// The refusal of a field with the range its hint states ("設定範囲:0.00～99.99[sec]",
// the hint's line that starts with "設定範囲") as its note, which is shown
// beside the message; the message itself stays as it is.
Refusal withHintRange(Refusal refusal, std::string_view hint);

struct NumberFieldRule {
    enum class Range { OfNumber, OfWholePart };
    double minimum;
    double maximum;
    Range range;
    std::string_view notNumberMessage;
    std::string_view outOfRangeMessage;
};

// The number typed (not rounded or clamped), when the text is a half-width
// number and within the rule's range.
Checked<double> checkNumberField(std::string_view text, const NumberFieldRule& rule);

// An integer field with its range in the message: text that is empty or not a
// half-width decimal integer (an optional sign, then digits) gives
// "整数を入力してください。", a number outside minimum..maximum
// "<minimum> から <maximum> までの整数を入力してください。".
Checked<int> checkIntegerField(std::string_view text, int minimum, int maximum);
std::string integerRangeMessage(int minimum, int maximum);

// Half away from zero, saturating at the int32 range.
std::int32_t roundHalfAwayFromZero(double value);

// A position of a pulse axis with position unit `positionUnit`: a number
// ("数字を入力してください"); on an mm axis (and unknown units) within
// -80000..80000, on a step axis with its whole part within -8000000..8000000
// ("設定値が範囲外です。"), a deg axis without a range message; then converted
// like parsePosition (x 100 for mm and deg, clamped to +-8,000,000, so a deg
// value is silently limited to +-80000.00) and rounded half away from zero.
// A refusal notes the range of the unit's hint.
Checked<std::int32_t> checkPositionField(std::uint8_t positionUnit, std::string_view text);

// A speed rate in percent: a number whose whole part is 1..100, rounded; a
// refusal notes the range of the rate's hint.
Checked<std::int32_t> checkSpeedRateField(std::string_view text);

// The text a speed rate field shows: "%d", or "-" for 0.
std::string speedRateFieldText(std::int32_t rate);

}  // namespace vantrel
