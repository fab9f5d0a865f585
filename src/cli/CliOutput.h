#pragma once

#include <ostream>
#include <string>

#include "data/Refusal.h"
#include "platform/FileRead.h"
#include "program/ProgramListing.h"
#include "text/Language.h"

namespace vantrel::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation failed, or check/diff found something
inline constexpr int kExitUsage = 2;   // the command line was wrong

// Where a command prints: standard output and standard error, or, on the
// thread of one port among several (PortRun), that port's own keeping.
std::ostream& out();
std::ostream& err();

// The language the tool prints its messages in (--lang, else the locale). In
// Japanese a message keeps its English gloss beside it; in English the message
// itself is English and only a detail the gloss adds is kept.
void setLanguage(Language language);
Language language();
// One of the system's texts in the tool's language.
std::string text(std::string_view japanese);
// The words of an operand listing in the tool's language (JSON keeps the system's own).
ListingWords listingWords();

// Prints the system's own message and an English gloss to standard error and
// returns kExitFailed: "vantrel-cli: 接続出来ませんでした。 (connection failed)".
int fail(const std::string& message, const std::string& gloss);
// The same for a message the core chose; the gloss comes from the tool's own
// table of English glosses, or `detail` when given.
int fail(const Refusal& message, const std::string& detail = {});
void say(const Refusal& message);
// The system's "file cannot be opened" message with what went wrong with which file.
int fileFailed(const std::string& detail);
// The system's "reading the file failed" message with the file and why.
int readFailed(const std::string& path, const FileReadResult& result);
// English gloss of one of the system's messages (empty when unknown).
std::string glossOf(const std::string& message);
int usageError(const std::string& command, const std::string& what);
// Prints a message of success with its gloss to standard output.
void say(const std::string& message, const std::string& gloss);

}  // namespace vantrel::cli
