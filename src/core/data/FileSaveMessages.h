#pragma once

#include <string>

#include "data/Refusal.h"
#include "platform/AtomicFile.h"

namespace vantrel {

// Messages of a file that could not be written. They name the file and say
// why in a few words, in parentheses on a line of their own, as the
// controller messages name their cause ("(ベリファイ異常)").

// The few words for the reason: "空き容量不足" for a full disk,
// "書込み権限なし" for a folder or file the user may not write, and so on;
// an error without words of its own gives its number.
std::string fileWriteReason(const FileWriteResult& result);

// A save the user asked for (settings file, program file) failed: the file
// and the reason, and the question whether to save somewhere else. Titled
// "異常終了"; yes opens the save dialog again.
Refusal saveFailedQuestion(const std::string& path, const FileWriteResult& result);

// A file the program writes for itself (the working file before a compile)
// could not be written: the file and the reason, titled "異常終了".
Refusal fileWriteFailedMessage(const std::string& path, const FileWriteResult& result);

}  // namespace vantrel
