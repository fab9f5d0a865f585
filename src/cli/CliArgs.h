#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel::cli {

// The words of one subcommand: options with a value ("--port P", "-o FILE"),
// flags ("--json") and positional arguments, checked against what the
// subcommand accepts.
class CliArgs {
public:
    CliArgs(std::vector<std::string> words, std::vector<std::string> valueOptions, std::vector<std::string> flags);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    bool help() const { return help_; }

    std::optional<std::string> value(const std::string& option) const;
    bool flag(const std::string& name) const;
    // The option's value as a whole number in low..high: `fallback` when the
    // option is not given, nothing when its value is not such a number.
    std::optional<int> number(const std::string& option, int low, int high, int fallback) const;
    const std::vector<std::string>& positionals() const { return positionals_; }

private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flagsSet_;
    std::vector<std::string> positionals_;
    std::string error_;
    bool help_ = false;
};

}  // namespace vantrel::cli
