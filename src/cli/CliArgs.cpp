#include "CliArgs.h"

#include <algorithm>
#include <cstdlib>

namespace vantrel::cli {

CliArgs::CliArgs(std::vector<std::string> words, std::vector<std::string> valueOptions, std::vector<std::string> flags) {
    auto contains = [](const std::vector<std::string>& list, const std::string& w) {
        return std::find(list.begin(), list.end(), w) != list.end();
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "--help" || w == "-h") {
            help_ = true;
        } else if (contains(valueOptions, w)) {
            if (i + 1 >= words.size()) {
                error_ = "option " + w + " needs a value";
                return;
            }
            values_.emplace_back(w, words[++i]);
        } else if (contains(flags, w)) {
            flagsSet_.push_back(w);
        } else if (w.size() > 1 && w[0] == '-') {
            error_ = "unknown option " + w;
            return;
        } else {
            positionals_.push_back(w);
        }
    }
}

std::optional<std::string> CliArgs::value(const std::string& option) const {
    for (auto it = values_.rbegin(); it != values_.rend(); ++it)
        if (it->first == option) return it->second;
    return std::nullopt;
}

std::optional<int> CliArgs::number(const std::string& option, int low, int high, int fallback) const {
    const auto text = value(option);
    if (!text) return fallback;
    char* end = nullptr;
    const long n = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || n < low || n > high) return std::nullopt;
    return static_cast<int>(n);
}

bool CliArgs::flag(const std::string& name) const {
    return std::find(flagsSet_.begin(), flagsSet_.end(), name) != flagsSet_.end();
}

}  // namespace vantrel::cli
