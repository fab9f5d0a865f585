#pragma once

// Fixed labels of the motion command forms (the field texts, titles and
// units that depend on the step or the settings come from the models).

namespace vantrel::motion {

inline constexpr const char* kAbsoluteText = "絶対";  // positions as given
inline constexpr const char* kRelativeText = "相対";  // positions relative to where the axes stand
inline constexpr const char* kOnText = "ON";
inline constexpr const char* kOffText = "OFF";
inline constexpr const char* kPercentText = "％";  // beside a speed field
inline constexpr const char* kSecondsText = "sec";  // beside an acceleration time
inline constexpr const char* kPointNumberText = "ポイントNo.：";
inline constexpr const char* kAxisNumberText = "軸No.：";
inline constexpr const char* kModeColumnText = "INC/ABS";
inline constexpr const char* kPositionText = "位置";
inline constexpr const char* kSpeedText = "速度";
inline constexpr const char* kAccelTimeText = "加速時間([sec])";
inline constexpr const char* kDecelTimeText = "減速時間([sec])";
inline constexpr const char* kFirstShiftText = "シフト1";
inline constexpr const char* kSecondShiftText = "シフト2";

}  // namespace vantrel::motion
