// The test-operation window's field checks and the JOG request records its
// buttons build.
#include "online/JogChecks.h"

#include <gtest/gtest.h>

#include "data/DefaultImage.h"
#include "data/Units.h"

using namespace vantrel;

namespace {

constexpr JogAxisIndex kPulse = 0;     // 軸1
constexpr JogAxisIndex kNetwork = 5;   // RIVO02

// Axis 1: resolution 1000, travel 10.00 mm, 4000 r/min, minimum travel 0.01 mm.
// RIVO02: step unit unless asked for mm with ratio words w1, w2.
SettingsImage image(std::uint8_t speedUnit = kSpeedUnitHz, std::uint8_t positionUnit = kPositionUnitMm) {
    SettingsImage img = makeDefaultSettingsImage();
    PulseAxisRecord axis(img, 0);
    axis.setModel(2);
    axis.setResolution(1000);
    axis.setTravelPerRev(1000);
    axis.setMaxRotationSpeed(4000);
    axis.setMinTravel(1);
    axis.setSpeedUnit(speedUnit);
    axis.setPositionUnit(positionUnit);
    NetworkDriverRecord(img, 1).setModel(2);
    return img;
}

SettingsImage networkMm(std::uint16_t w1, std::uint16_t w2) {
    SettingsImage img = image();
    NetworkDriverRecord driver(img, 1);
    driver.setUnit(0);
    driver.setRatio1(w1);
    driver.setRatio2(w2);
    return img;
}

struct Case {
    const char* name;
    JogValue value;
    std::int32_t expected;       // when accepted
    const char* message = nullptr;  // when refused
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        if (c.message) {
            ASSERT_TRUE(c.value.refusal) << c.name;
            EXPECT_EQ(c.value.refusal->text, c.message) << c.name;
            EXPECT_EQ(c.value.refusal->icon, MessageIcon::Warning) << c.name;
        } else {
            EXPECT_FALSE(c.value.refusal) << c.name << ": " << c.value.refusal->text;
            EXPECT_EQ(c.value.value, c.expected) << c.name;
        }
    }
}

}  // namespace

TEST(JogChecks, NumberRule) {
    const char* accepted[] = {"0", "0.5", "-0.5", "10", "5.", "-0", "1000.00", "0.05"};
    const char* refused[] = {"05", "-05", "00", "", "-", ".", "-.", ".5", "-.5", "+5", " 5", "5 ", "1.2.3", "1e3",
                             "1,000", "--1", "\xEF\xBC\x91" /* full-width 1 */, "1\xE3\x80\x82" /* ideographic point */};
    for (const char* text : accepted) EXPECT_TRUE(isJogNumber(text)) << text;
    for (const char* text : refused) EXPECT_FALSE(isJogNumber(text)) << text;
    // Every check refuses such a text with the same message before its range.
    const SettingsImage img = image();
    for (const JogValue& v : {jogSpeed(img, kPulse, "05"), jogAccelTime(kPulse, "-"), inchingDistance(img, kPulse, "."),
                              homeOffset("1e3"), homeStartSpeed("")})
        EXPECT_EQ(v.refusal.value_or(Refusal{}).text, kNotNumberMessage);
}

TEST(JogChecks, SpeedByUnit) {
    const SettingsImage hz = image(kSpeedUnitHz);
    const SettingsImage rpm = image(kSpeedUnitRpm);
    const SettingsImage mms = image(kSpeedUnitMmPerSecond);
    const SettingsImage mm = networkMm(100, 200);
    expectCases({
        // resolution 1000 x 4000 r/min / 60 = 66666 Hz at most
        {"Hz 66666", jogSpeed(hz, kPulse, "66666"), 66666},
        {"Hz 66667", jogSpeed(hz, kPulse, "66667"), 0, kSpeedRangeMessage},
        {"Hz 0", jogSpeed(hz, kPulse, "0"), 0, kSpeedRangeMessage},
        {"Hz typed integer", jogSpeed(hz, kPulse, "10.9"), 10},
        {"Hz huge", jogSpeed(hz, kPulse, "99999999999999999999"), 0, kSpeedRangeMessage},
        {"r/min 60", jogSpeed(rpm, kPulse, "60"), 1000},
        {"r/min 4000", jogSpeed(rpm, kPulse, "4000"), 66666},
        {"r/min 4000.1", jogSpeed(rpm, kPulse, "4000.1"), 0, kSpeedRangeMessage},
        {"mm/s 15", jogSpeed(mms, kPulse, "15"), 1500},
        {"mm/s 0.29 exactly", jogSpeed(mms, kPulse, "0.29"), 29},
        {"mm/s 0.001", jogSpeed(mms, kPulse, "0.001"), 0, kSpeedRangeMessage},
        {"mm/s negative", jogSpeed(mms, kPulse, "-5"), 0, kSpeedRangeMessage},
        {"network step 1000000", jogSpeed(hz, kNetwork, "1000000"), 1000000},
        {"network step 1000001", jogSpeed(hz, kNetwork, "1000001"), 0, kSpeedRangeMessage},
        // whole part of 1.5 x 200 / 100 = 3, times 100
        {"network mm", jogSpeed(mm, kNetwork, "1.5"), 300},
        {"network mm whole part first", jogSpeed(mm, kNetwork, "1.7"), 300},
        {"network mm below one", jogSpeed(mm, kNetwork, "0.4"), 0, kSpeedRangeMessage},
        {"network mm first word 0", jogSpeed(networkMm(0, 200), kNetwork, "5"), 0, kSpeedRangeMessage},
    });
    SettingsImage noTravel = image(kSpeedUnitMmPerSecond);
    PulseAxisRecord(noTravel, 0).setTravelPerRev(0);
    expectCases({{"travel 0", jogSpeed(noTravel, kPulse, "15"), 0, kSpeedRangeMessage}});
}

