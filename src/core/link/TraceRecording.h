#pragma once

// The desktop program's trace recording: the file each recording gets in the
// per-user data folder, and what the program says when it starts and ends one.

#include <ctime>
#include <string>

#include "data/Refusal.h"

namespace vantrel {

// "trace-20250301-140211.txt" for a recording started then (local time).
std::string traceFileName(std::time_t startedAt);

// "通信トレースを記録しています。" with the file, titled "通信トレース".
Refusal traceStartedMessage(const std::string& path);
// "通信トレースの記録を終了しました。" with the file and its line count.
Refusal traceEndedMessage(const std::string& path, unsigned long long lines);

}  // namespace vantrel
