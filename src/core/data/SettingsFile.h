#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "data/SettingsImage.h"
#include "platform/AtomicFile.h"

namespace vantrel {

// A settings file (*.bin) is the settings image byte for byte: no header, no
// length, no check code. initial.bin has the same format.

// Writes the whole image, creating or replacing the file atomically: a write
// that fails leaves an existing file as it was, and the result says why.
FileWriteResult saveSettingsFile(const SettingsImage& image, const std::string& path);

// Reads up to 172,828 bytes from the start of the file into the image from
// offset 0: a short file replaces only its leading bytes, bytes beyond the
// image are ignored. Returns the number of bytes read, or nothing when the
// file cannot be opened (the image is then unchanged).
std::optional<std::size_t> loadSettingsFile(SettingsImage& image, const std::string& path);

}  // namespace vantrel
