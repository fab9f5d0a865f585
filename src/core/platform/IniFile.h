#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace vantrel {

// One INI file read and written in the private-profile style: every call reads
// the file afresh, and a write changes only the one line of its key, keeping
// every other byte of the file as it was.
//
// Reading is tolerant: no section, CR LF or LF line ends, blank lines, blanks
// around names and values, very long lines and binary garbage all give a
// defined answer (the value found, else the default). Section and key names
// compare without regard to ASCII case; the first matching key wins; a value
// in matching quotes loses them; a value ends at its first NUL byte.
class IniFile {
public:
    // Files larger than this are treated as unreadable (reads give the
    // default, writes are refused) rather than loaded whole.
    static constexpr std::size_t kMaxFileSize = 1024 * 1024;

    explicit IniFile(std::string path);

    const std::string& path() const { return path_; }

    // The value of key in section, or defaultValue when the file, the section
    // or the key is missing. maxLength > 0 keeps at most that many bytes.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t maxLength = 0) const;

    // The leading decimal integer of the value (optional sign, saturated to
    // the int range), or defaultValue when the key is missing or its value
    // does not start with a number.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets key in section, adding the section or key when missing, and
    // creates the file's folder when needed. Refuses (false) names or values
    // that would break the file (line breaks, NUL, "=" in a key, "]" in a
    // section), an oversized existing file, and failed file writes. The file
    // is replaced atomically, so a failed write leaves the old file whole.
    bool writeString(std::string_view section, std::string_view key, std::string_view value) const;
    // The same, saying why it failed: EINVAL for a refused name or value,
    // EFBIG for an oversized file, else the error of the read or the write.
    FileWriteResult write(std::string_view section, std::string_view key, std::string_view value) const;
    bool writeInt(std::string_view section, std::string_view key, int value) const;

private:
    std::string path_;
};

}  // namespace vantrel
