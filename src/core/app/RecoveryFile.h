#pragma once

// The recovery copy of work not yet saved: the settings image and the program
// store text in one file of the per-user data folder, so the two are always
// written together. The file is the program's own (it never leaves the
// machine): a tag, the image, the text and a fingerprint of all of it, which
// turns a damaged file into "no recovery" instead of half-restored work.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "data/Refusal.h"
#include "data/SettingsImage.h"
#include "platform/AtomicFile.h"

namespace vantrel {

inline constexpr const char* kRecoveryFileName = "recovery.dat";

struct RecoveredWork {
    SettingsImage image;
    std::string programText;
};

std::string encodeRecoveredWork(const SettingsImage& image, std::string_view programText);
// Nothing when the bytes are not a whole recovery file of this program.
std::optional<RecoveredWork> decodeRecoveredWork(std::string_view bytes);
// Nothing when the file is missing, unreadable or damaged.
std::optional<RecoveredWork> readRecoveryFile(const std::string& path);

// Where a damaged copy at `path` is set aside instead of being deleted (it may
// still be worth something to someone who looks): beside it, named after the
// local time `when`, "recovery-damaged-20240131-235959.dat"; a later attempt
// (the name is taken) adds its number, "…-235959-2.dat".
std::string damagedRecoveryPath(const std::string& path, const std::tm& when, int attempt);
// The copy at `path` could not be read: it was set aside at `setAsidePath`,
// or stays where it is when that is empty (it could not be renamed).
Refusal damagedRecoveryMessage(const std::string& path, const std::string& setAsidePath);
// The status bar's note that the recovery copy cannot be written, with the reason.
std::string recoveryWriteFailedText(const FileWriteResult& result);

// Asked at start when the previous run ended without a clean exit and left
// work that was not saved. Titled "確認".
Refusal restoreWorkQuestion();

}  // namespace vantrel
