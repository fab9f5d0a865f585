#include "platform/IniFile.h"

#include <cerrno>

#include "platform/AtomicFile.h"
#include "platform/FileRead.h"
#include "platform/PathText.h"

#include <climits>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

struct Line {
    std::string text;        // without its line end
    std::string terminator;  // "\r\n", "\n" or "" for a last line without one
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return trimmed(line.substr(0, close));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyValue{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

std::string cleanedValue(std::string_view value)
{
    const std::size_t nul = value.find('\0');
    if (nul != std::string_view::npos) {
        value = trimmed(value.substr(0, nul));
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// The file's content; a missing file reads as empty. A file that cannot be
// read (or is larger than an INI file may be) gives its error.
FileReadResult loadFile(const std::string& path, std::string& content)
{
    FileContent file = readFile(path, IniFile::kMaxFileSize);
    if (file.result.error == ENOENT) {
        return {};
    }
    content = std::move(file.bytes);
    return file.result;
}

std::vector<Line> splitLines(const std::string& content)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t newline = content.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        const bool crLf = newline > start && content[newline - 1] == '\r';
        const std::size_t end = crLf ? newline - 1 : newline;
        lines.push_back({content.substr(start, end - start), std::string(crLf ? "\r\n" : "\n")});
        start = newline + 1;
    }
    return lines;
}

// The value of key in section, searching the lines in order.
std::optional<std::string_view> findValue(std::string_view content, std::string_view section, std::string_view key)
{
    bool inSection = false;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        const std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto entry = keyValue(line); entry && sameName(entry->key, key)) {
            return entry->value;
        }
    }
    return std::nullopt;
}

bool hasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

FileWriteResult replaceFile(const std::string& path, const std::string& content)
{
    std::error_code error;
    const std::filesystem::path target = pathFromUtf8(path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
    }
    return writeFileAtomically(path, content);
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t maxLength) const
{
    std::string content;
    std::string value(defaultValue);
    if (loadFile(path_, content)) {
        if (const auto found = findValue(content, section, key)) {
            value = cleanedValue(*found);
        }
    }
    if (maxLength > 0 && value.size() > maxLength) {
        value.resize(maxLength);
    }
    return value;
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::string text = readString(section, key, "");
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return defaultValue;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(value);
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) const
{
    return static_cast<bool>(write(section, key, value));
}

FileWriteResult IniFile::write(std::string_view section, std::string_view key, std::string_view value) const
{
    if (hasLineBreakOrNul(section) || hasLineBreakOrNul(key) || hasLineBreakOrNul(value)
        || section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos
        || trimmed(section).empty() || trimmed(key).empty()) {
        return FileWriteResult{EINVAL};
    }
    std::string content;
    if (const FileReadResult read = loadFile(path_, content); !read) {
        const bool special = read.error == FileReadResult::kNotRegularFile;
        return FileWriteResult{special ? FileWriteResult::kNotRegularFile : read.error};
    }
    std::vector<Line> lines = splitLines(content);
    const std::string lineEnd = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string entryText(trimmed(key));
    entryText += '=';
    entryText += value;

    // Locate the section and, inside it, the key or the place after its last
    // non-blank line.
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t insertAt = lines.size();
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i].text)) {
            if (inSection) {
                break;
            }
            inSection = sameName(*name, section);
            if (inSection) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto entry = keyValue(lines[i].text); entry && sameName(entry->key, key)) {
            keyLine = i;
            break;
        }
        if (!trimmed(lines[i].text).empty()) {
            insertAt = i + 1;
        }
    }

    if (!lines.empty() && lines.back().terminator.empty()) {
        lines.back().terminator = lineEnd;
    }
    if (keyLine) {
        lines[*keyLine].text = entryText;
    } else if (sectionLine) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{entryText, lineEnd});
    } else {
        std::string header(1, '[');
        header += trimmed(section);
        header += ']';
        lines.push_back({header, lineEnd});
        lines.push_back({entryText, lineEnd});
    }

    std::string output;
    for (const Line& line : lines) {
        output += line.text;
        output += line.terminator;
    }
    return replaceFile(path_, output);
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) const
{
    return writeString(section, key, std::to_string(value));
}

}  // namespace vantrel
