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
#include "program/ProgramListing.h"
#include "program/ProgramStore.h"

namespace vantrel::cli {
namespace {

// One program as the step table lists it, with the step lines it was read from.
struct ListedProgram {
    int number = 0;
    std::string name;  // UTF-8
    std::vector<std::array<std::string, kStepColumnCount>> rows;  // the table, blank row included
    std::vector<std::string> lines;                               // step lines as stored, UTF-8
    std::vector<int> labels;                                      // of the steps, 0 for none
};

ListedProgram listProgram(const ProgramStore& store, int number, const SettingsImage& image,
                          const ListingWords& words) {
    ListedProgram listed;
    listed.number = number;
    listed.name = ansiToUtf8(store.directory().name(number));
    CurrentProgram program;
    store.readProgram(number, program);
    const int rowCount = stepTableRowCount(program);
    for (int i = 0; i < rowCount; ++i) listed.rows.push_back(stepTableRow(program, i, image, store.directory(), words));
    for (int i = 0; i < program.stepsInUse(); ++i) listed.labels.push_back(program.step(i).label);
    // The table's steps are the first step lines of the section, in order.
    auto lines = store.stepLines(store.findProgram(number));
    std::string_view line;
    while (listed.lines.size() < listed.labels.size() && lines.next(line)) listed.lines.push_back(ansiToUtf8(line));
    return listed;
}

void printTable(const ListedProgram& p) {
    std::cout << "PROG #" << stepNumberText(p.number - 1) << (p.name.empty() ? "" : " ") << p.name << "\n";
    for (int c = 0; c < kStepColumnCount; ++c) std::cout << (c ? "\t" : "") << kStepColumnHeaders[static_cast<std::size_t>(c)];
    std::cout << "\n";
    for (const auto& row : p.rows) {
        std::string line = row[0];
        // An empty row shows its step number only. The command's name is the
        // system's word; label, operand and comment are the program's own.
        if (!row[2].empty())
            for (std::size_t c = 1; c < kStepColumnCount; ++c) line += "\t" + (c == 2 ? text(row[c]) : row[c]);
        std::cout << line << "\n";
    }
}

void addJsonRows(const ListedProgram& p, nlohmann::ordered_json& out) {
    for (std::size_t i = 0; i < p.labels.size(); ++i) {
        const auto& row = p.rows[i];
        out.push_back({{"program", p.number},
                       {"step", i + 1},
                       {"label", p.labels[i]},
                       {"command", row[2]},
                       {"operand", row[3]},
                       {"comment", row[4]},
                       {"text", i < p.lines.size() ? p.lines[i] : ""}});
    }
}

}  // namespace

int runList(const Words& words) {
    const CliArgs args(words, {"--settings", "--program"}, {"--json"});
    if (args.help())
        return printHelp("list FILE.ncp [--settings FILE.bin] [--program N] [--json]",
                         "Prints the programs of a program file (or of the default programs file\n"
                         "Ncstepini.sys) as the program editor's step table shows\n"
                         "them: Step, Label, command, operand, comment, tab-separated, each program under\n"
                         "its PROG line and ending with the blank row after its last step. Positions are\n"
                         "in the axes' units of --settings, else of initial.bin. --program N lists one\n"
                         "program. --json prints one array with an object per step: \"program\", \"step\",\n"
                         "\"label\" (0 for none), \"command\", \"operand\", \"comment\" and \"text\" (the step line\n"
                         "as stored), texts in UTF-8.");
    if (!args.ok()) return usageError("list", args.error());
    if (args.positionals().size() != 1) return usageError("list", "one program file is required");
    // 0: every program.
    const auto only = args.number("--program", 1, ProgramStore::kMaxProgramNumber, 0);
    if (!only) return usageError("list", "--program takes a program number 1..255");
    const std::string& file = args.positionals()[0];
    const auto image = readWholeSettingsFile(args.value("--settings").value_or(exeFolderPath("initial.bin")));
    if (!image) return kExitFailed;

    ProgramStore store;
    if (!readProgramFile(file, store)) return kExitFailed;
    if (store.directory().numbers.empty()) {
        std::cerr << "vantrel-cli: list: " << file << " holds no program\n";
        return kExitFailed;
    }
    std::vector<int> numbers;
    for (const auto n : store.directory().numbers)
        if (*only == 0 || n == *only) numbers.push_back(n);
    if (*only != 0 && numbers.empty()) {
        std::cerr << "vantrel-cli: list: program " << *only << " is not in " << file << "\n";
        return kExitFailed;
    }

    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        // JSON keeps the system's words, the same in every language.
        const ListedProgram listed =
            listProgram(store, numbers[i], *image, args.flag("--json") ? ListingWords{} : listingWords());
        if (args.flag("--json")) {
            addJsonRows(listed, json);
        } else {
            if (i > 0) std::cout << "\n";
            printTable(listed);
        }
    }
    if (args.flag("--json")) std::cout << json.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return kExitOk;
}

}  // namespace vantrel::cli
