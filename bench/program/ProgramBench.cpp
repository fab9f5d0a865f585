// Program store operations at the sizes users reach: 10, 100 and 255 programs
// of 255 steps, and 255 programs whose long comments fill the store to its
// 16 MiB limit.
//
//   cmake --build <build> --target bench_program
//   <build>/bin/bench_program --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Every benchmark takes two arguments: the number of programs and whether the
// store is filled to 16 MiB (1) or holds steps as the editor writes them (0).
// Besides the time, each reports the bytes allocated per operation
// ("alloc_per_op") and the store text's length ("text_bytes"), to show that
// memory follows the size of the text and not the 16 MiB limit.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/SettingsImage.h"
#include "program/ProgramDiff.h"
#include "program/ProgramList.h"
#include "program/ProgramStore.h"
#include "program/StepEditor.h"
#include "undo/EditHistory.h"

namespace {

std::atomic<std::size_t> allocatedBytes{0};

}  // namespace

// Counting replacement of the global allocation functions; GCC sees malloc in
// one and free in the other after inlining and takes them for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    allocatedBytes.fetch_add(size, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vantrel {
namespace {

constexpr int kCopySource = 1;        // 254 LINE steps and an END
constexpr int kPasteTarget = 2;       // an END alone
constexpr int kKeptProgram = 100;     // the program the program list cannot delete
constexpr std::size_t kFullStoreBytes = 16600000;  // leaves room for a paste of long lines
constexpr int kStepsPerProgram = 255;

std::string digits(int n, int width) {
    std::string s = std::to_string(n);
    return std::string(width > static_cast<int>(s.size()) ? width - s.size() : 0, '0') + s;
}

// Program numbers 1..n, with 100 in place of the last one when n < 100.
std::vector<int> programNumbers(int count) {
    std::vector<int> numbers;
    for (int n = 1; n <= count; ++n) numbers.push_back(n);
    if (count < kKeptProgram) numbers.back() = kKeptProgram;
    return numbers;
}

// One step line of the usual mix: moves to fixed points, moves and
// interpolations with automatically assigned points (all within 301..400, so
// 600 points stay free), waits, branches, outputs, labels and comments.
std::string mixedStep(int step, int& point, const std::string& comment) {
    const std::string auto_ = "P0" + std::to_string(301 + point++ % 100);
    std::string line;
    switch (step % 6) {
    case 0: line = "L" + digits(step % 999 + 1, 3) + "\tMOVE\tA1,A2 P" + digits(1001 + step, 4) + " "; break;
    case 1: line = "\tMOVE\tI A1,A2,A3 " + auto_ + " \t;approach"; break;
    case 2: line = "\tLINE\tA1,A2 " + auto_ + " "; break;
    case 3: line = "\tWAIT\tT" + std::to_string(step % 100 + 1); break;
    case 4: line = "\tIF\tIN1=1 GOTO L001"; break;
    default: line = "\tOUT\tOUT1=1\t;signal"; break;
    }
    if (!comment.empty()) line += (line.find(";") == std::string::npos ? "\t;" : " ") + comment;
    return line + "\r\n";
}

// A comment of `bytes` bytes in the words of a machine builder.
std::string commentText(std::size_t bytes) {
    static const std::string words = "pick up part P1 at pallet P1001, place it on conveyor 2 and wait for T3; ";
    std::string text;
    while (text.size() < bytes) text += words;
    text.resize(bytes);
    for (char& c : text)
        if (c == ';') c = ',';
    return text;
}

std::string dataSet(int programs, std::size_t commentBytes) {
    const std::string comment = commentText(commentBytes);
    std::string text;
    int point = 0;
    for (const int number : programNumbers(programs)) {
        text += "\tPROG\t#" + digits(number, 3) + "\t;Program " + std::to_string(number) + "\r\n";
        if (number == kPasteTarget) {
            text += "\tEND\t\r\n";
            continue;
        }
        if (number == kCopySource) {
            for (int step = 0; step < kStepsPerProgram - 1; ++step)
                text += "\tLINE\tA1,A2 P0" + std::to_string(301 + step % 100) + " " +
                        (comment.empty() ? "" : "\t;" + comment) + "\r\n";
            text += "\tEND\t\r\n";
            continue;
        }
        for (int step = 0; step < kStepsPerProgram; ++step) text += mixedStep(step, point, comment);
    }
    return text;
}

// The data set of a size, built once: steps as the editor writes them, or
// with comments long enough to bring the store near its 16 MiB limit.
const ProgramStore& pristineStore(int programs, bool full) {
    static std::map<std::pair<int, bool>, ProgramStore> stores;
    const auto key = std::make_pair(programs, full);
    auto it = stores.find(key);
    if (it == stores.end()) {
        std::size_t commentBytes = 0;
        if (full) {
            const std::size_t plain = dataSet(programs, 0).size();
            const std::size_t lines = static_cast<std::size_t>(programs) * kStepsPerProgram;
            commentBytes = std::min<std::size_t>(240, (kFullStoreBytes - plain) / lines - 2);
        }
        ProgramStore store;
        if (!store.loadText(dataSet(programs, commentBytes))) std::abort();
        store.scanDirectory();
        store.selectProgram(kCopySource);
        it = stores.emplace(key, std::move(store)).first;
    }
    return it->second;
}

int lastProgram(int programs) { return programNumbers(programs).back(); }

// Times `op` only; `reset` runs before each operation outside the timing.
template <class Reset, class Op>
void measure(benchmark::State& state, const ProgramStore& store, Reset reset, Op op) {
    std::size_t allocated = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reset();
        const std::size_t before = allocatedBytes.load();
        state.ResumeTiming();
        op();
        allocated += allocatedBytes.load() - before;
    }
    state.counters["alloc_per_op"] =
        benchmark::Counter(static_cast<double>(allocated) / static_cast<double>(state.iterations()));
    state.counters["text_bytes"] = benchmark::Counter(static_cast<double>(store.length()));
}

