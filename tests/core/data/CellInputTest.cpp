#include "data/CellInput.h"

#include "data/Units.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(CellInputTest, HalfWidthNumbersPass)
{
    for (const char* text : {"12", "-3.5", "+0.25", "5.", " 7", ".5", "-.5", "0", "007", "80000.004"}) {
        EXPECT_TRUE(isHalfWidthNumber(text)) << text;
    }
}

TEST(CellInputTest, EverythingElseFails)
{
    for (const char* text : {"", "+", "-", ".", "+.", "-.", " ", " .", "1,000", "1e3", "--1", "+-1", "1-",
                             "1.2.3", "1 ", "  7", "12a", "0x10", "inf", "\t7"}) {
        EXPECT_FALSE(isHalfWidthNumber(text)) << '"' << text << '"';
    }
    // Full-width digits and sign, an ideograph, katakana, hiragana, a full-width blank.
    for (const char* text : {"１２", "－1", "1２", "一", "イチ", "いち", "ｲﾁ", "　7", "1．5"}) {
        EXPECT_FALSE(isHalfWidthNumber(text)) << text;
    }
    EXPECT_FALSE(isHalfWidthNumber(std::string("1\0" "2", 3)));
}

TEST(CellInputTest, RefusalCarriesTheMessage)
{
    const Refusal refusal = halfWidthNumberRefusal();
    EXPECT_EQ(refusal.text, "入力は半角数字のみです。");
    EXPECT_EQ(refusal.title, "確認");
    EXPECT_EQ(refusal.icon, MessageIcon::Warning);
}

