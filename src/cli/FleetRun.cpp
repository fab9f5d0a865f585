#include "FleetRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

#include "CliOutput.h"
#include "PortList.h"
#include "PortRun.h"
#include "ProgressBoard.h"
#include "platform/Terminal.h"

namespace vantrel::cli {
namespace {

constexpr const char* kToolPrefix = "vantrel-cli: ";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// A line of the port's standard error without the tool's name before it.
std::string messageOf(const std::string& line) {
    const std::string prefix(kToolPrefix);
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string joined(const std::vector<std::string>& parts, const std::string& between) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : between) + part;
    return text;
}

std::string resultText(const PortOutcome& o) {
    std::vector<std::string> messages;
    if (o.status != kExitOk && o.detail.empty())
        for (const std::string& line : linesOf(o.err)) messages.push_back(messageOf(line));
    const std::string detail = o.detail.empty() ? joined(messages, "; ") : o.detail;
    return detail.empty() ? o.result : o.result + ": " + detail;
}

void printTable(const std::vector<PortOutcome>& outcomes) {
    std::vector<std::vector<std::string>> rows{{"port", "controller", "time", "result"}};
    for (const PortOutcome& o : outcomes)
        rows.push_back({o.port, o.controller.empty() ? "-" : o.controller, secondsText(o.seconds), resultText(o)});
    std::vector<std::size_t> widths(3, 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < widths.size(); ++c) line += row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
        std::cout << line << row[3] << "\n";
    }
}

void printJson(const std::vector<PortOutcome>& outcomes) {
    auto all = nlohmann::ordered_json::array();
    for (const PortOutcome& o : outcomes) {
        nlohmann::ordered_json port;
        port["port"] = o.port;
        port["controller"] = o.controller.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(o.controller);
        port["result"] = o.result;
        port["seconds"] = static_cast<double>(std::lround(o.seconds * 1000)) / 1000;
        auto& messages = port["messages"] = nlohmann::ordered_json::array();
        for (const std::string& line : linesOf(o.err)) messages.push_back(messageOf(line));
        // The run's own JSON, when it printed one object.
        const auto own = nlohmann::ordered_json::parse(o.out, nullptr, false);
        if (own.is_object()) {
            for (const auto& [key, value] : own.items())
                if (!port.contains(key)) port[key] = value;
        } else if (!o.out.empty()) {
            port["output"] = o.out;
        }
        all.push_back(std::move(port));
    }
    std::cout << all.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace

FleetRun::FleetRun(std::vector<std::string> ports, std::string tracePattern)
    : ports_(std::move(ports)), tracePattern_(std::move(tracePattern)) {}

std::vector<PortOutcome> FleetRun::run(const Job& job) const {
    ProgressBoard board(ports_, standardErrorMovesCursor());
    std::vector<std::unique_ptr<PortRun>> runs;
    std::vector<PortOutcome> outcomes(ports_.size());
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        const std::string trace = tracePattern_.empty() ? "" : PortList::fileFor(tracePattern_, ports_[i]);
        runs.push_back(std::make_unique<PortRun>(ports_[i], i, board, trace));
    }
    board.begin();
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        threads.emplace_back([&, i] {
            PortRun& run = *runs[i];
            PortOutcome& outcome = outcomes[i];
            const PortRun::Entered entered(run);
            const auto start = std::chrono::steady_clock::now();
            try {
                outcome.status = job(run.port());
            } catch (const std::exception& e) {
                run.err() << kToolPrefix << "internal error: " << e.what() << "\n";
                outcome.status = kExitFailed;
            } catch (...) {
                run.err() << kToolPrefix << "internal error\n";
                outcome.status = kExitFailed;
            }
            outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const bool ok = outcome.status == kExitOk;
            outcome.result = run.resultWord().empty() ? (ok ? "ok" : "failed") : run.resultWord();
            if (ok) board.progress(i, 100);
            board.finish(i, outcome.result, outcome.seconds);
        });
    }
    for (std::thread& t : threads) t.join();
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        outcomes[i].port = ports_[i];
        outcomes[i].controller = runs[i]->controller();
        outcomes[i].detail = runs[i]->resultDetail();
        outcomes[i].out = runs[i]->out().str();
        outcomes[i].err = runs[i]->err().str();
    }
    return outcomes;
}

int FleetRun::report(const std::vector<PortOutcome>& outcomes, bool json) {
    for (const PortOutcome& o : outcomes) {
        if (!json)
            for (const std::string& line : linesOf(o.out)) std::cout << o.port << ": " << line << "\n";
        for (const std::string& line : linesOf(o.err)) std::cerr << kToolPrefix << o.port << ": " << messageOf(line) << "\n";
    }
    if (json)
        printJson(outcomes);
    else
        printTable(outcomes);
    // The ports that did not succeed, by what they came to.
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    int status = kExitOk;
    std::size_t notOk = 0;
    for (const PortOutcome& o : outcomes) {
        if (o.status == kExitOk) continue;
        status = std::max(status, o.status);
        ++notOk;
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == o.result; });
        if (group == groups.end()) group = groups.insert(groups.end(), {o.result, {}});
        group->second.push_back(o.port);
    }
    if (notOk > 0) {
        std::vector<std::string> parts;
        for (const auto& [result, ports] : groups) parts.push_back(result + ": " + joined(ports, ", "));
        std::cout.flush();
        std::cerr << kToolPrefix << joined(parts, "; ") << " (" << notOk << " of " << outcomes.size() << " ports)\n";
    }
    return status;
}

}  // namespace vantrel::cli
