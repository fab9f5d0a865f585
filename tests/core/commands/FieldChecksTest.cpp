#include <functional>

#include <gtest/gtest.h>

#include "commands/FieldChecks.h"
#include "data/Units.h"

namespace vantrel {
namespace {

struct FieldCase {
    std::uint8_t unit;
    const char* text;
    const char* message;  // nullptr: accepted
    std::int32_t stored;
};

template <std::size_t N>
void expectCases(const FieldCase (&cases)[N], const std::function<Checked<std::int32_t>(const FieldCase&)>& check) {
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " unit " + std::to_string(c.unit));
        const Checked<std::int32_t> checked = check(c);
        ASSERT_EQ(bool(checked), c.message == nullptr);
        if (checked) {
            EXPECT_EQ(checked.value, c.stored);
        } else {
            EXPECT_EQ(checked.refusal->text, c.message);
            EXPECT_EQ(checked.refusal->icon, MessageIcon::Warning);
        }
    }
}

TEST(FieldChecks, PositionRangeAndConversionFollowTheAxisUnit) {
    const FieldCase cases[] = {
        {kPositionUnitStep, "-8000000", nullptr, -8000000},
        {kPositionUnitStep, "8000000.4", nullptr, 8000000},  // the whole part is in range
        {kPositionUnitStep, "8000001", kValueOutOfRangeMessage, 0},
        {kPositionUnitStep, "12.5", nullptr, 13},
        {kPositionUnitMm, "-80000", nullptr, -8000000},
        {kPositionUnitMm, "80000.01", kValueOutOfRangeMessage, 0},
        {kPositionUnitMm, "12.345", nullptr, 1235},          // half away from zero
        {kPositionUnitMm, "-0.005", nullptr, -1},
        {kPositionUnitDeg, "90000", nullptr, 8000000},       // no message, clamped
        {kPositionUnitDeg, "-123456", nullptr, -8000000},
        {7, "80000.5", kValueOutOfRangeMessage, 0},          // unknown unit codes count as mm
        {kPositionUnitMm, "abc", kEnterNumberMessage, 0},
        {kPositionUnitMm, "-.--", kEnterNumberMessage, 0},   // the text of a point without position
        {kPositionUnitStep, "１２", kEnterNumberMessage, 0},   // full-width digits
        {kPositionUnitMm, "", kEnterNumberMessage, 0},
        {kPositionUnitMm, "1.2.3", kEnterNumberMessage, 0},
    };
    expectCases(cases, [](const FieldCase& c) { return checkPositionField(c.unit, c.text); });
}

TEST(FieldChecks, SpeedRateIsAWholeNumberFromOneToHundred) {
    const FieldCase cases[] = {
        {0, "100", nullptr, 100},   {0, "1", nullptr, 1},
        {0, "100.9", nullptr, 100}, {0, "1.6", nullptr, 2},
        {0, "0", kValueOutOfRangeMessage, 0},   {0, "101", kValueOutOfRangeMessage, 0},
        {0, "0.5", kValueOutOfRangeMessage, 0}, {0, "-5", kValueOutOfRangeMessage, 0},
        {0, "abc", kEnterNumberMessage, 0},     {0, "5%", kEnterNumberMessage, 0},
    };
    expectCases(cases, [](const FieldCase& c) { return checkSpeedRateField(c.text); });
}

// A refusal keeps its message; the range of the field's tool tip goes beside it.
TEST(FieldChecks, RefusalsNoteTheRangeOfTheirField) {
    EXPECT_EQ(checkPositionField(kPositionUnitStep, "x").refusal->note, "設定範囲:-8000000～8000000[step]");
    EXPECT_EQ(checkPositionField(kPositionUnitMm, "80000.01").refusal->note, "設定範囲:-80000.00～80000.00[mm]");
    EXPECT_EQ(checkSpeedRateField("0").refusal->note, "設定範囲:1～100[%]");
    EXPECT_EQ(withHintRange(editorRefusal("m"), "no range").note, "");
}

}  // namespace
}  // namespace vantrel
