#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

// Paths are UTF-8 text everywhere in the program. std::filesystem takes a
// std::string in the system's narrow code page, which on Windows is not UTF-8
// (a folder named in Japanese would be lost): these convert explicitly.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

}  // namespace vantrel
