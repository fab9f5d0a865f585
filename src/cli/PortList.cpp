#include "PortList.h"

#include <filesystem>

#include "platform/FileRead.h"

namespace vantrel::cli {
namespace {

constexpr const char* kPortOption = "--port";
constexpr const char* kPortsFileOption = "--ports-from";
constexpr const char* kPortMark = "{port}";
// A list of port names is small; anything larger is not one.
constexpr std::size_t kPortsFileLimit = 1024 * 1024;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool readPortsFile(const std::string& path, std::vector<std::string>& ports, std::string& problem) {
    const FileContent content = readFile(path, kPortsFileLimit);
    if (!content) {
        problem = "cannot read the ports file " + path + ": " + content.result.description();
        return false;
    }
    std::size_t at = 0;
    while (at < content.bytes.size()) {
        std::size_t end = content.bytes.find('\n', at);
        if (end == std::string::npos) end = content.bytes.size();
        std::string line = content.bytes.substr(at, end - at);
        at = end + 1;
        line = trimmed(line.substr(0, line.find('#')));
        if (!line.empty()) ports.push_back(line);
    }
    if (ports.empty()) problem = "the ports file " + path + " names no port";
    return !ports.empty();
}

}  // namespace

std::optional<PortList> PortList::take(const Words& words, Words& rest, std::string& problem) {
    PortList list;
    std::vector<std::string> files;
    rest.clear();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w != kPortOption && w != kPortsFileOption) {
            rest.push_back(w);
            continue;
        }
        if (i + 1 >= words.size() || words[i + 1].empty()) {
            problem = "option " + w + " needs a value";
            return std::nullopt;
        }
        (w == kPortOption ? list.ports_ : files).push_back(words[++i]);
    }
    for (const std::string& file : files)
        if (!readPortsFile(file, list.ports_, problem)) return std::nullopt;
    list.fromFile_ = !files.empty();
    for (std::size_t i = 0; i < list.ports_.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (list.ports_[j] == list.ports_[i]) {
                problem = "port " + list.ports_[i] + " is named twice";
                return std::nullopt;
            }
            if (fileSafe(list.ports_[j]) == fileSafe(list.ports_[i])) {
                problem = "ports " + list.ports_[j] + " and " + list.ports_[i] + " come to the same file name part " +
                          fileSafe(list.ports_[i]);
                return std::nullopt;
            }
        }
    }
    return list;
}

std::string PortList::fileSafe(const std::string& port) {
    std::string safe = port;
    for (char& c : safe) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '-' || c == '_';
        if (!kept) c = '_';
    }
    return safe;
}

std::string PortList::fileFor(const std::string& pattern, const std::string& port) {
    const std::string safe = fileSafe(port);
    const std::string mark(kPortMark);
    if (pattern.find(mark) == std::string::npos) {
        const std::filesystem::path path(pattern);
        const std::string name = path.stem().string() + "-" + safe + path.extension().string();
        return (path.parent_path() / name).string();
    }
    std::string file = pattern;
    for (std::size_t at = 0; (at = file.find(mark, at)) != std::string::npos; at += safe.size())
        file.replace(at, mark.size(), safe);
    return file;
}

}  // namespace vantrel::cli
