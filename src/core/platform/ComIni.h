#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace vantrel {

// com.ini in the per-user data folder keeps the name of the serial port to
// open: section "SETTING", key "COM". A port name is what the device path is
// built from ("COM3" on Windows, "ttyACM0" or the simulator's "pts/7" here).
inline constexpr const char* kComIniFileName = "com.ini";
inline constexpr const char* kComIniSection = "SETTING";
inline constexpr const char* kComIniKey = "COM";
inline constexpr const char* kDefaultComPort = "COM1";
inline constexpr std::size_t kComPortNameMaxLength = 9;

// The port name from com.ini: at most its first 9 bytes; "COM1" when the
// file, the key or a usable value is missing (an empty name can never open).
std::string readComPort();
std::string readComPort(const std::string& iniPath);

// Saves the port name into com.ini, keeping the file's other contents.
// Refuses (EINVAL) an empty name or one longer than 9 bytes, which could not
// be read back as it was; a failed write gives its error.
FileWriteResult writeComPort(std::string_view portName);
FileWriteResult writeComPort(const std::string& iniPath, std::string_view portName);

}  // namespace vantrel
