#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "FleetRun.h"
#include "ImageDiffOutput.h"
#include "PortList.h"
#include "PortRun.h"
#include "ProgramFileArg.h"
#include "SettingsFileArg.h"
#include "app/TransactionMessages.h"
#include "data/ImageFields.h"
#include "platform/AnsiText.h"
#include "program/ProgramDiff.h"
#include "program/ProgramListing.h"

namespace vantrel::cli {
namespace {

// The steps of a changed program removed and added from the reference to the controller.
std::pair<int, int> stepCounts(const ProgramChange& change) {
    int removed = 0;
    int added = 0;
    for (const StepHunk& hunk : change.hunks)
        for (const StepDiffLine& line : hunk.lines) {
            removed += line.kind == StepDiffLine::Kind::Removed;
            added += line.kind == StepDiffLine::Kind::Added;
        }
    return {removed, added};
}

// The name a program has where it is (the controller's for all but a removed one).
std::string programName(const ProgramChange& change, const ProgramStore& reference, const ProgramStore& controller) {
    const ProgramStore& where = change.kind == ProgramChange::Kind::Removed ? reference : controller;
    return ansiToUtf8(where.directory().name(change.number));
}

void printPrograms(const std::vector<ProgramChange>& changes, const ProgramStore& reference,
                   const ProgramStore& controller) {
    for (const ProgramChange& change : changes) {
        const std::string name = programName(change, reference, controller);
        out() << "PROG #" << stepNumberText(change.number - 1) << (name.empty() ? "" : " ") << name << ": ";
        if (change.kind == ProgramChange::Kind::Added) {
            out() << "only on the controller\n";
            continue;
        }
        if (change.kind == ProgramChange::Kind::Removed) {
            out() << "missing on the controller\n";
            continue;
        }
        const auto [removed, added] = stepCounts(change);
        out() << "changed";
        if (change.renamed) out() << ", renamed from \"" << ansiToUtf8(reference.directory().name(change.number)) << "\"";
        out() << " (-" << removed << " +" << added << " steps)\n";
    }
}

void printJson(const ImageDifference& settings, const std::vector<ProgramChange>& changes,
               const ProgramStore& reference, const ProgramStore& controller) {
    static const char* const kKinds[] = {"added", "removed", "changed"};
    nlohmann::ordered_json json;
    auto& fields = json["fields"] = nlohmann::ordered_json::array();
    for (const auto& [a, b] : settings.fields)
        fields.push_back({{"name", a.name}, {"reference", a.text}, {"controller", b.text}});
    json["reservedBytes"] = settings.reservedBytes;
    auto& programs = json["programs"] = nlohmann::ordered_json::array();
    for (const ProgramChange& change : changes) {
        const auto [removed, added] = stepCounts(change);
        programs.push_back({{"program", change.number},
                            {"change", kKinds[static_cast<int>(change.kind)]},
                            {"renamed", change.renamed},
                            {"name", programName(change, reference, controller)},
                            {"removedSteps", removed},
                            {"addedSteps", added}});
    }
    out() << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

// "2 fields, 1 program": what differs, for the summary.
std::string differenceCounts(const ImageDifference& settings, std::size_t programs) {
    std::string text;
    const auto part = [&text](std::size_t n, const char* one, const char* many) {
        if (n > 0) text += (text.empty() ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? one : many);
    };
    part(settings.fields.size(), "field", "fields");
    part(settings.reservedBytes, "reserved byte", "reserved bytes");
    part(programs, "program", "programs");
    return text;
}

// One controller: its settings (and programs) read and compared with the reference.
int checkController(const std::string& port, const SettingsImage& reference, const ProgramStore* referencePrograms,
                    bool json) {
    LinkSession session(true);
    if (!connectController(session, port)) return kExitFailed;
    const int result = session.runOperation([&] { session.thread.startOperation(LinkOp::SettingsRead); });
    if (result == 0) return noVerdict(session, "fleet-check");
    if (result != kDone || !session.thread.lastSettingsReadComplete())
        return transferFailed(session, settingsReadMessage(result == kDone ? kFailed : result));

    const ImageDifference settings = diffImages(reference, session.image);
    ProgramStore programs;
    std::vector<ProgramChange> changes;
    if (referencePrograms) {
        if (!loadProgramText(session.thread.workingProgramFile(), programs)) return kExitFailed;
        changes = diffPrograms(*referencePrograms, programs, 0);
    }
    const bool same = settings.empty() && changes.empty();
    PortRun::current()->setResult(same ? "same" : "different", differenceCounts(settings, changes.size()));
    if (json) {
        printJson(settings, changes, referencePrograms ? *referencePrograms : programs, programs);
    } else {
        out() << (same ? "same" : "different") << "\n";
        printImageDifference(settings);
        if (referencePrograms) printPrograms(changes, *referencePrograms, programs);
    }
    return same ? kExitOk : kExitFailed;
}

}  // namespace

int runFleetCheck(const Words& words) {
    Words rest;
    std::string problem;
    const auto ports = PortList::take(words, rest, problem);
    const CliArgs args(rest, {"--reference", "--programs"}, {"--json"});
    if (args.help())
        return printHelp(
            "fleet-check --reference REF.bin [--programs REF.ncp] --port P [--port P2 ...] [--ports-from FILE] [--json]",
            "Reads the settings (and programs) of every controller named, all at the same\n"
            "time, and compares them with the reference. Per port it prints \"same\", or\n"
            "\"different\" and then the fields that differ as diff prints them (\"name:\n"
            "reference -> controller\", in their units) and, with --programs, each program\n"
            "that differs: \"PROG #003 name: changed (-R +A steps)\" (steps removed and\n"
            "added as diff-programs REF.ncp CONTROLLER matches them), \"only on the\n"
            "controller\" or \"missing on the controller\". Each line is tagged \"PORT: \".\n"
            "Then a table: port, controller, time, result (\"same\", \"different: 2 fields,\n"
            "1 program\", or \"failed\" with the messages). --json prints one array with an\n"
            "object per port: \"port\", \"controller\", \"result\", \"seconds\", \"messages\",\n"
            "\"fields\" ({\"name\", \"reference\", \"controller\"}), \"reservedBytes\" and\n"
            "\"programs\" ({\"program\", \"change\" (\"added\", \"removed\", \"changed\"),\n"
            "\"renamed\", \"name\", \"removedSteps\", \"addedSteps\"}). Exit status 0 when every\n"
            "controller is the same as the reference, 1 when any differs or could not be\n"
            "read (they are named on standard error), 2 on a wrong command line or reference.\n\n" +
                std::string(kManyPortsHelp));
    if (!ports) return usageError("fleet-check", problem);
    if (!args.ok()) return usageError("fleet-check", args.error());
    if (!args.positionals().empty()) return usageError("fleet-check", "unexpected " + args.positionals().front());
    if (ports->ports().empty()) return usageError("fleet-check", "--port P or --ports-from FILE is required");
    const auto referenceFile = args.value("--reference");
    if (!referenceFile) return usageError("fleet-check", "--reference REF.bin is required");
    const auto reference = readWholeSettingsFile(*referenceFile);
    if (!reference) return kExitUsage;
    std::optional<ProgramStore> referencePrograms;
    if (const auto file = args.value("--programs")) {
        if (!readProgramFile(*file, referencePrograms.emplace())) return kExitUsage;
    }
    const bool json = args.flag("--json");
    const FleetRun fleet(ports->ports(), LinkSession::tracePath());
    const ProgramStore* programs = referencePrograms ? &*referencePrograms : nullptr;
    const auto outcomes = fleet.run(
        [&](const std::string& port) { return checkController(port, *reference, programs, json); });
    return FleetRun::report(outcomes, json);
}

}  // namespace vantrel::cli
