#pragma once

#include <string>

#include "data/Refusal.h"
#include "platform/FileRead.h"

namespace vantrel {

// Messages of a file that could not be read, in the form of the messages of
// a file that could not be written: the file, and why in a few words, in
// parentheses on a line of their own.

// The few words: "フォルダ" for a folder, "読込み権限なし" for a file the user
// may not read, "ファイルサイズ不足" for a settings file cut short, and so on;
// an error without words of its own gives its number.
std::string fileReadReason(const FileReadResult& result);

// "ファイル読込に失敗しました。", the file and the reason, titled "読込失敗".
Refusal fileReadFailedMessage(const std::string& path, const FileReadResult& result);

}  // namespace vantrel