template <class Op>
void measure(benchmark::State& state, const ProgramStore& store, Op op) {
    std::size_t allocated = 0;
    for (auto _ : state) {
        const std::size_t before = allocatedBytes.load();
        op();
        allocated += allocatedBytes.load() - before;
    }
    state.counters["alloc_per_op"] =
        benchmark::Counter(static_cast<double>(allocated) / static_cast<double>(state.iterations()));
    state.counters["text_bytes"] = benchmark::Counter(static_cast<double>(store.length()));
}

int programsOf(const benchmark::State& state) { return static_cast<int>(state.range(0)); }
bool fullOf(const benchmark::State& state) { return state.range(1) != 0; }

void BM_loadLastProgram(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    const int last = lastProgram(programsOf(state));
    measure(state, store, [&] {
        store.loadProgram(last);  // the last section: a search from the top runs through the whole text
        benchmark::DoNotOptimize(store.current().stepCount);
    });
}

void BM_commitOneChangedStep(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    const int last = lastProgram(programsOf(state));
    store.loadProgram(last);
    int round = 0;
    measure(state, store, [&] {
        store.current().step(100).comment = (++round & 1) ? "changed" : "again";
        benchmark::DoNotOptimize(store.commitProgram(last));
    });
}

void BM_scanDirectory(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    measure(state, store, [&] { benchmark::DoNotOptimize(store.scanDirectory()); });
}

void BM_allocateAutoPoint(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    store.selectProgram(lastProgram(programsOf(state)));
    SettingsImage image;
    StepEditor editor(store, image, nullptr);
    measure(state, store, [&] { benchmark::DoNotOptimize(editor.allocateAutoPoint(0)); });
}

// Two typical edits of the last program (full, 255 steps): step 0 deleted and
// a LINE with a new point stored in its place.
void BM_deleteStepAndStoreLine(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    store.selectProgram(lastProgram(programsOf(state)));
    SettingsImage image;
    StepEditor editor(store, image, nullptr);
    CommandEditRecord line;
    line.code = kCodeLine;
    line.axes[0] = {1, 1000, 50};
    measure(state, store, [&] {
        if (!editor.deleteStep(0)) state.SkipWithError("delete refused");
        line.point1 = static_cast<std::uint16_t>(editor.allocateAutoPoint(0) + 1);
        editor.setSelectedRow(0);
        if (!editor.storeCommand(line)) state.SkipWithError("store refused");
    });
}

// The label editor's set mode: labels of every program.
void BM_labelsInUseAll(benchmark::State& state) {
    ProgramStore store = pristineStore(programsOf(state), fullOf(state));
    store.selectProgram(kCopySource);
    SettingsImage image;
    StepEditor editor(store, image, nullptr);
    measure(state, store, [&] { benchmark::DoNotOptimize(editor.labelsInUseAll()); });
}

// The program list confirmed after deleting every program but 100.
void BM_applyProgramListKeepingOnly100(benchmark::State& state) {
    const ProgramStore& pristine = pristineStore(programsOf(state), fullOf(state));
    ProgramStore store = pristine;
    SettingsImage image;
    ImageEdit edit(image, nullptr);
    std::optional<ProgramList> list;
    measure(
        state, store,
        [&] {
            store = pristine;
            list.emplace(store);
            while (list->numbers().size() > 1) (void)list->remove(list->numbers().front() == kKeptProgram ? 1 : 0);
        },
        [&] {
            if (list->apply(edit) != kKeptProgram) state.SkipWithError("wrong program selected");
        });
}

