#pragma once

// The checks and conversions of the test-operation window's fields, and the
// JOG request record each motion button builds from them. Every field is
// text in the unit its label shows; a check either gives the value in the
// controller's unit or the message to show (nothing is sent then).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "link/JogRequestRecord.h"
#include "online/JogAxis.h"

namespace vantrel {

inline constexpr const char* kNotNumberMessage = "数字以外は入力出来ません。";
inline constexpr const char* kSpeedRangeMessage = "速度が範囲外です。";
inline constexpr const char* kAccelRangeMessage = "加減速が範囲外です。";
inline constexpr const char* kInchingRangeMessage = "インチング量が範囲外です。";
inline constexpr const char* kHomeOffsetRangeMessage = "原点復帰オフセットが範囲外です。";
inline constexpr const char* kStartSpeedRangeMessage = "起動速度が範囲外です。";

// The number rule of every field: an optional leading "-", then digits with
// at most one decimal point that does not come first; a leading "0" is not
// followed by a digit. So "05", "-", ".", "-.", ".5", "+5", " 5" and any
// full-width character fail; "0.5", "-0.5", "5." and "0" pass.
bool isJogNumber(std::string_view text);

// A checked field: the value in the controller's unit, or the refusal.
using JogValue = Checked<std::int32_t>;

// Speed fields (JOG, inching, home, test run) → request speed, 1 at least.
// Pulse axis by its speed unit: Hz the integer as typed; r/min value x
// resolution / 60; mm/s or deg/s value x (resolution / travel per
// revolution) x 100; at most resolution x maximum rotation speed / 60.
// Network driver: step the integer as typed; mm the whole part of value x
// second ratio word / first ratio word, times 100; at most 1,000,000.
JogValue jogSpeed(const SettingsImage& image, JogAxisIndex axis, std::string_view text);
// Acceleration/deceleration times (seconds) → pulse axis 0.01 s, 1..100000;
// network driver ms, 10..1000000.
JogValue jogAccelTime(JogAxisIndex axis, std::string_view text);
// Inching distance → pulse step axis value x travel / resolution, 1..10000;
// pulse mm or deg axis value in hundredths, 1..10000 minimum travels (no
// remainder at 10000); network step driver the integer, mm driver value x 100
// x second ratio word / first ratio word, 1..10000.
JogValue inchingDistance(const SettingsImage& image, JogAxisIndex axis, std::string_view text);
// Home offset (step), -32768..32767; home start speed (Hz), 1..1000000.
JogValue homeOffset(std::string_view text);
JogValue homeStartSpeed(std::string_view text);

// The window's fields, as typed.
struct JogFields {
    std::string jogSpeed = "10";
    std::string jogAccel = "1.00";
    std::string inchDistance = "10";
    std::string inchSpeed = "10";
    std::string inchAccel = "1.00";
    std::string homeSpeed = "10";
    std::string homeStartSpeed = "500";
    std::string homeAccel = "1.00";
    std::string homeOffset = "0";
    std::uint8_t homeMethod = 0;     // 0 "3センサ", 1 "2センサ"
    std::uint8_t homeDirection = 1;  // 1 "CW方向", 0 "CCW方向"
    int testRow = 0;                 // row of the test-run point list
    std::string testSpeed = "10";
    std::string testAccel = "1.00";
};

// The motion buttons.
enum class JogButton : std::uint8_t {
    Forward = JogRequestRecord::kJogForward,        // ">" held
    Backward = JogRequestRecord::kJogBackward,      // "<" held
    InchForward = JogRequestRecord::kInchForward,   // "｜>"
    InchBackward = JogRequestRecord::kInchBackward, // "<｜"
    Home = JogRequestRecord::kHomeReturn,           // "○"
    TestRun = JogRequestRecord::kTestRun,           // "▲開始"
    Stop = JogRequestRecord::kStop,                 // "■停止"
};

struct JogBuild {
    std::optional<JogRequestRecord> record;
    MaybeRefusal refusal;
};
// Checks the fields the button uses, in order, and builds its record; the
// first failed check gives the refusal and no record. Stop carries the
// operation and axis only.
JogBuild buildJogRequest(const SettingsImage& image, JogAxisIndex axis, JogButton button, const JogFields& fields);

}  // namespace vantrel
