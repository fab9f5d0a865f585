#include "platform/TemporaryFolder.h"

#include "platform/Win32Support.h"

#include <cstring>
#include <random>

namespace vantrel {

std::string TemporaryFolder::systemFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    std::string path = length > 0 && length <= MAX_PATH ? win32::utf8(std::wstring_view(folder, length)) : "";
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();  // "C:\" stays
    return path;
}

TemporaryFolder::TemporaryFolder(std::string_view prefix) {
    const std::string folder = systemFolder();
    if (folder.empty()) {
        problem_ = "cannot make a temporary folder: the system names no temporary folder";
        return;
    }
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_ALREADY_EXISTS; ++attempt) {
        std::string path = folder + (folder.back() == '\\' ? "" : "\\");
        path += prefix;
        for (int i = 0; i < 6; ++i) path += kLetters[random() % (sizeof kLetters - 1)];
        if (::CreateDirectoryW(win32::wide(path).c_str(), nullptr)) {
            path_ = path;
            return;
        }
        error = ::GetLastError();
    }
    problem_ = "cannot make a temporary folder in " + folder + ": " + std::strerror(win32::errnoOf(error));
}

}  // namespace vantrel