// 254 LINE steps pasted into an empty program: 254 new points.
void BM_paste254AutoPointSteps(benchmark::State& state) {
    const ProgramStore& pristine = pristineStore(programsOf(state), fullOf(state));
    ProgramStore store = pristine;
    SettingsImage image;
    StepEditor editor(store, image, nullptr);
    store.selectProgram(kCopySource);
    std::vector<int> rows;
    for (int i = 0; i < kStepsPerProgram - 1; ++i) rows.push_back(i);
    if (!editor.copySteps(rows)) state.SkipWithError("copy refused");
    measure(
        state, store,
        [&] {
            store = pristine;
            store.selectProgram(kPasteTarget);
        },
        [&] {
            const EditOutcome outcome = editor.pasteSteps(0);
            if (!outcome || outcome.refusal) state.SkipWithError("paste refused");
        });
}

// Undo of the two largest edits: the paste of 254 LINE steps with their new
// points, and the program list keeping only program 100. The edit is made
// (untimed) before each undo.
template <class Edit>
void measureUndo(benchmark::State& state, Edit edit) {
    const ProgramStore& pristine = pristineStore(programsOf(state), fullOf(state));
    ProgramStore store = pristine;
    SettingsImage image;
    EditHistory history(image, store, nullptr);
    StepEditor editor(store, image, &history);
    measure(
        state, store,
        [&] {
            store = pristine;
            history.clear();
            edit(store, image, history, editor);
        },
        [&] {
            if (!history.undo()) state.SkipWithError("nothing to undo");
        });
}

void BM_undoPaste254AutoPointSteps(benchmark::State& state) {
    std::vector<int> rows;
    for (int i = 0; i < kStepsPerProgram - 1; ++i) rows.push_back(i);
    measureUndo(state, [&](ProgramStore& store, SettingsImage&, EditHistory&, StepEditor& editor) {
        store.selectProgram(kCopySource);
        if (!editor.copySteps(rows)) state.SkipWithError("copy refused");
        store.selectProgram(kPasteTarget);
        if (!editor.pasteSteps(0)) state.SkipWithError("paste refused");
    });
}

void BM_undoProgramListKeepingOnly100(benchmark::State& state) {
    measureUndo(state, [&](ProgramStore& store, SettingsImage& image, EditHistory& history, StepEditor&) {
        ProgramList list(store);
        while (list.numbers().size() > 1) (void)list.remove(list.numbers().front() == kKeptProgram ? 1 : 0);
        ImageEdit edit(image, &history);
        if (list.apply(edit) != kKeptProgram) state.SkipWithError("wrong program selected");
    });
}

// Two files of the same programs in which every step differs (the one
// without comments against the one with long comments): the most work a diff
// of two program files can be, every step of every program against every
// step of the other.
void BM_diffEveryStepChanged(benchmark::State& state) {
    const ProgramStore& plain = pristineStore(programsOf(state), false);
    const ProgramStore& commented = pristineStore(programsOf(state), true);
    measure(state, commented, [&] {
        const auto changes = diffPrograms(plain, commented, 3);
        // All but the paste target, whose END has no comment in either.
        if (changes.size() != static_cast<std::size_t>(programsOf(state) - 1)) state.SkipWithError("programs missed");
        benchmark::DoNotOptimize(changes.data());
    });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"programs", "16MiB"});
    for (const int programs : {10, 100, 255}) b->Args({programs, 0});
    b->Args({255, 1});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_loadLastProgram)->Apply(sizes);
BENCHMARK(BM_commitOneChangedStep)->Apply(sizes);
BENCHMARK(BM_scanDirectory)->Apply(sizes);
BENCHMARK(BM_allocateAutoPoint)->Apply(sizes);
BENCHMARK(BM_deleteStepAndStoreLine)->Apply(sizes);
BENCHMARK(BM_labelsInUseAll)->Apply(sizes);
BENCHMARK(BM_applyProgramListKeepingOnly100)->Apply(sizes);
BENCHMARK(BM_paste254AutoPointSteps)->Apply(sizes);
BENCHMARK(BM_undoPaste254AutoPointSteps)->Apply(sizes);
BENCHMARK(BM_undoProgramListKeepingOnly100)->Apply(sizes);
BENCHMARK(BM_diffEveryStepChanged)->ArgNames({"programs", "16MiB"})->Args({10, 1})->Args({255, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
