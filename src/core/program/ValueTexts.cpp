#include "program/ValueTexts.h"

#include <algorithm>

#include "data/CellInput.h"
#include "data/ProgramTitle.h"
#include "data/Units.h"
#include "data/ValueText.h"

namespace vantrel {

namespace {

std::uint8_t unitOf(const SettingsImage& image, int axis) { return ConstPulseAxisRecord(image, axis).positionUnit(); }

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

Refusal warning(std::string text) { return {std::move(text), kProgramTitle, MessageIcon::Warning}; }

// The two rules names and constants share: characters, then length.
MaybeRefusal checkCharactersAndLength(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '_' && !(c == '-' && i == 0))
            return warning("半角の英数字及び_を入力してください。");
    }
    if (text.size() > 10) return warning("10文字以内に入力してください。");
    return std::nullopt;
}

}  // namespace

std::string formatPosition(std::uint8_t positionUnit, std::int32_t value) {
    if (positionUnit == kPositionUnitStep) return value == NOT_SET_POSITION ? "---" : std::to_string(value);
    return value == NOT_SET_POSITION ? "-.--" : twoDecimalText(value);
}

std::string formatPosition(const SettingsImage& image, int axis, std::int32_t value) {
    return formatPosition(unitOf(image, axis), value);
}

std::optional<double> parsePosition(std::uint8_t positionUnit, std::string_view text) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    const double value = readScaledNumber(text, positionUnit == kPositionUnitStep ? 0 : 2);
    return std::clamp(value, -static_cast<double>(kPositionLimit), static_cast<double>(kPositionLimit));
}

std::optional<double> parsePosition(const SettingsImage& image, int axis, std::string_view text) {
    return parsePosition(unitOf(image, axis), text);
}

std::string positionResetText(std::uint8_t positionUnit) { return positionUnit == kPositionUnitStep ? "-" : "-.--"; }

std::optional<double> parseSpeedRate(std::string_view text) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    return std::clamp(readNumber(text), 1.0, 100.0);
}

std::optional<double> parseNumber(std::string_view text) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    return readNumber(text);
}

std::string positionHint(std::uint8_t positionUnit) {
    if (positionUnit == kPositionUnitStep) return "設定単位:1[step] \n設定範囲:-8000000～8000000[step]";
    if (positionUnit == kPositionUnitDeg) return "設定単位:0.01[deg] \n設定範囲:-80000.00～80000.00[deg]";
    return "設定単位:0.01[mm] \n設定範囲:-80000.00～80000.00[mm]";
}

std::string positionHint(const SettingsImage& image, int axis) { return positionHint(unitOf(image, axis)); }

std::string speedRateHint() { return "設定単位:1[%] \n設定範囲:1～100[%]"; }

MaybeRefusal checkVariableName(std::string_view text) {
    if (auto refusal = checkCharactersAndLength(text)) return refusal;
    if (text.empty() || !isAsciiLetter(text[0])) return warning("先頭文字はアルファベットのみ指定可能。");
    return std::nullopt;
}

MaybeRefusal checkVariableOrConstant(std::string_view text) {
    if (auto refusal = checkCharactersAndLength(text)) return refusal;
    const bool constant = text.empty() || isAsciiDigit(text[0]) || text[0] == '-';
    if (!constant) return std::nullopt;
    const std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isAsciiDigit)) return warning("変数名の先頭文字はアルファベットのみ指定可能です。\n定数であれば数字のみの入力としてください。");
    return std::nullopt;
}

}  // namespace vantrel
