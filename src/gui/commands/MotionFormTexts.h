#pragma once

// Fixed labels of the motion command forms (the field texts, titles and
// units that depend on the step or the settings come from the models).

#include <QCoreApplication>
#include <QString>

namespace vantrel::motion {

// One of these labels in the window's language.
inline QString text(const char* label) { return QCoreApplication::translate("MotionForm", label); }

inline constexpr const char* kAbsoluteText = QT_TRANSLATE_NOOP("MotionForm", "絶対");  // positions as given
// positions relative to where the axes stand
inline constexpr const char* kRelativeText = QT_TRANSLATE_NOOP("MotionForm", "相対");
inline constexpr const char* kOnText = "ON";
inline constexpr const char* kOffText = "OFF";
inline constexpr const char* kPercentText = QT_TRANSLATE_NOOP("MotionForm", "％");  // beside a speed field
inline constexpr const char* kSecondsText = "sec";  // beside an acceleration time
inline constexpr const char* kPointNumberText = QT_TRANSLATE_NOOP("MotionForm", "ポイントNo.：");
inline constexpr const char* kAxisNumberText = QT_TRANSLATE_NOOP("MotionForm", "軸No.：");
inline constexpr const char* kModeColumnText = "INC/ABS";
inline constexpr const char* kPositionText = QT_TRANSLATE_NOOP("MotionForm", "位置");
inline constexpr const char* kSpeedText = QT_TRANSLATE_NOOP("MotionForm", "速度");
inline constexpr const char* kAccelTimeText = QT_TRANSLATE_NOOP("MotionForm", "加速時間([sec])");
inline constexpr const char* kDecelTimeText = QT_TRANSLATE_NOOP("MotionForm", "減速時間([sec])");
inline constexpr const char* kFirstShiftText = QT_TRANSLATE_NOOP("MotionForm", "シフト1");
inline constexpr const char* kSecondShiftText = QT_TRANSLATE_NOOP("MotionForm", "シフト2");

}  // namespace vantrel::motion
