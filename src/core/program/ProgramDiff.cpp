#include "program/ProgramDiff.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "program/StepLine.h"

namespace vantrel {
namespace {

using Kind = StepDiffLine::Kind;

// What a step is compared by: the line the editor would write for it, or the
// line itself when it would write none. A written line ends in CR LF and a
// line read never holds LF, so the two kinds never meet.
std::vector<std::string> stepKeys(const ProgramStore& store, const ProgramStore::Section& section) {
    std::vector<std::string> keys;
    auto lines = store.stepLines(section);
    for (std::string_view line; lines.next(line);) {
        std::string key;
        appendStepLine(key, parseStepLine(line));
        if (key.empty()) key.assign(line);
        keys.push_back(std::move(key));
    }
    return keys;
}

// The keys of both programs as small numbers, equal where the keys are.
void numberKeys(const std::vector<std::string>& from, const std::vector<std::string>& to, std::vector<int>& a,
                std::vector<int>& b) {
    std::unordered_map<std::string_view, int> ids;
    auto id = [&ids](const std::string& key) { return ids.emplace(key, static_cast<int>(ids.size())).first->second; };
    for (const auto& key : from) a.push_back(id(key));
    for (const auto& key : to) b.push_back(id(key));
}

// Every step of both programs in order: kept, removed or added. The common
// beginning and end are taken as they are; the longest common subsequence is
// looked for only between them.
std::vector<StepDiffLine> editScript(const std::vector<int>& a, const std::vector<int>& b) {
    const std::size_t sizeA = a.size();
    const std::size_t sizeB = b.size();
    std::size_t head = 0;
    while (head < sizeA && head < sizeB && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < sizeA - head && tail < sizeB - head && a[sizeA - 1 - tail] == b[sizeB - 1 - tail]) ++tail;
    const std::size_t n = sizeA - head - tail;
    const std::size_t m = sizeB - head - tail;

    // lcs[i][j]: length of the longest common subsequence of the middle parts
    // from a[head + i] and b[head + j] on. At most 256 x 256 entries.
    const std::size_t width = m + 1;
    std::vector<std::uint16_t> lcs((n + 1) * width, 0);
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lcs[i * width + j] = a[head + i] == b[head + j]
                                     ? static_cast<std::uint16_t>(lcs[(i + 1) * width + j + 1] + 1)
                                     : std::max(lcs[(i + 1) * width + j], lcs[i * width + j + 1]);

    std::vector<StepDiffLine> script;
    script.reserve(sizeA + sizeB);
    auto same = [&script](std::size_t i, std::size_t j) {
        script.push_back({Kind::Same, static_cast<int>(i), static_cast<int>(j)});
    };
    for (std::size_t k = 0; k < head; ++k) same(k, k);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        // A tie is taken as a removal. An added step is then never followed
        // by a removed one before the next kept step: between two kept steps
        // the removed steps come first, as diff -u shows them.
        if (i < n && j < m && a[head + i] == b[head + j]) {
            same(head + i++, head + j++);
        } else if (j == m || (i < n && lcs[(i + 1) * width + j] >= lcs[i * width + j + 1])) {
            script.push_back({Kind::Removed, static_cast<int>(head + i++), -1});
        } else {
            script.push_back({Kind::Added, -1, static_cast<int>(head + j++)});
        }
    }
    for (std::size_t k = 0; k < tail; ++k) same(sizeA - tail + k, sizeB - tail + k);
    return script;
}

bool changed(const StepDiffLine& line) { return line.kind != Kind::Same; }

// The changes of a script in hunks: changes at most 2 x context kept steps
// apart share a hunk, and a hunk takes up to `context` kept steps on each side.
std::vector<StepHunk> hunksOf(const std::vector<StepDiffLine>& script, std::size_t context) {
    std::vector<StepHunk> hunks;
    const auto end = script.end();
    // Steps of each program before each line of the script.
    int oldSteps = 0;
    int newSteps = 0;
    auto counted = script.begin();
    auto countTo = [&](std::vector<StepDiffLine>::const_iterator to) {
        for (; counted != to; ++counted) {
            oldSteps += counted->kind != Kind::Added;
            newSteps += counted->kind != Kind::Removed;
        }
    };
    for (auto change = std::find_if(script.begin(), end, changed); change != end;) {
        auto last = change;
        for (auto next = std::find_if(last + 1, end, changed); next != end;
             next = std::find_if(last + 1, end, changed)) {
            if (static_cast<std::size_t>(next - last - 1) > 2 * context) break;
            last = next;
        }
        const auto first = change - std::min(context, static_cast<std::size_t>(change - script.begin()));
        const auto stop = last + 1 + std::min(context, static_cast<std::size_t>(end - last - 1));
        countTo(first);
        StepHunk hunk{oldSteps, 0, newSteps, 0, std::vector<StepDiffLine>(first, stop)};
        for (const StepDiffLine& line : hunk.lines) {
            hunk.oldCount += line.kind != Kind::Added;
            hunk.newCount += line.kind != Kind::Removed;
        }
        hunks.push_back(std::move(hunk));
        change = std::find_if(stop, end, changed);
    }
    return hunks;
}

}  // namespace

std::vector<ProgramChange> diffPrograms(const ProgramStore& from, const ProgramStore& to, int context) {
    const auto fromSections = from.findAllPrograms();
    const auto toSections = to.findAllPrograms();
    std::vector<ProgramChange> changes;
    for (int number = 1; number <= ProgramStore::kMaxProgramNumber; ++number) {
        const bool inFrom = from.directory().contains(number);
        const bool inTo = to.directory().contains(number);
        if (!inFrom && !inTo) continue;
        const auto n = static_cast<std::size_t>(number);
        std::vector<int> a;
        std::vector<int> b;
        numberKeys(inFrom ? stepKeys(from, fromSections[n]) : std::vector<std::string>{},
                   inTo ? stepKeys(to, toSections[n]) : std::vector<std::string>{}, a, b);
        ProgramChange change;
        change.number = number;
        change.kind = !inFrom ? ProgramChange::Kind::Added : !inTo ? ProgramChange::Kind::Removed
                                                                   : ProgramChange::Kind::Changed;
        change.renamed = inFrom && inTo && from.directory().name(number) != to.directory().name(number);
        change.hunks = hunksOf(editScript(a, b), static_cast<std::size_t>(std::max(context, 0)));
        if (change.kind == ProgramChange::Kind::Changed && !change.renamed && change.hunks.empty()) continue;
        changes.push_back(std::move(change));
    }
    return changes;
}

}  // namespace vantrel
