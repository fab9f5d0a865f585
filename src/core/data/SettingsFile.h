#pragma once

#include <cstddef>
#include <string>

#include "data/SettingsImage.h"
#include "platform/AtomicFile.h"
#include "platform/FileRead.h"

namespace vantrel {

// A settings file (*.bin) is the settings image byte for byte: no header, no
// length, no check code. initial.bin has the same format.

// Writes the whole image, creating or replacing the file atomically: a write
// that fails leaves an existing file as it was, and the result says why.
FileWriteResult saveSettingsFile(const SettingsImage& image, const std::string& path);

// The outcome of reading a settings file: why it was refused (nothing in the
// image changed then), and how many bytes were taken from its start.
struct SettingsFileRead {
    FileReadResult result;
    std::size_t bytes = 0;

    explicit operator bool() const { return static_cast<bool>(result); }
};

// Opening a settings file: the image is replaced only by a whole image. A file
// that cannot be read, or holds fewer than 172,828 bytes (an empty or cut
// file is no settings file), is refused (kTooShort for a short one) and the
// image stays as it was; bytes beyond the image are ignored.
SettingsFileRead loadSettingsFile(SettingsImage& image, const std::string& path);

// initial.bin at start: reads up to 172,828 bytes into the image from offset
// 0, so a short file replaces only its leading bytes. A file that cannot be
// read leaves the image as it was.
SettingsFileRead loadSettingsFilePrefix(SettingsImage& image, const std::string& path);

}  // namespace vantrel
