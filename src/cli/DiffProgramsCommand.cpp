#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "CliOutput.h"
#include "Commands.h"
#include "ControllerCommand.h"
#include "ProgramFileArg.h"
#include "SettingsFileArg.h"
#include "platform/AnsiText.h"
#include "platform/AppFolders.h"
#include "program/ProgramDiff.h"
#include "program/ProgramListing.h"

namespace vantrel::cli {
namespace {

// As diff: 0 the same, 1 different, 2 trouble.
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;
constexpr int kDefaultContext = 3;

// One program of one file as the step table lists it; empty when the file has
// no such program.
class ListedSteps {
public:
    ListedSteps(const ProgramStore& store, const ProgramStore::Section& section, int number, const SettingsImage& image)
        : store_(store), image_(image), present_(store.directory().contains(number)) {
        store.readProgram(number, section, program_);
        auto lines = store.stepLines(section);
        for (std::string_view line; lines.next(line);) lines_.push_back(line);
    }
    bool present() const { return present_; }
    std::string name() const { return ansiToUtf8(program_.name); }
    std::array<std::string, kStepColumnCount> row(int step, const ListingWords& words = {}) const {
        return stepTableRow(program_, step, image_, store_.directory(), words);
    }
    int label(int step) const { return program_.step(step).label; }
    std::string line(int step) const { return ansiToUtf8(lines_.at(static_cast<std::size_t>(step))); }

private:
    const ProgramStore& store_;
    const SettingsImage& image_;
    bool present_;
    CurrentProgram program_;
    std::vector<std::string_view> lines_;
};

// "-4,3" of a unified diff: a range of no steps names the step before it.
std::string hunkRange(char sign, int start, int count) {
    std::string text = sign + std::to_string(count == 0 ? start : start + 1);
    return count == 1 ? text : text + "," + std::to_string(count);
}

void printProgram(const ProgramChange& change, const ListedSteps& from, const ListedSteps& to) {
    const bool added = change.kind == ProgramChange::Kind::Added;
    const std::string name = added || change.kind == ProgramChange::Kind::Changed ? to.name() : from.name();
    std::cout << "PROG #" << stepNumberText(change.number - 1) << (name.empty() ? "" : " ") << name;
    if (added) std::cout << " (added)";
    if (change.kind == ProgramChange::Kind::Removed) std::cout << " (removed)";
    if (change.renamed) std::cout << " (renamed from \"" << from.name() << "\")";
    std::cout << "\n";
    const ListingWords words = listingWords();
    for (const StepHunk& hunk : change.hunks) {
        std::cout << "@@ " << hunkRange('-', hunk.oldStart, hunk.oldCount) << " "
                  << hunkRange('+', hunk.newStart, hunk.newCount) << " @@\n";
        for (const StepDiffLine& line : hunk.lines) {
            const bool isAdded = line.kind == StepDiffLine::Kind::Added;
            const auto row = isAdded ? to.row(line.newStep, words) : from.row(line.oldStep, words);
            const char sign = isAdded ? '+' : line.kind == StepDiffLine::Kind::Removed ? '-' : ' ';
            std::cout << sign << row[1] << "\t" << text(row[2]) << "\t" << row[3] << "\t" << row[4] << "\n";
        }
    }
}

// Built key by key and moved into place: an initializer list would copy every
// step once more, and a diff of every step of 255 programs has 130,000 of them.
nlohmann::ordered_json jsonStep(const char* change, int number, int step, const ListedSteps& steps) {
    auto row = steps.row(step);
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json.get_ref<nlohmann::ordered_json::object_t&>().reserve(8);
    json["change"] = change;
    json["program"] = number;
    json["step"] = step + 1;
    json["label"] = steps.label(step);
    json["command"] = std::move(row[2]);
    json["operand"] = std::move(row[3]);
    json["comment"] = std::move(row[4]);
    json["text"] = steps.line(step);
    return json;
}

nlohmann::ordered_json jsonProgram(const ProgramChange& change, const ListedSteps& from, const ListedSteps& to) {
    static const char* const kKinds[] = {"added", "removed", "changed"};
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["program"] = change.number;
    json["change"] = kKinds[static_cast<int>(change.kind)];
    json["oldName"] = from.present() ? nlohmann::ordered_json(from.name()) : nullptr;
    json["name"] = to.present() ? nlohmann::ordered_json(to.name()) : nullptr;
    auto& steps = json["steps"] = nlohmann::ordered_json::array();
    for (const StepHunk& hunk : change.hunks)
        for (const StepDiffLine& line : hunk.lines) {
            if (line.kind == StepDiffLine::Kind::Removed) steps.push_back(jsonStep("removed", change.number, line.oldStep, from));
            if (line.kind == StepDiffLine::Kind::Added) steps.push_back(jsonStep("added", change.number, line.newStep, to));
        }
    return json;
}

}  // namespace

int runDiffPrograms(const Words& words) {
    const CliArgs args(words, {"--settings", "--context"}, {"--json"});
    if (args.help())
        return printHelp(
            "diff-programs A.ncp B.ncp [--settings FILE.bin] [--context N] [--json]",
            "Prints how the programs of B.ncp differ from those of A.ncp, in the style of\n"
            "diff -u: each program that differs under its PROG line, marked (added),\n"
            "(removed) or (renamed from \"old name\"), then hunks of its steps: \"-\" a step\n"
            "of A only, \"+\" a step of B only, \" \" an unchanged step around them (N of\n"
            "them, 3 without --context). A step shows as the step table lists it: label,\n"
            "command, operand, comment, tab-separated, positions in the axes' units of\n"
            "--settings, else of initial.bin. Programs are matched by number; steps by\n"
            "content, so an inserted step is one added step. A changed step shows as its\n"
            "old step removed and its new step added. Steps are the same when the editor\n"
            "would write them alike. --json prints an array with an object per program\n"
            "that differs: \"program\", \"change\" (\"added\", \"removed\" or \"changed\"),\n"
            "\"oldName\", \"name\" (null where the program is missing) and \"steps\": the\n"
            "removed and added steps with \"change\" and the keys of list --json. Exit\n"
            "status 0 when the programs are the same, 1 when they differ, 2 on trouble.");
    if (!args.ok()) return usageError("diff-programs", args.error());
    if (args.positionals().size() != 2) return usageError("diff-programs", "two program files are required");
    const auto context = args.number("--context", 0, CurrentProgram::kMaxSteps, kDefaultContext);
    if (!context) return usageError("diff-programs", "--context takes a number of steps 0..255");
    const auto image = readWholeSettingsFile(args.value("--settings").value_or(exeFolderPath("initial.bin")));
    if (!image) return kExitTrouble;
    const std::string& fileA = args.positionals()[0];
    const std::string& fileB = args.positionals()[1];
    ProgramStore a;
    ProgramStore b;
    if (!readProgramFile(fileA, a) || !readProgramFile(fileB, b)) return kExitTrouble;

    const auto changes = diffPrograms(a, b, *context);
    const auto sectionsA = a.findAllPrograms();
    const auto sectionsB = b.findAllPrograms();
    const bool json = args.flag("--json");
    if (json)
        std::cout << "[";
    else if (!changes.empty())
        std::cout << "--- " << fileA << "\n+++ " << fileB << "\n";
    for (const ProgramChange& change : changes) {
        const auto n = static_cast<std::size_t>(change.number);
        const ListedSteps from(a, sectionsA[n], change.number, *image);
        const ListedSteps to(b, sectionsB[n], change.number, *image);
        if (!json) {
            printProgram(change, from, to);
            continue;
        }
        // One program at a time, laid out as one dump of the whole array would be.
        const std::string text =
            jsonProgram(change, from, to).dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
        std::cout << (&change == &changes.front() ? "\n " : ",\n ");
        for (std::size_t at = 0, lf; at < text.size(); at = lf + 1) {
            lf = std::min(text.find('\n', at), text.size());
            std::cout.write(text.data() + at, static_cast<std::streamsize>(lf - at)) << (lf < text.size() ? "\n " : "");
        }
    }
    if (json) std::cout << (changes.empty() ? "]\n" : "\n]\n");
    return changes.empty() ? kExitOk : kExitDifferent;
}

}  // namespace vantrel::cli
