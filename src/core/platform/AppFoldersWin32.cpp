#include "platform/AppFolders.h"

#include "platform/Win32Support.h"

#include <shlobj.h>

namespace vantrel {

namespace {

// A known folder of the user ("C:\Users\<name>\AppData\Local"), or the
// current folder when the system has none to give.
std::string knownFolder(REFKNOWNFOLDERID id)
{
    PWSTR folder = nullptr;
    std::string path = ".";
    if (::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK && folder != nullptr) {
        path = win32::utf8(folder);
    }
    ::CoTaskMemFree(folder);
    return path;
}

}  // namespace

std::string dataFolder()
{
    return knownFolder(FOLDERID_LocalAppData) + "\\KESSLAND\\VANTREL";
}

std::string exeFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return ".";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a longer buffer
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? "." : win32::utf8(path.substr(0, slash));
}

std::string profileFilePath()
{
    return knownFolder(FOLDERID_RoamingAppData) + "\\KESSLAND\\VANTREL.ini";
}

}  // namespace vantrel