TEST(JogChecks, AccelerationTime) {
    expectCases({
        {"pulse 0.00", jogAccelTime(kPulse, "0.00"), 0, kAccelRangeMessage},
        {"pulse 0.01", jogAccelTime(kPulse, "0.01"), 1},
        {"pulse 0.29", jogAccelTime(kPulse, "0.29"), 29},
        {"pulse 1000.00", jogAccelTime(kPulse, "1000.00"), 100000},
        {"pulse 1000.01", jogAccelTime(kPulse, "1000.01"), 0, kAccelRangeMessage},
        {"network 0.009", jogAccelTime(kNetwork, "0.009"), 0, kAccelRangeMessage},
        {"network 0.01", jogAccelTime(kNetwork, "0.01"), 10},
        {"network 1.00", jogAccelTime(kNetwork, "1.00"), 1000},
        {"network 1000", jogAccelTime(kNetwork, "1000"), 1000000},
        {"network 1000.001", jogAccelTime(kNetwork, "1000.001"), 0, kAccelRangeMessage},
    });
}

TEST(JogChecks, InchingDistance) {
    const SettingsImage mm = image();
    SettingsImage coarse = image();
    PulseAxisRecord(coarse, 0).setMinTravel(3);
    const SettingsImage step = image(kSpeedUnitHz, kPositionUnitStep);
    SettingsImage halfStep = step;
    PulseAxisRecord(halfStep, 0).setTravelPerRev(500);
    expectCases({
        {"mm 100.00 at 0.01", inchingDistance(mm, kPulse, "100.00"), 10000},
        {"mm 100.01 at 0.01", inchingDistance(mm, kPulse, "100.01"), 0, kInchingRangeMessage},
        {"mm 0.01", inchingDistance(mm, kPulse, "0.01"), 1},
        {"mm 0", inchingDistance(mm, kPulse, "0"), 0, kInchingRangeMessage},
        {"mm below one minimum travel", inchingDistance(coarse, kPulse, "0.02"), 0, kInchingRangeMessage},
        {"mm kept in hundredths", inchingDistance(coarse, kPulse, "0.04"), 4},
        {"mm exactly 10000 minimum travels", inchingDistance(coarse, kPulse, "300.00"), 30000},
        {"mm remainder at 10000", inchingDistance(coarse, kPulse, "300.01"), 0, kInchingRangeMessage},
        {"step 10000", inchingDistance(step, kPulse, "10000"), 10000},
        {"step 10001", inchingDistance(step, kPulse, "10001"), 0, kInchingRangeMessage},
        {"step x travel / resolution", inchingDistance(halfStep, kPulse, "3"), 1},
        {"network step", inchingDistance(mm, kNetwork, "10000"), 10000},
        {"network step over", inchingDistance(mm, kNetwork, "10001"), 0, kInchingRangeMessage},
        // value x 100 x w2 / w1
        {"network mm", inchingDistance(networkMm(1, 2), kNetwork, "50.00"), 10000},
        {"network mm over", inchingDistance(networkMm(1, 2), kNetwork, "50.01"), 0, kInchingRangeMessage},
    });
    SettingsImage noMinimum = image();
    PulseAxisRecord(noMinimum, 0).setMinTravel(0);
    expectCases({{"minimum travel 0", inchingDistance(noMinimum, kPulse, "1"), 0, kInchingRangeMessage}});
}

TEST(JogChecks, HomeOffsetAndStartSpeed) {
    expectCases({
        {"offset 32767", homeOffset("32767"), 32767},
        {"offset 32768", homeOffset("32768"), 0, kHomeOffsetRangeMessage},
        {"offset -32768", homeOffset("-32768"), -32768},
        {"offset -32769", homeOffset("-32769"), 0, kHomeOffsetRangeMessage},
        {"start 0", homeStartSpeed("0"), 0, kStartSpeedRangeMessage},
        {"start 1000000", homeStartSpeed("1000000"), 1000000},
        {"start 1000001", homeStartSpeed("1000001"), 0, kStartSpeedRangeMessage},
    });
}

