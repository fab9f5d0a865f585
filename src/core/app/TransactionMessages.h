#pragma once

#include "data/Refusal.h"

namespace vantrel {

// The messages shown after a controller operation, chosen by the progress
// window's result (1 done, 2 failed, 3 no answer, 4 file/verify error,
// 255 cancelled). Each is a message box's text, title and icon.

inline constexpr int kProgressDone = 1;
inline constexpr int kProgressFailed = 2;
inline constexpr int kProgressNoAnswer = 3;
inline constexpr int kProgressFileError = 4;
inline constexpr int kProgressCancelled = 255;

// Settings read started from the connection dialog.
Refusal settingsReadMessage(int result);
// Settings write ("PC→コントローラ").
Refusal settingsWriteMessage(int result);
// Settings write of a settings file just opened while connected.
Refusal settingsFileSendMessage(int result);
// FLASH write; only result 1 clears the unsaved-FLASH flag.
Refusal flashWriteMessage(int result);
// Initialise: after the initialise dialog ended with OK, by the result of the
// settings read that follows it.
Refusal initialiseReadMessage(int readResult);
// Initialise dialog cancelled, answered no, or the initialise request failed.
Refusal initialiseCancelledMessage();
// Verify errors the link reports (1 settings reception failed, 2 setting failed).
Refusal verifyErrorMessage(int kind);
// The connect command could not open the port.
Refusal portOpenFailedMessage();
// The identify found no controller.
Refusal noControllerMessage();
// The link was cut while not silenced.
Refusal linkLostMessage();

// Questions.
Refusal disconnectQuestion();
Refusal changePortQuestion();
Refusal flashWriteQuestion();
Refusal exitWithoutFlashQuestion();
// At exit, after the FLASH question, for changes that are in no file: yes
// saves them first, no quits without them, cancel stays.
Refusal exitUnsavedSettingsQuestion();
Refusal exitUnsavedProgramsQuestion();
// Before a program file replaces programs that are in no file: yes saves
// them first, no gives them up, cancel keeps them.
Refusal openUnsavedProgramsQuestion();
Refusal saveBeforeReadQuestion();
// The save asked for before the settings read after connecting was not made:
// the read would have overwritten the settings, so the connection is cut.
Refusal settingsReadStoppedMessage();
Refusal saveCurrentSettingsQuestion();
// Shown after the controller's network address was changed.
Refusal ethernetRestartNotice();

}  // namespace vantrel