TEST(CellInputTest, ReadNumberAndScaledNumber)
{
    EXPECT_DOUBLE_EQ(readNumber("12"), 12.0);
    EXPECT_DOUBLE_EQ(readNumber("-3.5"), -3.5);
    EXPECT_DOUBLE_EQ(readNumber("+0.25"), 0.25);
    EXPECT_DOUBLE_EQ(readNumber("5."), 5.0);
    EXPECT_DOUBLE_EQ(readNumber(" 7"), 7.0);
    EXPECT_DOUBLE_EQ(readNumber("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(readNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(readNumber("-"), 0.0);
    EXPECT_EQ(readScaledNumber("1.005", 2), 100.5);
    EXPECT_EQ(readScaledNumber("0.29", 2), 29.0);
    EXPECT_EQ(readScaledNumber("-0.5", 2), -50.0);
    EXPECT_EQ(readScaledNumber("7", 3), 7000.0);
    EXPECT_EQ(readScaledNumber("12.5", -1), 1.25);
    EXPECT_EQ(readScaledNumber(std::string(400, '9'), 0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readScaledNumber("0." + std::string(400, '0') + "1", 0), 0.0);
}

TEST(CellInputTest, IntegerCellsStopAtTheFirstNonDigitAndClamp)
{
    EXPECT_EQ(integerCellValue("3.5", 0, 100), 3);
    EXPECT_EQ(integerCellValue("12.9", 0, 100), 12);
    EXPECT_EQ(integerCellValue(" 7", 0, 100), 7);
    EXPECT_EQ(integerCellValue("+8", 0, 100), 8);
    EXPECT_EQ(integerCellValue("-.5", -10, 10), 0);
    EXPECT_EQ(integerCellValue("0", 1, 100), 1);
    EXPECT_EQ(integerCellValue("250", 1, 100), 100);
    EXPECT_EQ(integerCellValue("99999", -32768, 32767), 32767);
    EXPECT_EQ(integerCellValue("-99999", -32768, 32767), -32768);
    EXPECT_EQ(integerCellValue("-5", 0, 1'000'000), 0);
    EXPECT_EQ(integerCellValue(std::string(60, '9'), -8'000'000, 8'000'000), 8'000'000);
    EXPECT_EQ(integerCellValue("-" + std::string(60, '9'), -8'000'000, 8'000'000), -8'000'000);
}

TEST(CellInputTest, TwoDecimalCellsTruncateAfterTheTinyNudge)
{
    EXPECT_EQ(twoDecimalCellValue("0.755", 0.01, 1000.0), 75);
    EXPECT_EQ(twoDecimalCellValue("0.75", 0.01, 1000.0), 75);
    EXPECT_EQ(twoDecimalCellValue("0.29", 0.01, 1000.0), 29);
    EXPECT_EQ(twoDecimalCellValue("0.06", 0.01, 1000.0), 6);
    EXPECT_EQ(twoDecimalCellValue("0.001", 0.01, 1.0), 1);      // minimum travel
    EXPECT_EQ(twoDecimalCellValue("200", 1.0, 125.0), 12500);   // travel per revolution
    EXPECT_EQ(twoDecimalCellValue("-3", 0.01, 1000.0), 1);
    EXPECT_EQ(twoDecimalCellValue("1000.009", 0.01, 1000.0), 100000);
    EXPECT_EQ(twoDecimalCellValue(std::string(400, '9'), 0.01, 1000.0), 100000);
}

TEST(CellInputTest, MillimetrePositionsRoundHalvesAwayFromZeroAndClamp)
{
    const auto mm = [](const std::string& text) { return positionCellValue(text, kPositionUnitMm, 1000, 1000); };
    EXPECT_EQ(mm("80000.004"), 8'000'000);
    EXPECT_EQ(mm("-0.004"), 0);
    EXPECT_EQ(mm("0.005"), 1);
    EXPECT_EQ(mm("-0.005"), -1);
    EXPECT_EQ(mm("-0.5"), -50);
    EXPECT_EQ(mm("1.005"), 101);
    EXPECT_EQ(mm("1.004"), 100);
    EXPECT_EQ(mm("12.34"), 1234);
    EXPECT_EQ(mm("-80000.01"), -8'000'000);
    EXPECT_EQ(mm("99999999"), 8'000'000);
    EXPECT_EQ(mm(std::string(400, '9')), 8'000'000);
    EXPECT_EQ(positionCellValue("-1.005", kPositionUnitDeg, 1000, 1000), -101);
}

TEST(CellInputTest, StepPositionsUseTheTravelOverResolutionFactor)
{
    EXPECT_EQ(positionCellValue("1234", kPositionUnitStep, 4000, 4000), 1234);
    EXPECT_EQ(positionCellValue("2.994", kPositionUnitStep, 1000, 1000), 2);
    EXPECT_EQ(positionCellValue("2.996", kPositionUnitStep, 1000, 1000), 3);
    EXPECT_EQ(positionCellValue("-2.996", kPositionUnitStep, 1000, 1000), -3);
    EXPECT_EQ(positionCellValue("12345678.9", kPositionUnitStep, 1000, 1000), 8'000'000);
    EXPECT_EQ(positionCellValue("100", kPositionUnitStep, 500, 1000), 50);
    // The product is kept within the stored range too.
    EXPECT_EQ(positionCellValue("5000000", kPositionUnitStep, 2000, 1000), 8'000'000);
    // A 0 resolution or travel in a foreign image: the factor is 1.
    EXPECT_EQ(positionCellValue("1234", kPositionUnitStep, 1000, 0), 1234);
    EXPECT_EQ(positionCellValue("1234", kPositionUnitStep, 0, 1000), 1234);
    EXPECT_EQ(positionCellValue("-1234", kPositionUnitStep, 0, 0), -1234);
}

TEST(CellInputTest, OtherRoundingAmounts)
{
    // The movable maximum moves 0.000001 away from zero instead of 0.005.
    EXPECT_EQ(positionCellValue("10.006", kPositionUnitMm, 1000, 1000, 0.000001), 1000);
    EXPECT_EQ(positionCellValue("10.006", kPositionUnitMm, 1000, 1000), 1001);
}

}  // namespace
}  // namespace vantrel