TEST(JogChecks, EachButtonBuildsItsRecord) {
    const SettingsImage img = image(kSpeedUnitMmPerSecond);
    JogFields fields;
    fields.jogSpeed = "15";
    fields.jogAccel = "0.50";
    fields.inchDistance = "2.5";
    fields.homeOffset = "-20";
    fields.homeMethod = 1;
    fields.homeDirection = 0;
    fields.testRow = 9;

    const JogBuild jog = buildJogRequest(img, kPulse, JogButton::Backward, fields);
    ASSERT_TRUE(jog.record);
    EXPECT_EQ(jog.record->operation(), 2);
    EXPECT_EQ(jog.record->axis(), 0);
    EXPECT_EQ(jog.record->speed(), 1500);
    EXPECT_EQ(jog.record->accelTime(), 50);
    EXPECT_TRUE(jog.record->repeats());

    const JogBuild inch = buildJogRequest(img, kPulse, JogButton::InchForward, fields);
    ASSERT_TRUE(inch.record);
    EXPECT_EQ(inch.record->operation(), 3);
    EXPECT_EQ(inch.record->distance(), 250);
    EXPECT_EQ(inch.record->speed(), 1000);  // inching speed "10" mm/s
    EXPECT_EQ(inch.record->accelTime(), 100);

    const JogBuild home = buildJogRequest(img, kPulse, JogButton::Home, fields);
    ASSERT_TRUE(home.record);
    EXPECT_EQ(home.record->operation(), 5);
    EXPECT_EQ(home.record->homeOffset(), -20);
    EXPECT_EQ(home.record->homeStartSpeed(), 500);
    EXPECT_EQ(home.record->homeMethod(), 1);
    EXPECT_EQ(home.record->homeDirection(), 0);

    const JogBuild test = buildJogRequest(img, kPulse, JogButton::TestRun, fields);
    ASSERT_TRUE(test.record);
    EXPECT_EQ(test.record->operation(), 6);
    EXPECT_EQ(test.record->point(), 1010);
    const JogBuild networkTest = buildJogRequest(img, kNetwork, JogButton::TestRun, fields);
    ASSERT_TRUE(networkTest.record);
    EXPECT_EQ(networkTest.record->point(), 10);
    EXPECT_EQ(networkTest.record->axis(), 5);
    EXPECT_EQ(networkTest.record->accelTime(), 1000);  // ms on a network driver

    // Stop carries the operation and the axis and nothing else, whatever the fields hold.
    fields.jogSpeed = "nonsense";
    const JogBuild stop = buildJogRequest(img, kNetwork, JogButton::Stop, fields);
    ASSERT_TRUE(stop.record);
    JogRequestRecord expected;
    expected.setOperation(7);
    expected.setAxis(5);
    EXPECT_EQ(stop.record->bytes, expected.bytes);
}

TEST(JogChecks, TheFirstFailedCheckIsShownAndNothingIsBuilt) {
    const SettingsImage img = image(kSpeedUnitMmPerSecond);
    struct Failure {
        JogButton button;
        void (*spoil)(JogFields&);
        const char* message;
    };
    const Failure failures[] = {
        {JogButton::Forward, [](JogFields& f) { f.jogSpeed = "0"; f.jogAccel = "0"; }, kSpeedRangeMessage},
        {JogButton::Forward, [](JogFields& f) { f.jogAccel = "05"; }, kNotNumberMessage},
        {JogButton::InchBackward, [](JogFields& f) { f.inchAccel = "0"; f.inchDistance = "0"; }, kAccelRangeMessage},
        {JogButton::InchBackward, [](JogFields& f) { f.inchDistance = "200"; }, kInchingRangeMessage},
        {JogButton::Home, [](JogFields& f) { f.homeOffset = "32768"; f.homeStartSpeed = "0"; }, kHomeOffsetRangeMessage},
        {JogButton::Home, [](JogFields& f) { f.homeStartSpeed = "0"; }, kStartSpeedRangeMessage},
        {JogButton::TestRun, [](JogFields& f) { f.testSpeed = "-1"; }, kSpeedRangeMessage},
    };
    for (const Failure& f : failures) {
        JogFields fields;
        f.spoil(fields);
        const JogBuild build = buildJogRequest(img, kPulse, f.button, fields);
        EXPECT_FALSE(build.record) << f.message;
        ASSERT_TRUE(build.refusal) << f.message;
        EXPECT_EQ(build.refusal->text, f.message);
    }
}
